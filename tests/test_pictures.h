#pragma once

#include "gtest_qt.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

// Pictures like a user's, and how far two drawings of them lie apart.

// A picture of one colour saved at path, in the format its name (or format) gives.
inline bool savePlainPicture(const QString& path, QColor color, const char* format = nullptr)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    return image.save(path, format);
}

// Pixels that no format compresses.
inline QImage noisePicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(image.bits()), image.sizeInBytes() / 4);
    return image;
}

// The bytes of a file of format holding image.
inline QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    EXPECT_TRUE(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, format));
    return bytes;
}

// Smooth light and colour, hard edges and a little grain, as in a photograph.
inline QImage photograph(int width, int height, double dpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(30, 60, 160));
    sky.setColorAt(1, QColor(250, 200, 90));
    painter.fillRect(image.rect(), sky);
    painter.setPen(QPen(Qt::white, 9));
    for (int i = 1; i < 12; ++i)
        painter.drawEllipse(QPoint(width / 3, height / 2), i * width / 30, i * height / 30);
    painter.fillRect(QRect(width * 2 / 3, height / 5, width / 5, height / 2), QColor(20, 110, 40));
    painter.end();
    QRandomGenerator grain(7);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(grain.bounded(9)) - 4;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + n, 255), qBound(0, qGreen(p) + n, 255), qBound(0, qBlue(p) + n, 255));
        }
    }
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    return image;
}

// The mean and the largest difference of any colour channel between two images of a size.
inline std::pair<double, int> difference(const QImage& a, const QImage& b)
{
    qint64 sum = 0;
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) {
                sum += std::abs(d);
                largest = std::max(largest, std::abs(d));
            }
        }
    }
    return {double(sum) / (3.0 * a.width() * a.height()), largest};
}
