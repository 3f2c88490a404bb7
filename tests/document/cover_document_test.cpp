#include "document/cover_document.h"

#include "gtest_qt.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ColorValue, IsRedGreenBlueFromTheLowByteUp)
{
    EXPECT_EQ(colorFromValue(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colorFromValue(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(colorFromValue(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(colorValue(QColor(0x12, 0x34, 0x56)), 0x563412);
    EXPECT_EQ(colorValue(Qt::white), 16777215);
    EXPECT_EQ(colorValue(colorFromValue(0x7B8E9C)), 0x7B8E9C);
}

TEST(ColorValue, SystemColoursKeepTheirLowBytes)
{
    // 0x8000000F: a system colour as old files may hold it.
    EXPECT_EQ(colorFromValue(int(0x8000000Fu)), QColor(0x0F, 0, 0));
    EXPECT_EQ(colorFromValue(-1), QColor(255, 255, 255));
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfATypedField)
{
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("12.5mm")), 12.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("  7")), 7);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("-3")), -3);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("+2")), 2);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral(".5")), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("007")), 7);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("1e3")), 1000);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("4e")), 4);
    EXPECT_DOUBLE_EQ(leadingNumber(QStringLiteral("12,5")), 12);
}

TEST(LeadingNumber, TextWithoutANumberIsZero)
{
    EXPECT_EQ(leadingNumber(QString()), 0);
    EXPECT_EQ(leadingNumber(QStringLiteral("abc")), 0);
    EXPECT_EQ(leadingNumber(QStringLiteral("-")), 0);
    EXPECT_EQ(leadingNumber(QStringLiteral(".")), 0);
    EXPECT_EQ(leadingNumber(QStringLiteral("1e999")), 0);
}

TEST(NumberText, UsesAPointWhateverTheLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(numberText(2.5), QStringLiteral("2.5"));
    QLocale::setDefault(before);
    EXPECT_EQ(numberText(7), QStringLiteral("7"));
    EXPECT_EQ(numberText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(numberText(leadingNumber(QStringLiteral("007"))), QStringLiteral("7"));
}

TEST(ControlStates, FollowTheSwitchesTheyDependOn)
{
    CoverDocument doc;
    doc.Counter = 0;
    doc.Counter2 = 1;
    doc.WriteLines = 0;
    ControlStates s = controlStates(doc);
    EXPECT_FALSE(s.countFrom);
    EXPECT_TRUE(s.countFrom2);
    EXPECT_FALSE(s.lineSpace);
    EXPECT_FALSE(s.lineNumbers);

    doc.WriteLines = 1;
    doc.Counter = 1;
    doc.Counter2 = 0;
    s = controlStates(doc);
    EXPECT_TRUE(s.countFrom);
    EXPECT_FALSE(s.countFrom2);
    EXPECT_TRUE(s.lineSpace);
    EXPECT_TRUE(s.lineNumbers);
}

TEST(ControlStates, CenterOnlyForTheCutPlacements)
{
    CoverDocument doc;
    const bool expected[] = {false, false, true, true};
    for (int method = 0; method < 4; ++method) {
        doc.pMethod = method;
        EXPECT_EQ(controlStates(doc).pCenter, expected[method]) << method;
    }
}

TEST(TextFonts, ContentsFlagsAreSwapped)
{
    CoverDocument doc;
    doc.Fontname2 = QStringLiteral("DejaVu Sans");
    doc.Fontsize2 = QStringLiteral("14");
    doc.FontBold2 = 0;
    doc.FontItalic2 = 1;
    const QFont f = contentsFont(doc);
    EXPECT_TRUE(f.bold());
    EXPECT_FALSE(f.italic());
    EXPECT_EQ(f.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_DOUBLE_EQ(f.pointSizeF(), 14);

    doc.FontBold2 = 1;
    doc.FontItalic2 = 0;
    EXPECT_FALSE(contentsFont(doc).bold());
    EXPECT_TRUE(contentsFont(doc).italic());
}

TEST(TextFonts, EachTextTakesItsOwnSide)
{
    CoverDocument doc;
    doc.Fontsize = QStringLiteral("16");
    doc.FontBold = 1;
    doc.FrontFontSize = QStringLiteral("20");
    doc.fFontItalic = 1;
    doc.FrontFontSize2 = QStringLiteral("8");
    doc.fFontBold2 = 1;
    EXPECT_TRUE(labelFont(doc).bold());
    EXPECT_DOUBLE_EQ(labelFont(doc).pointSizeF(), 16);
    EXPECT_TRUE(outerTextFont(doc).italic());
    EXPECT_FALSE(outerTextFont(doc).bold());
    EXPECT_DOUBLE_EQ(outerTextFont(doc).pointSizeF(), 20);
    EXPECT_TRUE(innerTextFont(doc).bold());
    EXPECT_DOUBLE_EQ(innerTextFont(doc).pointSizeF(), 8);
}

namespace {

QString writeBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

} // namespace

TEST(ReadPictureFile, DecodesByContentNotByName)
{
    QTemporaryDir dir;
    QImage red(30, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString png = dir.filePath(QStringLiteral("shown.bmp")); // PNG content, bitmap name
    ASSERT_TRUE(red.save(png, "PNG"));
    const QString jpg = dir.filePath(QStringLiteral("photo.jpg"));
    ASSERT_TRUE(red.save(jpg, "JPG"));

    QString error;
    const QImage a = readPictureFile(png, &error);
    ASSERT_FALSE(a.isNull()) << error.toStdString();
    EXPECT_EQ(a.size(), QSize(30, 20));
    EXPECT_EQ(a.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(readPictureFile(jpg).size(), QSize(30, 20));
}

TEST(ReadPictureFile, GarbageGivesANullImageAndAReason)
{
    QTemporaryDir dir;
    const QString path = writeBytes(dir, QStringLiteral("broken.jpg"), QByteArray("not a picture at all"));
    QString error;
    EXPECT_TRUE(readPictureFile(path, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(readPictureFile(dir.filePath(QStringLiteral("missing.png")), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

TEST(ReadPictureFile, RefusesAbsurdSizesBeforeDecoding)
{
    // A valid PNG of 20000 x 20000 pixels in a few bytes: decoding it would take 1.6 GB.
    const QString path = QStringLiteral(CASELEAF_TEST_DATA "/document/huge_20000x20000.png");
    QString error;
    EXPECT_TRUE(readPictureFile(path, &error).isNull());
    EXPECT_TRUE(error.contains(QStringLiteral("20000 x 20000"))) << error.toStdString();
}
