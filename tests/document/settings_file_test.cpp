#include "document/settings_file.h"

#include "archive/zip_fixtures.h"
#include "document/cover_document.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"
#include "numbered_language.h"
#include "shell/app_state.h"
#include "test_pictures.h"
#include "toolbox/ini_file.h"
#include "toolbox/win1252.h"

using namespace fixtures;

namespace {

const QStringList kFonts = {"Andale Mono", "Arial", "Café Sans", "Courier New", "DejaVu Sans", "Verdana"};

// Every key in file order with a value no new cover has; "#" marks the 21 flags.
const QStringList kSample = {
    "Fontname=Courier New", "Fontsize=22", "FontBold=#", "FontItalic=#", "Fontname2=Verdana", "Fontsize2=8",
    "FontBold2=#", "FontItalic2=#", "FlipLabels=#", "Text=\"  Œuvres – 5€  \"", "ForeColor=255",
    "ForeColor2=65280", "BackColor=1193046", "CutColor=6636321", "CrullColor=789516", "BackPicture=none",
    "leftmargin=3", "topmargin=4.5", "pMethod=3", "pCenter=#", "Counter=#", "Counter2=#", "CountFrom=12",
    "CountFrom2=40", "fStretch=#", "fStretch1=#", "fCenter=#", "fCenter1=#", "fCutColor=1118481",
    "fCrullColor=2236962", "fTMargin=5 mm", "fLMargin=6", "sfText=#", "FrontFont=DejaVu Sans", "FrontFontSize=36",
    "fFontBold=#", "fFontItalic=#", "fFontCenter=#", "fFontColor=3355443", "fBackColor=4473924",
    "FrontPicture=C:\\Covers\\façade™.jpg", "FrontPicture1=", "fTMargin2=7", "fLMargin2=8", "sfText2=#",
    "FrontFont2=Café Sans", "FrontFontSize2=48", "fFontBold2=#", "fFontItalic2=#", "fFontColor2=5592405",
    "fBackColor2=6710886", "WriteLines=#", "LineNumbers=#", "LineSpace=9"};

// The sample with flag i set to bit i of pattern.
QStringList sampleLines(unsigned pattern)
{
    QStringList lines = kSample;
    int i = 0;
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('#')))
            line.replace(QLatin1Char('#'), QString::number((pattern >> i++) & 1));
    }
    return lines;
}

class SettingsFile : public ::testing::Test, protected TestFolder {
protected:
    QString writeSettings(const QStringList& lines) const
    {
        EXPECT_TRUE(writeFile(path("vorn.ini"), toWin1252("[LastCover]\r\n" + lines.join("\r\n") + "\r\n")));
        return path("vorn.ini");
    }
    QStringList savedLines(const CoverDocument& doc) const
    {
        const QString file = path("out.ini");
        EXPECT_TRUE(writeFile(file, "[Preset]\r\nName=old.ini\r\n[LastCover]\r\nExtra=1\r\n")); // replaced whole
        EXPECT_TRUE(SaveIniFile(doc, file, QString(), true));
        return fromWin1252(readFile(file)).split("\r\n");
    }
    bool load(CoverDocument& doc, const QString& file, bool settingsOnly = false)
    {
        return LoadIniFile(doc, file, settingsOnly, kFonts, [this] { ++redraws; });
    }

    FakeDialogs dialogs;
    int redraws = 0;
};

} // namespace

TEST_F(SettingsFile, TextModeWritesTheFiftyFourKeysInOrderAndReadsThemBack)
{
    // Any two flags differ in one of these patterns, and every flag is written both ways.
    for (unsigned mask : {0x55555555u, 0x33333333u, 0x0F0F0F0Fu, 0x00FF00FFu, 0x0000FFFFu}) {
        for (unsigned pattern : {mask, ~mask}) {
            const QStringList lines = sampleLines(pattern);
            CoverDocument d;
            EXPECT_TRUE(load(d, writeSettings(lines)));
            EXPECT_EQ(savedLines(d), QStringList() << "[LastCover]" << lines << "");
        }
    }
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(redraws, 10);
}

TEST_F(SettingsFile, AFileWrittenOnWindowsLoadsAndSavesUnchanged)
{
    const QString file = path("vorn.ini");
    ASSERT_TRUE(QFile::copy(CASELEAF_TEST_DATA "/document/windows_vorn.ini", file) && savePlainPicture(path("back.jpg"), Qt::green));
    CoverDocument d;
    EXPECT_TRUE(load(d, file));
    EXPECT_EQ(d.Text, QStringLiteral("  Sigur Rós – Ágætis byrjun  "));
    EXPECT_TRUE(d.FontItalic2 == 1 && d.FontBold2 == 0); // the contents text bold, not italic
    EXPECT_EQ(QStringList({d.BackPicture.ref, d.FrontPicture1.ref}), QStringList({path("back.jpg"), "none"}));
    EXPECT_TRUE(!d.BackPicture.image.isNull() && d.FrontPicture1.image.isNull());
    // Even the font this system lacks (Times New Roman) is kept by name.
    ASSERT_TRUE(SaveIniFile(d, path("again.ini"), QString(), true, {"{back.jpg}", {}, {}}));
    EXPECT_EQ(readFile(path("again.ini")), readFile(file));
}

TEST_F(SettingsFile, TwoSlotsMayShareOnePictureBesideTheFile)
{
    ASSERT_TRUE(savePlainPicture(path("same.png"), Qt::green));
    CoverDocument d;
    d.BackPicture.image = QImage(5, 5, QImage::Format_RGB32);
    load(d, writeSettings({"BackPicture=none", "FrontPicture={same.png}", "FrontPicture1={../same.png}"}));
    EXPECT_TRUE(d.BackPicture.image.isNull());
    EXPECT_EQ(d.FrontPicture1.ref, path("same.png")); // never outside the folder
    EXPECT_EQ(d.FrontPicture.ref, d.FrontPicture1.ref);
    for (const CoverPicture* picture : {&d.FrontPicture, &d.FrontPicture1})
        EXPECT_EQ(picture->image.toImage().pixelColor(1, 1), QColor(Qt::green));
}

// What a missing key cannot express stays: sizes of the back, its colours, the spacing.
// A file cut short applies what it holds.
TEST_F(SettingsFile, MissingKeysTakeTheirDefaults)
{
    CoverDocument d;
    load(d, writeSettings(sampleLines(~0u)));
    EXPECT_TRUE(load(d, path("does-not-exist.ini")));
    EXPECT_EQ(QStringList({d.Fontname, d.Fontname2, d.FrontFont, d.FrontFont2, d.FrontFontSize, d.FrontFontSize2}),
              QStringList({"Andale Mono", "Andale Mono", "Andale Mono", "Andale Mono", "9", "9"}));
    for (int zero : {d.FontBold, d.FontItalic, d.FontBold2, d.FontItalic2, d.FlipLabels, d.fStretch, d.fStretch1,
                     d.fCenter, d.fCenter1, d.sfText, d.fFontBold, d.fFontItalic, d.fFontCenter, d.sfText2,
                     d.fFontBold2, d.fFontItalic2, d.WriteLines, d.LineNumbers, d.fCutColor, d.fFontColor2})
        EXPECT_EQ(zero, 0);
    EXPECT_EQ(QList<int>({d.pMethod, d.pCenter, d.Counter, d.Counter2}), QList<int>({1, 1, 1, 1}));
    EXPECT_EQ(QStringList({d.CountFrom, d.CountFrom2, d.Text, d.topmargin, d.leftmargin, d.fTMargin, d.fLMargin2}),
              QStringList({"1", "1", "", "", "", "", ""}));
    EXPECT_EQ(QStringList({d.Fontsize, d.Fontsize2, d.LineSpace, d.BackPicture.ref, QString::number(d.CutColor)}),
              QStringList({"22", "8", "9", "none", "6636321"}));
    const QByteArray whole = toWin1252("[LastCover]\r\n" + sampleLines(~0u).join("\r\n"));
    ASSERT_TRUE(writeFile(path("cut.ini"), whole.left(whole.indexOf("ForeColor2=") + 13)));
    CoverDocument cut;
    EXPECT_TRUE(load(cut, path("cut.ini")));
    // ForeColor2's "65280" is cut after two digits; pMethod is missing.
    EXPECT_EQ(QList<int>({cut.ForeColor, cut.ForeColor2, cut.pMethod}), QList<int>({255, 65, 1}));
    EXPECT_EQ(cut.Fontname, "Courier New");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(redraws, 3);
}

TEST_F(SettingsFile, ASettingsOnlyLoadLeavesLabelPicturesAndCounters)
{
    CoverDocument cover;
    cover.Text = "  my label ";
    cover.CountFrom = "3";
    cover.BackPicture = {"/pics/a.png", QImage(4, 4, QImage::Format_RGB32)};
    cover.FrontPicture1 = {"/pics/b.png", QImage(5, 5, QImage::Format_RGB32)};
    EXPECT_TRUE(load(cover, writeSettings(sampleLines(0)), true));
    EXPECT_EQ(QStringList({cover.Fontname, cover.FrontFontSize2, cover.Text, cover.CountFrom, cover.CountFrom2,
                           cover.BackPicture.ref, cover.FrontPicture1.ref}),
              QStringList({"Courier New", "48", "  my label ", "3", "1", "/pics/a.png", "/pics/b.png"}));
    EXPECT_EQ(cover.Counter + cover.Counter2, 2);
    EXPECT_TRUE(cover.BackPicture.image.size() == QSize(4, 4) && cover.FrontPicture1.image.size() == QSize(5, 5));
    EXPECT_EQ(redraws, 1);
}

TEST_F(SettingsFile, OldAndOddValuesAreReadAsTheEditorCanShowThem)
{
    const char* const cases[][2] = {
        {"Fontname=ARIAL", "Fontname=ARIAL"},     {"Fontname2=Wingdings", "Fontname2=Wingdings"},
        {"FrontFontSize=12.0", "FrontFontSize=12"}, {"FrontFontSize2=11.5", "FrontFontSize2=9"},
        {"Fontsize=13.0", "Fontsize=16"},         {"Fontsize2=18", "Fontsize2=18"},
        {"ForeColor=12.6", "ForeColor=13"},       {"ForeColor2=&HFF00", "ForeColor2=65280"},
        {"FONTBOLD=-1", "FontBold=1"},            {"FlipLabels=0.4", "FlipLabels=0"},
        {"fStretch=0.4", "fStretch=1"},           {"topmargin=15", "topmargin=10"},
        {"leftmargin=-3", "leftmargin=0"},        {"LineSpace=75", "LineSpace=60"},
        {"LineSpace=7.6", "LineSpace=8"},         {"text = ' quoted ' ", "Text=\" quoted \""}};
    for (const auto& c : cases) {
        CoverDocument d;
        d.Fontsize = "16";
        load(d, writeSettings({QString::fromUtf8(c[0])}));
        EXPECT_TRUE(savedLines(d).contains(QString::fromUtf8(c[1]))) << c[0];
    }
}

// One message names what was skipped (the start of a long value only); the rest applies.
TEST_F(SettingsFile, BadInputIsReportedAndTheRestApplied)
{
    NumberedLanguage language;
    ASSERT_TRUE(language.loaded() && QFile::copy(CASELEAF_TEST_DATA "/document/huge_20000x20000.png", path("huge.png"))
                && writeFile(path("broken.jpg"), "JFIF? no, just text"));
    const QString sevens = QString(3000, QLatin1Char('7'));
    const QString cases[][2] = {{"ForeColor=abc", "ForeColor=abc"}, {"pMethod=7", "pMethod=7"},
                                {"ForeColor=" + sevens, "ForeColor=777"},
                                {"BackPicture={broken.jpg}", path("broken.jpg")},
                                {"FrontPicture={huge.png}", "20000 x 20000"}};
    for (const auto& [line, named] : cases) {
        SCOPED_TRACE(named.toStdString());
        dialogs.shown.clear();
        CoverDocument d;
        d.ForeColor = d.pMethod = 2;
        EXPECT_FALSE(load(d, writeSettings({line, "Text=" + sevens, "FlipLabels=1"})));
        const int method = line.startsWith("pMethod") ? 2 : 1; // a missing one takes the default
        EXPECT_EQ(QList<int>({d.ForeColor, d.pMethod, d.FlipLabels}), QList<int>({2, method, 1}));
        EXPECT_EQ(d.Text, sevens.left(2047));
        EXPECT_TRUE(d.BackPicture.image.isNull() && d.FrontPicture.image.isNull() && app::viewEnabled);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        const QString text = dialogs.shown[0].text;
        EXPECT_TRUE(text.startsWith("Message 17\r\n\r\n") && text.contains(named) && text.size() < 500)
            << text.toStdString();
    }
    // Far too large to be a settings file: refused untouched.
    ASSERT_TRUE(writeFile(path("vorn.ini"), "[LastCover]\r\nFlipLabels=1\r\n" + QByteArray(2 << 20, ' ')));
    CoverDocument d;
    d.BackPicture.image = QImage(3, 3, QImage::Format_RGB32);
    EXPECT_FALSE(load(d, path("vorn.ini")));
    EXPECT_TRUE(d.FlipLabels == 0 && !d.BackPicture.image.isNull());
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(redraws, 5);
}

// Profile mode keeps other sections and unknown keys; a value cannot start another key;
// a failed write is reported in both modes.
TEST_F(SettingsFile, ProfileModeKeepsOtherSectionsAndAFailedWriteIsReported)
{
    const QString file = path("style.ini");
    ASSERT_TRUE(writeFile(file, "[Other]\r\nKeep=yes\r\n[LastCover]\r\nFontsize=9\r\nUnknown=x\r\n"));
    CoverDocument d;
    d.Fontsize = "22";
    ASSERT_TRUE(SaveIniFile(d, file, "style.ini"));
    const QStringList lines = fromWin1252(readFile(file)).split("\r\n");
    EXPECT_EQ(lines.mid(0, 5), QStringList({"[Other]", "Keep=yes", "[LastCover]", "Fontsize=22", "Unknown=x"}));
    EXPECT_EQ(lines.size(), 2 + 55 + 1 + 2 + 1); // each key once, Unknown kept, [Preset] added
    EXPECT_EQ(ReadINI(file, "Preset", "Name"), "style.ini");
    d.Text = "one\r\nFlipLabels=1\ntwo";
    EXPECT_TRUE(savedLines(d).contains("Text=\"one FlipLabels=1 two\""));
    NumberedLanguage language;
    ASSERT_TRUE(language.loaded());
    EXPECT_FALSE(SaveIniFile(d, path("no/folder/vorn.ini"), QString(), true));
    EXPECT_FALSE(SaveIniFile(d, path("no/folder/p.ini"), "p.ini"));
    EXPECT_EQ(dialogs.texts(), QStringList({"Message 16", "Message 16"}));
}
