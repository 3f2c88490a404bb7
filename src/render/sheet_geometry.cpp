#include "render/sheet_geometry.h"

#include "document/cover_document.h"

namespace {

QRectF areaWithMargins(const QRectF& full, const QString& leftMargin, const QString& topMargin)
{
    const double lm = leadingNumber(leftMargin);
    const double tm = leadingNumber(topMargin);
    return QRectF(full.left() + lm, full.top() + tm, full.width() - 2 * lm, full.height() - 2 * tm);
}

} // namespace

QRectF contentsTextArea(const CoverDocument& doc)
{
    return areaWithMargins(QRectF(11.337, 5.292, 137.583, 117.74), doc.leftmargin, doc.topmargin);
}

QRectF outerTextArea(const CoverDocument& doc)
{
    return areaWithMargins(QRectF(125.413, 5.292, 119.592, 119.592), doc.fLMargin, doc.fTMargin);
}

QRectF innerTextArea(const CoverDocument& doc)
{
    return areaWithMargins(QRectF(5.292, 5.292, 119.592, 119.592), doc.fLMargin2, doc.fTMargin2);
}
