#pragma once

// The full sample cover the benchmarks draw: three large pictures, 40 contents lines, both
// labels, both front texts and numbered note lines.

#include "document/cover_document.h"

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

inline QImage benchPicture(const QColor& from, const QColor& to, int side = 2000)
{
    QImage image(side, side, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, side, side);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(Qt::white, side / 160));
    for (int i = 0; i < 40; ++i) {
        const int radius = side / 100 + side * 3 * i / 250;
        painter.drawEllipse(QPoint(side / 2, side / 2), radius, radius);
    }
    return image;
}

inline CoverDocument fullCover()
{
    CoverDocument doc;
    doc.Fontname = doc.Fontname2 = doc.FrontFont = doc.FrontFont2 = QStringLiteral("DejaVu Sans");
    doc.Text = QStringLiteral("  Collected recordings, volume %c");
    doc.Fontsize2 = QStringLiteral("8");
    for (int i = 1; i <= 40; ++i)
        doc.Contents += QStringLiteral("%1. A track title of a usual length - %1:%2\r\n").arg(i).arg(i * 7 % 60);
    doc.BackPicture.image = benchPicture(Qt::darkBlue, Qt::yellow);
    doc.FrontPicture.image = benchPicture(Qt::darkRed, Qt::cyan);
    doc.FrontPicture1.image = benchPicture(Qt::darkGreen, Qt::magenta);
    doc.pMethod = 1;
    doc.fStretch = 1;
    doc.fCenter1 = 1;
    doc.WriteLines = 1;
    doc.LineNumbers = 1;
    doc.LineSpace = QStringLiteral("6");
    doc.sfText = 1;
    doc.fFontCenter = 1;
    doc.FrontFontSize = QStringLiteral("20");
    doc.FrontText2 = QStringLiteral("Collected recordings\r\nVolume %c");
    doc.sfText2 = 1;
    doc.FrontText1 = QStringLiteral("Notes");
    doc.currentFile = QStringLiteral("/home/someone/covers/collected.vrz");
    return doc;
}
