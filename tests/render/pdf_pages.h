#pragma once

#include "gtest_qt.h"

// Reads PDF files the way a person's viewer does, through poppler's tools.
namespace pdf {

inline QString tool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

inline QString info(const QString& file, const char* field)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(QLatin1String(field)),
                                  QRegularExpression::MultilineOption);
    return line.match(tool(QStringLiteral("pdfinfo"), {file})).captured(1).trimmed();
}

inline int pageCount(const QString& file) { return info(file, "Pages").toInt(); }

// The page size in millimetres.
inline QSizeF pageSizeMm(const QString& file)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("([\\d.]+) x ([\\d.]+) pts")).match(info(file, "Page size"));
    return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) * 25.4 / 72;
}

// The text of one page (from 1), as a viewer's "copy text" gives it.
inline QString pageText(const QString& file, int page)
{
    const QString n = QString::number(page);
    return tool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), n, QStringLiteral("-l"), n, file, QStringLiteral("-")});
}

// One page (from 1) at 254 dpi, 10 pixels per millimetre, lines not smoothed.
inline QImage pageImage(const QString& file, int page)
{
    QTemporaryDir dir;
    const QString n = QString::number(page);
    tool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                                      QStringLiteral("-aaVector"), QStringLiteral("no"), QStringLiteral("-f"), n,
                                      QStringLiteral("-l"), n, QStringLiteral("-singlefile"), file, dir.filePath("p")});
    return QImage(dir.filePath(QStringLiteral("p.png")));
}

} // namespace pdf
