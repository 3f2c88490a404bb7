#include "render/sheet_file.h"

#include "document/cover_document.h"
#include "render/back_renderer.h"
#include "render/drawing_surface.h"
#include "render/sheet_geometry.h"
#include "archive/zip_fixtures.h"
#include "render_test_support.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// The compression level zlib records in the header of a PNG file's first IDAT chunk:
// 0 fastest, 1 fast, 2 default, 3 smallest; -1 when there is no such chunk.
int pngDeflateLevel(const QByteArray& png)
{
    for (qsizetype at = 8; at + 10 <= png.size();) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        if (png.mid(at + 4, 4) == "IDAT")
            return quint8(png.at(at + 9)) >> 6;
        at += 12 + qsizetype(length);
    }
    return -1;
}

QImage drawnBackSheet()
{
    app::viewEnabled = true;
    CoverDocument doc;
    doc.Text = QStringLiteral("Label");
    doc.Contents = QStringLiteral("Track 1\r\nTrack 2\r\nTrack 3");
    doc.BackColor = kYellow;
    ImageSurface surface(QSizeF(backsheet::kWidth, backsheet::kHeight), 150);
    surface.clear();
    UpdateBack(doc, surface, false);
    return surface.image();
}

// Every pixel and the resolution come back from any format that keeps them; PNG is
// deflated at a fast level, where Qt's writer alone would take the default.
TEST(SheetFile, WritesTheFormatItsNameGivesAndPngFast)
{
    QTemporaryDir dir;
    const QImage sheet = drawnBackSheet();
    const auto level = [&](const QString& name) { return pngDeflateLevel(fixtures::readFile(dir.filePath(name))); };
    for (const QString name : {"sheet.png", "SHEET.PNG", "sheet.bmp"}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(writeSheetFile(sheet, path)) << name.toStdString();
        const QImage back(path);
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), sheet) << name.toStdString();
        EXPECT_EQ(back.dotsPerMeterX(), sheet.dotsPerMeterX()) << name.toStdString();
        EXPECT_EQ(level(name), name.endsWith("bmp") ? -1 : 0) << name.toStdString();
    }
    ASSERT_TRUE(sheet.save(dir.filePath("plain.png")));
    EXPECT_EQ(level("plain.png"), 2);

    QString error;
    EXPECT_FALSE(writeSheetFile(sheet, dir.filePath("no/such/folder/x.png"), &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
