#include "document/settings_file.h"

#include "document/cover_document.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"
#include "numbered_language.h"
#include "shell/app_state.h"
#include "shell/progress.h"
#include "toolbox/byte_size.h"
#include "toolbox/ini_file.h"
#include "toolbox/win1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QStringList kFonts = {QStringLiteral("Arial"), QStringLiteral("Café Sans"), QStringLiteral("Courier New"),
                            QStringLiteral("DejaVu Sans"), QStringLiteral("Verdana")};

// The keys of a settings file in the order every writer has used.
const QStringList kKeyOrder = {
    "Fontname",  "Fontsize",      "FontBold",      "FontItalic", "Fontname2",   "Fontsize2",   "FontBold2",
    "FontItalic2", "FlipLabels",  "Text",          "ForeColor",  "ForeColor2",  "BackColor",   "CutColor",
    "CrullColor", "BackPicture",  "leftmargin",    "topmargin",  "pMethod",     "pCenter",     "Counter",
    "Counter2",  "CountFrom",     "CountFrom2",    "fStretch",   "fStretch1",   "fCenter",     "fCenter1",
    "fCutColor", "fCrullColor",   "fTMargin",      "fLMargin",   "sfText",      "FrontFont",   "FrontFontSize",
    "fFontBold", "fFontItalic",   "fFontCenter",   "fFontColor", "fBackColor",  "FrontPicture", "FrontPicture1",
    "fTMargin2", "fLMargin2",     "sfText2",       "FrontFont2", "FrontFontSize2", "fFontBold2", "fFontItalic2",
    "fFontColor2", "fBackColor2", "WriteLines",    "LineNumbers", "LineSpace"};

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A settings file of the given lines under [LastCover].
void writeSettings(const QString& path, const QStringList& lines)
{
    writeBytes(path, toWin1252(QStringLiteral("[LastCover]\r\n") + lines.join(QStringLiteral("\r\n"))
                               + QStringLiteral("\r\n")));
}

QString savePicture(const QString& path, const QColor& color, const char* format = "PNG")
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(color);
    EXPECT_TRUE(image.save(path, format));
    return path;
}

// Every setting differs from a new cover's.
CoverDocument sampleDocument()
{
    CoverDocument d;
    d.Fontname = QStringLiteral("Courier New");
    d.Fontsize = QStringLiteral("22");
    d.FontBold = 1;
    d.FontItalic = 1;
    d.Fontname2 = QStringLiteral("Verdana");
    d.Fontsize2 = QStringLiteral("8");
    d.FontBold2 = 1;
    d.FontItalic2 = 0;
    d.FlipLabels = 1;
    d.Text = QStringLiteral("Greatest hits");
    d.ForeColor = 0x0000FF;
    d.ForeColor2 = 0x00FF00;
    d.BackColor = 0x123456;
    d.CutColor = 0x654321;
    d.CrullColor = 0x0A0B0C;
    d.leftmargin = QStringLiteral("3");
    d.topmargin = QStringLiteral("4.5");
    d.pMethod = 3;
    d.pCenter = 0;
    d.Counter = 0;
    d.Counter2 = 0;
    d.CountFrom = QStringLiteral("12");
    d.CountFrom2 = QStringLiteral("40");
    d.fStretch = 1;
    d.fStretch1 = 1;
    d.fCenter = 1;
    d.fCenter1 = 1;
    d.fCutColor = 0x111111;
    d.fCrullColor = 0x222222;
    d.fTMargin = QStringLiteral("5");
    d.fLMargin = QStringLiteral("6");
    d.sfText = 1;
    d.FrontFont = QStringLiteral("DejaVu Sans");
    d.FrontFontSize = QStringLiteral("36");
    d.fFontBold = 1;
    d.fFontItalic = 1;
    d.fFontCenter = 1;
    d.fFontColor = 0x333333;
    d.fBackColor = 0x444444;
    d.fTMargin2 = QStringLiteral("7");
    d.fLMargin2 = QStringLiteral("8");
    d.sfText2 = 1;
    d.FrontFont2 = QStringLiteral("Café Sans");
    d.FrontFontSize2 = QStringLiteral("48");
    d.fFontBold2 = 1;
    d.fFontItalic2 = 1;
    d.fFontColor2 = 0x555555;
    d.fBackColor2 = 0x666666;
    d.WriteLines = 1;
    d.LineNumbers = 1;
    d.LineSpace = QStringLiteral("9");
    return d;
}

// The flags in the order of the file.
std::vector<int*> flagsOf(CoverDocument& d)
{
    return {&d.FontBold,  &d.FontItalic, &d.FontBold2,  &d.FontItalic2, &d.FlipLabels, &d.pCenter,     &d.Counter,
            &d.Counter2,  &d.fStretch,   &d.fStretch1,  &d.fCenter,     &d.fCenter1,   &d.sfText,      &d.fFontBold,
            &d.fFontItalic, &d.fFontCenter, &d.sfText2, &d.fFontBold2,  &d.fFontItalic2, &d.WriteLines, &d.LineNumbers};
}

// The sample with its flags set in a given pattern (bit i for flag i), so that
// mixing up two flags shows in one pattern or another.
CoverDocument withFlags(unsigned pattern)
{
    CoverDocument d = sampleDocument();
    int i = 0;
    for (int* flag : flagsOf(d))
        *flag = (pattern >> i++) & 1;
    return d;
}

#define EXPECT_SAME(field) EXPECT_EQ(actual.field, expected.field) << #field

void expectSameSettings(const CoverDocument& actual, const CoverDocument& expected)
{
    EXPECT_SAME(Fontname);
    EXPECT_SAME(Fontsize);
    EXPECT_SAME(FontBold);
    EXPECT_SAME(FontItalic);
    EXPECT_SAME(Fontname2);
    EXPECT_SAME(Fontsize2);
    EXPECT_SAME(FontBold2);
    EXPECT_SAME(FontItalic2);
    EXPECT_SAME(FlipLabels);
    EXPECT_SAME(ForeColor);
    EXPECT_SAME(ForeColor2);
    EXPECT_SAME(BackColor);
    EXPECT_SAME(CutColor);
    EXPECT_SAME(CrullColor);
    EXPECT_SAME(leftmargin);
    EXPECT_SAME(topmargin);
    EXPECT_SAME(pMethod);
    EXPECT_SAME(pCenter);
    EXPECT_SAME(fStretch);
    EXPECT_SAME(fStretch1);
    EXPECT_SAME(fCenter);
    EXPECT_SAME(fCenter1);
    EXPECT_SAME(fCutColor);
    EXPECT_SAME(fCrullColor);
    EXPECT_SAME(fTMargin);
    EXPECT_SAME(fLMargin);
    EXPECT_SAME(sfText);
    EXPECT_SAME(FrontFont);
    EXPECT_SAME(FrontFontSize);
    EXPECT_SAME(fFontBold);
    EXPECT_SAME(fFontItalic);
    EXPECT_SAME(fFontCenter);
    EXPECT_SAME(fFontColor);
    EXPECT_SAME(fBackColor);
    EXPECT_SAME(fTMargin2);
    EXPECT_SAME(fLMargin2);
    EXPECT_SAME(sfText2);
    EXPECT_SAME(FrontFont2);
    EXPECT_SAME(FrontFontSize2);
    EXPECT_SAME(fFontBold2);
    EXPECT_SAME(fFontItalic2);
    EXPECT_SAME(fFontColor2);
    EXPECT_SAME(fBackColor2);
    EXPECT_SAME(WriteLines);
    EXPECT_SAME(LineNumbers);
    EXPECT_SAME(LineSpace);
}

void expectSameCoverParts(const CoverDocument& actual, const CoverDocument& expected)
{
    EXPECT_SAME(Text);
    EXPECT_SAME(Counter);
    EXPECT_SAME(Counter2);
    EXPECT_SAME(CountFrom);
    EXPECT_SAME(CountFrom2);
    EXPECT_SAME(BackPicture.ref);
    EXPECT_SAME(FrontPicture.ref);
    EXPECT_SAME(FrontPicture1.ref);
}

#undef EXPECT_SAME

// Records each status line with the view-enabled flag at that moment.
class StatusRecorder final : public ProgressView {
public:
    StatusRecorder() { setProgressView(this); }
    ~StatusRecorder() override { setProgressView(nullptr); }
    void setStatus(const QString& text) override
    {
        lines << text;
        viewWhileLoading = viewWhileLoading || app::viewEnabled;
    }
    QStringList lines;
    bool viewWhileLoading = false;
};

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        app::viewEnabled = true;
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QStringList fileLines(const QString& file) const
    {
        QStringList lines = fromWin1252(readBytes(file)).split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.back(), QString()) << "file ends with CR LF";
        lines.removeLast();
        return lines;
    }
    bool load(CoverDocument& doc, const QString& file, bool settingsOnly = false)
    {
        return LoadIniFile(doc, file, settingsOnly, kFonts, [this] { ++redraws; });
    }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    int redraws = 0;
};

} // namespace

// --- Writing ---------------------------------------------------------------

TEST_F(SettingsFile, TextModeWritesTheSectionAndFiftyFourKeysInOrder)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    ASSERT_TRUE(SaveIniFile(sampleDocument(), file, QString(), true));
    const QStringList lines = fileLines(file);
    ASSERT_EQ(lines.size(), 55);
    EXPECT_EQ(lines[0], QStringLiteral("[LastCover]"));
    for (int i = 0; i < kKeyOrder.size(); ++i)
        EXPECT_TRUE(lines[i + 1].startsWith(kKeyOrder[i] + QLatin1Char('='))) << lines[i + 1].toStdString();
    EXPECT_FALSE(fromWin1252(readBytes(file)).contains(QRegularExpression(QStringLiteral("[^\r]\n"))));
}

TEST_F(SettingsFile, TextModeReplacesAnyEarlierFile)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    writeBytes(file, "[Preset]\r\nName=old.ini\r\n[LastCover]\r\nExtra=1\r\n");
    ASSERT_TRUE(SaveIniFile(CoverDocument(), file, QStringLiteral("ignored"), true));
    const QStringList lines = fileLines(file);
    EXPECT_EQ(lines.size(), 55);
    EXPECT_EQ(lines[0], QStringLiteral("[LastCover]"));
    EXPECT_FALSE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("Preset")));
}

TEST_F(SettingsFile, ValuesAreWrittenAsTheFieldsAreRead)
{
    CoverDocument d = sampleDocument();
    d.Text = QStringLiteral("  Label  ");
    d.leftmargin = QStringLiteral("abc");
    d.topmargin = QStringLiteral("2.50 mm");
    d.CountFrom = QStringLiteral("007");
    d.CountFrom2 = QStringLiteral(" x");
    d.fTMargin = QStringLiteral("3 mm");
    d.LineSpace = QStringLiteral("  6 ");
    d.ForeColor = -2147483633;
    d.FontBold2 = 0;   // contents italic off
    d.FontItalic2 = 1; // contents bold on
    d.BackPicture.ref = QStringLiteral("/covers/back.jpg");
    const QString file = path(QStringLiteral("v.ini"));
    ASSERT_TRUE(SaveIniFile(d, file, QString(), true));
    const QStringList lines = fileLines(file);
    const auto line = [&](const char* key) {
        for (const QString& l : lines) {
            if (l.startsWith(QLatin1String(key) + QLatin1Char('=')))
                return l.mid(int(qstrlen(key)) + 1);
        }
        return QStringLiteral("<missing>");
    };
    EXPECT_EQ(line("Text"), QStringLiteral("\"  Label  \""));
    EXPECT_EQ(line("leftmargin"), QStringLiteral("0"));
    EXPECT_EQ(line("topmargin"), QStringLiteral("2.5"));
    EXPECT_EQ(line("CountFrom"), QStringLiteral("7"));
    EXPECT_EQ(line("CountFrom2"), QStringLiteral("0"));
    EXPECT_EQ(line("fTMargin"), QStringLiteral("3 mm"));
    EXPECT_EQ(line("LineSpace"), QStringLiteral("6"));
    EXPECT_EQ(line("ForeColor"), QStringLiteral("-2147483633"));
    EXPECT_EQ(line("BackColor"), QStringLiteral("1193046"));
    EXPECT_EQ(line("pMethod"), QStringLiteral("3"));
    EXPECT_EQ(line("FontBold2"), QStringLiteral("0"));
    EXPECT_EQ(line("FontItalic2"), QStringLiteral("1"));
    EXPECT_EQ(line("BackPicture"), QStringLiteral("/covers/back.jpg"));
    EXPECT_EQ(line("FrontPicture"), QString());
}

TEST_F(SettingsFile, NoPlacementWritesAnEmptyValue)
{
    CoverDocument d;
    d.pMethod = -1;
    const QString file = path(QStringLiteral("v.ini"));
    ASSERT_TRUE(SaveIniFile(d, file, QString(), true));
    EXPECT_TRUE(fileLines(file).contains(QStringLiteral("pMethod=")));
}

TEST_F(SettingsFile, RelativeReferencesReplaceTheDocumentsOnes)
{
    CoverDocument d;
    d.BackPicture.ref = QStringLiteral("/work/tmp/back.png");
    d.FrontPicture.ref = QStringLiteral("none");
    d.FrontPicture1.ref = QStringLiteral("/work/tmp/inner.png");
    const QString file = path(QStringLiteral("v.ini"));
    ASSERT_TRUE(SaveIniFile(d, file, QString(), true, {QStringLiteral("{back.png}"), QString(), QStringLiteral("{inner.png}")}));
    const QStringList lines = fileLines(file);
    EXPECT_TRUE(lines.contains(QStringLiteral("BackPicture={back.png}")));
    EXPECT_TRUE(lines.contains(QStringLiteral("FrontPicture=none")));
    EXPECT_TRUE(lines.contains(QStringLiteral("FrontPicture1={inner.png}")));
}

TEST_F(SettingsFile, LineBreaksInAValueCannotStartAnotherKey)
{
    CoverDocument d;
    d.Text = QStringLiteral("one\r\nFlipLabels=1\ntwo");
    const QString file = path(QStringLiteral("v.ini"));
    ASSERT_TRUE(SaveIniFile(d, file, QString(), true));
    EXPECT_EQ(fileLines(file).size(), 55);
    CoverDocument back;
    load(back, file);
    EXPECT_EQ(back.Text, QStringLiteral("one FlipLabels=1 two"));
    EXPECT_EQ(back.FlipLabels, 0);
}

TEST_F(SettingsFile, ProfileModeKeepsOtherSectionsAndReplacesInPlace)
{
    const QString file = path(QStringLiteral("style.ini"));
    writeBytes(file, "[Other]\r\nKeep=yes\r\n[LastCover]\r\nFontsize=9\r\nUnknown=x\r\n");
    ASSERT_TRUE(SaveIniFile(sampleDocument(), file, QStringLiteral("style.ini")));
    const QStringList lines = fileLines(file);
    EXPECT_EQ(lines[0], QStringLiteral("[Other]"));
    EXPECT_EQ(lines[1], QStringLiteral("Keep=yes"));
    EXPECT_EQ(lines[2], QStringLiteral("[LastCover]"));
    EXPECT_EQ(lines[3], QStringLiteral("Fontsize=22")); // replaced where it stood
    EXPECT_EQ(lines.count(QStringLiteral("Unknown=x")), 1);
    EXPECT_EQ(ReadINI(file, QStringLiteral("Preset"), QStringLiteral("Name")), QStringLiteral("style.ini"));
    for (const QString& key : kKeyOrder)
        EXPECT_EQ(lines.filter(QRegularExpression(QLatin1Char('^') + key + QLatin1Char('='))).size(), 1) << key.toStdString();

    CoverDocument back;
    load(back, file);
    expectSameSettings(back, sampleDocument());
}

TEST_F(SettingsFile, ProfileModeWritesThePresetNameFirst)
{
    const QString file = path(QStringLiteral("new.ini"));
    ASSERT_TRUE(SaveIniFile(CoverDocument(), file, QStringLiteral("new.ini")));
    const QStringList lines = fileLines(file);
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("[Preset]"));
    EXPECT_EQ(lines[1], QStringLiteral("Name=new.ini"));
    EXPECT_EQ(lines[2], QStringLiteral("[LastCover]"));
    EXPECT_EQ(lines.size(), 57);
}

TEST_F(SettingsFile, AFailedWriteReportsAndReturnsFalse)
{
    NumberedLanguage language;
    ASSERT_TRUE(language.loaded());
    const QString inMissingFolder = path(QStringLiteral("no/such/folder/vorn.ini"));
    EXPECT_FALSE(SaveIniFile(CoverDocument(), inMissingFolder, QString(), true));
    EXPECT_FALSE(SaveIniFile(CoverDocument(), inMissingFolder, QStringLiteral("p.ini")));
    EXPECT_FALSE(SaveIniFile(CoverDocument(), path(QString()))); // the folder itself
    ASSERT_EQ(dialogs.shown.size(), 3u);
    for (const FakeDialogs::Shown& shown : dialogs.shown) {
        EXPECT_EQ(shown.text, QStringLiteral("Message 16"));
        EXPECT_EQ(shown.title, QStringLiteral("Message 14"));
        EXPECT_EQ(shown.icon, MsgIcon::Critical);
    }
}

TEST_F(SettingsFile, ALoadProblemShowsTheLoadErrorWithDetails)
{
    NumberedLanguage language;
    ASSERT_TRUE(language.loaded());
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("ForeColor=red")});
    CoverDocument d;
    EXPECT_FALSE(load(d, file));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Message 17\r\n\r\nForeColor=red"));
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Message 14"));
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::Ok);
}

// --- Round trips -----------------------------------------------------------

TEST_F(SettingsFile, EverySettingSurvivesATextModeRoundTrip)
{
    // Flag i takes bit k of i in pattern k, and the opposite in its complement: any two
    // flags differ somewhere, and every flag is written both ways.
    std::vector<unsigned> patterns;
    for (int k = 0; k < 5; ++k) {
        unsigned pattern = 0;
        for (int i = 0; i < 21; ++i)
            pattern |= unsigned((i >> k) & 1) << i;
        patterns.push_back(pattern);
        patterns.push_back(~pattern);
    }
    for (unsigned pattern : patterns) {
        const CoverDocument saved = withFlags(pattern);
        const QString file = path(QStringLiteral("vorn.ini"));
        ASSERT_TRUE(SaveIniFile(saved, file, QString(), true));
        CoverDocument loaded;
        EXPECT_TRUE(load(loaded, file));
        expectSameSettings(loaded, saved);
        expectSameCoverParts(loaded, saved);
    }
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(redraws, 10);
}

TEST_F(SettingsFile, ContentsBoldNotItalicStoresTheSwappedFlags)
{
    CoverDocument d;
    d.FontItalic2 = 1; // bold
    d.FontBold2 = 0;   // italic
    const QString file = path(QStringLiteral("vorn.ini"));
    ASSERT_TRUE(SaveIniFile(d, file, QString(), true));
    EXPECT_EQ(ReadINI(file, QStringLiteral("LastCover"), QStringLiteral("FontBold2")), QStringLiteral("0"));
    EXPECT_EQ(ReadINI(file, QStringLiteral("LastCover"), QStringLiteral("FontItalic2")), QStringLiteral("1"));
    CoverDocument loaded;
    load(loaded, file);
    EXPECT_TRUE(contentsFont(loaded).bold());
    EXPECT_FALSE(contentsFont(loaded).italic());
}

TEST_F(SettingsFile, LabelKeepsLeadingAndTrailingSpaces)
{
    CoverDocument d;
    d.Text = QStringLiteral("  Live at home  ");
    const QString file = path(QStringLiteral("vorn.ini"));
    ASSERT_TRUE(SaveIniFile(d, file, QString(), true));
    CoverDocument loaded;
    load(loaded, file);
    EXPECT_EQ(loaded.Text, QStringLiteral("  Live at home  "));
}

TEST_F(SettingsFile, WindowsCharactersSurviveInEveryTextField)
{
    CoverDocument d = sampleDocument();
    d.Text = QStringLiteral("Œuvres “complètes” – 5€");
    d.Fontname = QStringLiteral("Café Sans");
    d.Fontname2 = QStringLiteral("Café Sans");
    d.FrontFont = QStringLiteral("Café Sans");
    d.FrontFont2 = QStringLiteral("Café Sans");
    d.fTMargin = QStringLiteral("3 ½");
    d.BackPicture.ref = QStringLiteral("/bilder/Rückseite.jpg");
    d.FrontPicture.ref = QStringLiteral("/bilder/façade.jpg");
    d.FrontPicture1.ref = QStringLiteral("/bilder/Innenseite™.jpg");
    const QString file = path(QStringLiteral("vorn.ini"));
    ASSERT_TRUE(SaveIniFile(d, file, QString(), true));
    const QByteArray bytes = readBytes(file);
    EXPECT_TRUE(bytes.contains("5\x80\""));         // euro sign in Windows-1252
    EXPECT_TRUE(bytes.contains("Caf\xE9 Sans"));
    EXPECT_TRUE(bytes.contains("Innenseite\x99.jpg"));
    CoverDocument loaded;
    load(loaded, file);
    EXPECT_EQ(loaded.Text, d.Text);
    EXPECT_EQ(loaded.Fontname, d.Fontname);
    EXPECT_EQ(loaded.FrontFont2, d.FrontFont2);
    EXPECT_EQ(loaded.fTMargin, d.fTMargin);
    EXPECT_EQ(loaded.BackPicture.ref, d.BackPicture.ref);
    EXPECT_EQ(loaded.FrontPicture.ref, d.FrontPicture.ref);
    EXPECT_EQ(loaded.FrontPicture1.ref, d.FrontPicture1.ref);
}

TEST_F(SettingsFile, AFileWrittenOnWindowsLoadsAndSavesUnchanged)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_TEST_DATA "/document/windows_vorn.ini"), file));
    savePicture(path(QStringLiteral("back.jpg")), Qt::yellow, "JPG");
    const QByteArray original = readBytes(file);

    CoverDocument d;
    EXPECT_TRUE(load(d, file));
    EXPECT_EQ(d.Text, QStringLiteral("  Sigur Rós – Ágætis byrjun  "));
    EXPECT_EQ(d.Fontname, QStringLiteral("Verdana"));
    EXPECT_EQ(d.FrontFont2, QStringLiteral("Arial")); // not installed here
    EXPECT_EQ(d.ForeColor2, 0x800000);
    EXPECT_EQ(d.pMethod, 2);
    EXPECT_EQ(d.fStretch, 1);
    EXPECT_EQ(d.fStretch1, 0);
    EXPECT_EQ(d.BackPicture.ref, path(QStringLiteral("back.jpg")));
    EXPECT_FALSE(d.BackPicture.image.isNull());
    EXPECT_EQ(d.FrontPicture.ref, QStringLiteral("C:\\Dokumente\\front.jpg"));
    EXPECT_TRUE(d.FrontPicture.image.isNull());
    EXPECT_EQ(d.FrontPicture1.ref, QStringLiteral("none"));
    EXPECT_EQ(d.LineSpace, QStringLiteral("6"));

    ASSERT_TRUE(SaveIniFile(d, path(QStringLiteral("again.ini")), QString(), true, {QStringLiteral("{back.jpg}"), {}, {}}));
    QByteArray expected = original;
    expected.replace("FrontFont2=Times New Roman", "FrontFont2=Arial");
    EXPECT_EQ(readBytes(path(QStringLiteral("again.ini"))), expected);
}

// --- Pictures --------------------------------------------------------------

TEST_F(SettingsFile, RelativeReferencesLoadFromTheSettingsFilesFolder)
{
    savePicture(path(QStringLiteral("back.png")), Qt::red);
    savePicture(path(QStringLiteral("inner.bmp")), Qt::blue, "BMP");
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("BackPicture={back.png}"), QStringLiteral("FrontPicture1={inner.bmp}")});
    CoverDocument d;
    EXPECT_TRUE(load(d, file));
    EXPECT_EQ(d.BackPicture.ref, path(QStringLiteral("back.png")));
    ASSERT_FALSE(d.BackPicture.image.isNull());
    EXPECT_EQ(d.BackPicture.image.pixelColor(3, 3), QColor(Qt::red));
    EXPECT_EQ(d.FrontPicture1.ref, path(QStringLiteral("inner.bmp")));
    EXPECT_EQ(d.FrontPicture1.image.pixelColor(3, 3), QColor(Qt::blue));
    EXPECT_TRUE(d.FrontPicture.image.isNull());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SettingsFile, TwoSlotsMayShareOnePicture)
{
    savePicture(path(QStringLiteral("same.png")), Qt::green);
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("FrontPicture={same.png}"), QStringLiteral("FrontPicture1={same.png}")});
    CoverDocument d;
    load(d, file);
    EXPECT_EQ(d.FrontPicture.ref, d.FrontPicture1.ref);
    EXPECT_EQ(d.FrontPicture.image.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(d.FrontPicture1.image.pixelColor(1, 1), QColor(Qt::green));
}

TEST_F(SettingsFile, NoneAndMissingFilesLoadNoImageAndNoMessage)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("BackPicture=none"), QStringLiteral("FrontPicture={gone.png}"),
                         QStringLiteral("FrontPicture1=C:\\Covers\\old.jpg")});
    CoverDocument d;
    d.BackPicture.image = QImage(5, 5, QImage::Format_RGB32);
    EXPECT_TRUE(load(d, file));
    EXPECT_EQ(d.BackPicture.ref, QStringLiteral("none"));
    EXPECT_TRUE(d.BackPicture.image.isNull());
    EXPECT_EQ(d.FrontPicture.ref, path(QStringLiteral("gone.png")));
    EXPECT_TRUE(d.FrontPicture.image.isNull());
    EXPECT_EQ(d.FrontPicture1.ref, QStringLiteral("C:\\Covers\\old.jpg"));
    EXPECT_TRUE(d.FrontPicture1.image.isNull());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SettingsFile, AFileNamedNoneInTheCurrentFolderIsNotLoaded)
{
    savePicture(path(QStringLiteral("none")), Qt::red);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("BackPicture=none"), QStringLiteral("FrontPicture=relative.png")});
    savePicture(path(QStringLiteral("relative.png")), Qt::red);
    CoverDocument d;
    load(d, file);
    QDir::setCurrent(previous);
    EXPECT_TRUE(d.BackPicture.image.isNull());
    EXPECT_TRUE(d.FrontPicture.image.isNull());
}

TEST_F(SettingsFile, AnEmptyPictureValueKeepsTheReference)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("BackPicture=")});
    CoverDocument d;
    d.BackPicture.ref = QStringLiteral("/keep/me.png");
    d.BackPicture.image = QImage(5, 5, QImage::Format_RGB32);
    load(d, file);
    EXPECT_EQ(d.BackPicture.ref, QStringLiteral("/keep/me.png"));
    EXPECT_TRUE(d.BackPicture.image.isNull()); // a full load empties every image first
}

TEST_F(SettingsFile, APictureThatDoesNotDecodeIsReportedAndTheRestApplied)
{
    writeBytes(path(QStringLiteral("broken.jpg")), "JFIF? no, just text");
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("BackPicture={broken.jpg}"), QStringLiteral("FlipLabels=1"),
                         QStringLiteral("LineSpace=8")});
    CoverDocument d;
    EXPECT_FALSE(load(d, file));
    EXPECT_EQ(d.BackPicture.ref, path(QStringLiteral("broken.jpg")));
    EXPECT_TRUE(d.BackPicture.image.isNull());
    EXPECT_EQ(d.FlipLabels, 1);
    EXPECT_EQ(d.LineSpace, QStringLiteral("8"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(dialogs.shown[0].text.contains(path(QStringLiteral("broken.jpg"))));
    EXPECT_EQ(redraws, 1);
    EXPECT_TRUE(app::viewEnabled);
}

TEST_F(SettingsFile, AnAbsurdlyLargePictureIsRefused)
{
    QFile::copy(QStringLiteral(CASELEAF_TEST_DATA "/document/huge_20000x20000.png"), path(QStringLiteral("huge.png")));
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("FrontPicture={huge.png}")});
    CoverDocument d;
    EXPECT_FALSE(load(d, file));
    EXPECT_TRUE(d.FrontPicture.image.isNull());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("20000 x 20000")));
}

TEST_F(SettingsFile, LastPathReplacesTheBackReferenceButNotItsImage)
{
    savePicture(path(QStringLiteral("back.png")), Qt::red);
    const QString file = path(QStringLiteral("old.ini"));
    writeSettings(file, {QStringLiteral("BackPicture={back.png}"), QStringLiteral("LastPath=/somewhere/else/")});
    CoverDocument d;
    load(d, file);
    EXPECT_EQ(d.BackPicture.ref, QStringLiteral("/somewhere/else/"));
    EXPECT_FALSE(d.BackPicture.image.isNull());

    CoverDocument styled;
    styled.BackPicture.ref = QStringLiteral("/mine.png");
    load(styled, file, true);
    EXPECT_EQ(styled.BackPicture.ref, QStringLiteral("/mine.png"));
}

TEST(CheckImport, BracedNamesLieBesideTheSettingsFile)
{
    EXPECT_EQ(CheckImport(QStringLiteral("{a.jpg}"), QStringLiteral("/x/y/vorn.ini")), QStringLiteral("/x/y/a.jpg"));
    EXPECT_EQ(CheckImport(QStringLiteral("{my pic.bmp}"), QStringLiteral("/x/vorn.ini")), QStringLiteral("/x/my pic.bmp"));
}

TEST(CheckImport, ABracedNameCannotLeaveTheFolder)
{
    EXPECT_EQ(CheckImport(QStringLiteral("{../../etc/passwd}"), QStringLiteral("/x/y/vorn.ini")),
              QStringLiteral("/x/y/passwd"));
    EXPECT_EQ(CheckImport(QStringLiteral("{C:\\Covers\\a.jpg}"), QStringLiteral("/x/vorn.ini")), QStringLiteral("/x/a.jpg"));
}

TEST(CheckImport, OtherReferencesAreReturnedUnchanged)
{
    for (const QString& ref : {QString(), QStringLiteral("none"), QStringLiteral("/full/path.png"),
                               QStringLiteral("{"), QStringLiteral("}"), QStringLiteral("{a.jpg"), QStringLiteral("a.jpg}")})
        EXPECT_EQ(CheckImport(ref, QStringLiteral("/x/vorn.ini")), ref);
}

// --- Missing keys, settings-only loads --------------------------------------

TEST_F(SettingsFile, MissingKeysTakeTheirDefaults)
{
    CoverDocument d = sampleDocument();
    d.Fontsize = QStringLiteral("28");
    d.Fontsize2 = QStringLiteral("7");
    d.Text = QStringLiteral("old label");
    d.BackPicture.ref = QStringLiteral("/old.png");
    const CoverDocument before = d;
    EXPECT_TRUE(load(d, path(QStringLiteral("does-not-exist.ini"))));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(redraws, 1);

    EXPECT_EQ(d.Fontname, QStringLiteral("Arial"));
    EXPECT_EQ(d.Fontname2, QStringLiteral("Arial"));
    EXPECT_EQ(d.FrontFont, QStringLiteral("Arial"));
    EXPECT_EQ(d.FrontFont2, QStringLiteral("Arial"));
    EXPECT_EQ(d.Fontsize, QStringLiteral("28"));
    EXPECT_EQ(d.Fontsize2, QStringLiteral("7"));
    EXPECT_EQ(d.FrontFontSize, QStringLiteral("9"));
    EXPECT_EQ(d.FrontFontSize2, QStringLiteral("9"));
    for (int flag : {d.FontBold, d.FontItalic, d.FontBold2, d.FontItalic2, d.FlipLabels, d.fStretch, d.fStretch1,
                     d.fCenter, d.fCenter1, d.sfText, d.fFontBold, d.fFontItalic, d.fFontCenter, d.sfText2,
                     d.fFontBold2, d.fFontItalic2, d.WriteLines, d.LineNumbers})
        EXPECT_EQ(flag, 0);
    EXPECT_EQ(d.Text, QString());
    EXPECT_EQ(d.ForeColor, before.ForeColor);
    EXPECT_EQ(d.ForeColor2, before.ForeColor2);
    EXPECT_EQ(d.BackColor, before.BackColor);
    EXPECT_EQ(d.CutColor, before.CutColor);
    EXPECT_EQ(d.CrullColor, before.CrullColor);
    for (int color : {d.fCutColor, d.fCrullColor, d.fFontColor, d.fBackColor, d.fFontColor2, d.fBackColor2})
        EXPECT_EQ(color, 0);
    EXPECT_EQ(d.BackPicture.ref, QStringLiteral("/old.png"));
    EXPECT_EQ(d.pMethod, 1);
    EXPECT_EQ(d.pCenter, 1);
    EXPECT_EQ(d.Counter, 1);
    EXPECT_EQ(d.Counter2, 1);
    EXPECT_EQ(d.CountFrom, QStringLiteral("1"));
    EXPECT_EQ(d.CountFrom2, QStringLiteral("1"));
    EXPECT_TRUE(controlStates(d).countFrom);
    for (const QString& margin : {d.topmargin, d.leftmargin, d.fTMargin, d.fLMargin, d.fTMargin2, d.fLMargin2})
        EXPECT_EQ(margin, QString());
    EXPECT_EQ(d.LineSpace, before.LineSpace); // a spacing of 0 cannot be shown; the old one stays
}

TEST_F(SettingsFile, ASettingsOnlyLoadLeavesLabelPicturesAndCounters)
{
    savePicture(path(QStringLiteral("p.png")), Qt::red);
    const QString preset = path(QStringLiteral("preset.ini"));
    CoverDocument style = sampleDocument();
    style.Text = QStringLiteral("preset label");
    style.BackPicture.ref = QStringLiteral("{p.png}");
    style.FrontPicture.ref = QStringLiteral("none");
    ASSERT_TRUE(SaveIniFile(style, preset, QStringLiteral("preset.ini")));

    CoverDocument cover;
    cover.Text = QStringLiteral("  my label ");
    cover.Counter = 1;
    cover.Counter2 = 1;
    cover.CountFrom = QStringLiteral("3");
    cover.CountFrom2 = QStringLiteral("4");
    cover.BackPicture = {QStringLiteral("/pics/a.png"), QImage(4, 4, QImage::Format_RGB32)};
    cover.FrontPicture = {QStringLiteral("/pics/b.png"), QImage(5, 5, QImage::Format_RGB32)};
    const CoverDocument before = cover;
    EXPECT_TRUE(load(cover, preset, true));

    expectSameSettings(cover, style);
    expectSameCoverParts(cover, before);
    EXPECT_EQ(cover.BackPicture.image.size(), QSize(4, 4));
    EXPECT_EQ(cover.FrontPicture.image.size(), QSize(5, 5));
    EXPECT_EQ(redraws, 1);
}

TEST_F(SettingsFile, ProgressLinesAreShownWithTheViewOff)
{
    savePicture(path(QStringLiteral("back.png")), Qt::red);
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("BackPicture={back.png}")});
    bool viewAtRedraw = false;
    StatusRecorder status;
    CoverDocument d;
    LoadIniFile(d, file, false, kFonts, [&] { viewAtRedraw = app::viewEnabled; });
    const QString size = FormatByteSize(double(QFileInfo(path(QStringLiteral("back.png"))).size()));
    const QStringList expected = {
        "Loading font(1)...", "Loading font(2)...", "Loading font(3)...", "Loading font(4)...",
        "Loading font-size(1)...", "Loading font-size(2)...", "Loading font-size(3)...", "Loading font-size(4)...",
        "Loading global settings...", "Loading picture(1)...(" + size + ")", "Creating view...", "Setting values...",
        "Updating view..."};
    EXPECT_EQ(status.lines, expected);
    EXPECT_FALSE(status.viewWhileLoading);
    EXPECT_TRUE(viewAtRedraw);
}

// --- Font and size matching on load -----------------------------------------

TEST_F(SettingsFile, StoredFontsAndSizesAreMatchedAgainstTheLists)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("Fontname=ARIAL"), QStringLiteral("Fontname2=Wingdings Extra"),
                         QStringLiteral("FrontFont=verdana"), QStringLiteral("FrontFontSize=12.0"),
                         QStringLiteral("FrontFontSize2=11.5"), QStringLiteral("Fontsize=13.0"),
                         QStringLiteral("Fontsize2=18")});
    CoverDocument d;
    d.Fontsize = QStringLiteral("16");
    load(d, file);
    EXPECT_EQ(d.Fontname, QStringLiteral("Arial"));
    EXPECT_EQ(d.Fontname2, QStringLiteral("Arial"));
    EXPECT_EQ(d.FrontFont, QStringLiteral("Verdana"));
    EXPECT_EQ(d.FrontFont2, QStringLiteral("Arial"));
    EXPECT_EQ(d.FrontFontSize, QStringLiteral("12"));
    EXPECT_EQ(d.FrontFontSize2, QStringLiteral("9"));
    EXPECT_EQ(d.Fontsize, QStringLiteral("16")); // "13.0" is no list entry
    EXPECT_EQ(d.Fontsize2, QStringLiteral("18"));
}

TEST_F(SettingsFile, WithoutAFontListTheStoredNameIsKept)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("Fontname=Verdana")});
    CoverDocument d;
    LoadIniFile(d, file, false, QStringList());
    EXPECT_EQ(d.Fontname, QStringLiteral("Verdana"));
    EXPECT_EQ(d.Fontname2, QString());
}

// --- Bad values ---------------------------------------------------------------

TEST_F(SettingsFile, ANonNumericColourIsSkippedReportedAndTheRestApplied)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("ForeColor=abc"), QStringLiteral("BackColor=255"),
                         QStringLiteral("CutColor=99999999999"), QStringLiteral("fFontColor=1e12"),
                         QStringLiteral("FlipLabels=1"), QStringLiteral("LineSpace=7")});
    CoverDocument d;
    d.ForeColor = 0x010203;
    d.CutColor = 0x040506;
    d.fFontColor = 0x070809;
    EXPECT_FALSE(load(d, file));
    EXPECT_EQ(d.ForeColor, 0x010203);
    EXPECT_EQ(d.CutColor, 0x040506);
    EXPECT_EQ(d.fFontColor, 0x070809);
    EXPECT_EQ(d.BackColor, 255);
    EXPECT_EQ(d.FlipLabels, 1);
    EXPECT_EQ(d.LineSpace, QStringLiteral("7"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("ForeColor=abc")));
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("CutColor=99999999999")));
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("fFontColor=1e12")));
    EXPECT_TRUE(app::viewEnabled);
    EXPECT_EQ(redraws, 1);
}

TEST_F(SettingsFile, ColoursMayBeFractionsOrHexadecimal)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("ForeColor=12.6"), QStringLiteral("ForeColor2=&HFF00"),
                         QStringLiteral("BackColor=&H8000000F"), QStringLiteral("CutColor=-1"),
                         QStringLiteral("fCutColor=42abc")});
    CoverDocument d;
    EXPECT_TRUE(load(d, file));
    EXPECT_EQ(d.ForeColor, 13);
    EXPECT_EQ(d.ForeColor2, 0xFF00);
    EXPECT_EQ(d.BackColor, int(0x8000000Fu));
    EXPECT_EQ(d.CutColor, -1);
    EXPECT_EQ(d.fCutColor, 42);
}

TEST_F(SettingsFile, APlacementOutsideZeroToThreeIsSkippedAndReported)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("pMethod=7"), QStringLiteral("pCenter=0"), QStringLiteral("WriteLines=1")});
    CoverDocument d;
    d.pMethod = 2;
    EXPECT_FALSE(load(d, file));
    EXPECT_EQ(d.pMethod, 2);
    EXPECT_EQ(d.pCenter, 0);
    EXPECT_EQ(d.WriteLines, 1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("pMethod=7")));

    writeSettings(file, {QStringLiteral("pMethod=-1")});
    EXPECT_FALSE(load(d, file));
    EXPECT_EQ(d.pMethod, 2);
    writeSettings(file, {QStringLiteral("pMethod=0")});
    EXPECT_TRUE(load(d, file));
    EXPECT_EQ(d.pMethod, 0);
}

TEST_F(SettingsFile, FlagsAreOnForAnyNumberButZero)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("FontBold=-1"), QStringLiteral("FontItalic=2"), QStringLiteral("FlipLabels=0.4"),
                         QStringLiteral("sfText=yes"), QStringLiteral("fStretch=0.4"), QStringLiteral("fStretch1=abc"),
                         QStringLiteral("Counter=0")});
    CoverDocument d;
    EXPECT_TRUE(load(d, file));
    EXPECT_EQ(d.FontBold, 1);
    EXPECT_EQ(d.FontItalic, 1);
    EXPECT_EQ(d.FlipLabels, 0);
    EXPECT_EQ(d.sfText, 0);
    EXPECT_EQ(d.fStretch, 1); // any value but 0 selects "Stretch"
    EXPECT_EQ(d.fStretch1, 0);
    EXPECT_EQ(d.Counter, 0);
    EXPECT_FALSE(controlStates(d).countFrom);
}

TEST_F(SettingsFile, MarginsAndSpacingStayWithinWhatTheEditorCanShow)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("topmargin=15"), QStringLiteral("leftmargin=-3"), QStringLiteral("fTMargin=4 mm"),
                         QStringLiteral("fLMargin=abc"), QStringLiteral("LineSpace=75")});
    CoverDocument d;
    EXPECT_TRUE(load(d, file));
    EXPECT_EQ(d.topmargin, QStringLiteral("10"));
    EXPECT_EQ(d.leftmargin, QStringLiteral("0"));
    EXPECT_EQ(d.fTMargin, QStringLiteral("4 mm"));
    EXPECT_EQ(d.fLMargin, QStringLiteral("abc"));
    EXPECT_EQ(d.LineSpace, QStringLiteral("60"));

    writeSettings(file, {QStringLiteral("LineSpace=7.6")});
    load(d, file);
    EXPECT_EQ(d.LineSpace, QStringLiteral("8"));
    writeSettings(file, {QStringLiteral("LineSpace=0")});
    load(d, file);
    EXPECT_EQ(d.LineSpace, QStringLiteral("8"));
}

TEST_F(SettingsFile, AVeryLongValueIsCutTo2047Characters)
{
    const QString label = QString(3000, QLatin1Char('x'));
    const QString file = path(QStringLiteral("vorn.ini"));
    writeSettings(file, {QStringLiteral("Text=") + label, QStringLiteral("Fontname=") + label,
                         QStringLiteral("ForeColor=") + QString(3000, QLatin1Char('7')), QStringLiteral("sfText=1")});
    CoverDocument d;
    EXPECT_FALSE(load(d, file)); // 2047 sevens are no colour
    EXPECT_EQ(d.Text, label.left(2047));
    EXPECT_EQ(d.Fontname, QStringLiteral("Arial"));
    EXPECT_EQ(d.sfText, 1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_LT(dialogs.shown[0].text.size(), 500); // the message shows the start of the value only
}

TEST_F(SettingsFile, AHugeFileIsRefusedWithoutTouchingTheCover)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    QByteArray bytes = "[LastCover]\r\nFlipLabels=1\r\n";
    bytes.append(QByteArray(2 * 1024 * 1024, ' '));
    writeBytes(file, bytes);
    CoverDocument d;
    d.BackPicture.image = QImage(3, 3, QImage::Format_RGB32);
    app::viewEnabled = true;
    EXPECT_FALSE(load(d, file));
    EXPECT_EQ(d.FlipLabels, 0);
    EXPECT_FALSE(d.BackPicture.image.isNull());
    EXPECT_TRUE(app::viewEnabled);
    EXPECT_EQ(redraws, 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains(file));
}

TEST_F(SettingsFile, ATruncatedFileAppliesWhatItHolds)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    ASSERT_TRUE(SaveIniFile(sampleDocument(), file, QString(), true));
    QByteArray bytes = readBytes(file);
    const int cut = bytes.indexOf("ForeColor2=") + 13; // in the middle of that value
    writeBytes(file, bytes.left(cut));
    CoverDocument d;
    EXPECT_TRUE(load(d, file));
    EXPECT_EQ(d.Fontname, QStringLiteral("Courier New"));
    EXPECT_EQ(d.Text, QStringLiteral("Greatest hits"));
    EXPECT_EQ(d.ForeColor, 0x0000FF);
    EXPECT_EQ(d.ForeColor2, 65);    // "65280" cut after two digits
    EXPECT_EQ(d.pMethod, 1);        // missing from here on
    EXPECT_EQ(d.FrontFontSize, QStringLiteral("9"));
    EXPECT_EQ(redraws, 1);
}

TEST_F(SettingsFile, KeysAndSectionAreMatchedWithoutCase)
{
    const QString file = path(QStringLiteral("vorn.ini"));
    writeBytes(file, "[lastcover]\r\nFONTBOLD=1\r\nfliplabels = 1 \r\ntext=' quoted '\r\n");
    CoverDocument d;
    load(d, file);
    EXPECT_EQ(d.FontBold, 1);
    EXPECT_EQ(d.FlipLabels, 1);
    EXPECT_EQ(d.Text, QStringLiteral(" quoted "));
}
