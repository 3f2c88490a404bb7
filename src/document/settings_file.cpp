#include "document/settings_file.h"

#include "document/cover_document.h"
#include "document/font_matching.h"
#include "platform/dialogs.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/progress.h"
#include "toolbox/byte_size.h"
#include "toolbox/ini_file.h"
#include "toolbox/paths.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

const QString kSection = QStringLiteral("LastCover");

using KeyValues = std::vector<std::pair<QString, QString>>;

QString flagText(int flag)
{
    return flag != 0 ? QStringLiteral("1") : QStringLiteral("0");
}

// Values are single lines; a line break inside one would start a bogus key line.
QString oneLine(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

QString pictureRef(const QString& relative, const CoverPicture& picture)
{
    return relative.isEmpty() ? picture.ref : relative;
}

// The keys in the order files have always held them.
KeyValues settingsValues(const CoverDocument& d, const RelativePictureRefs& rel)
{
    const auto number = [](const QString& text) { return numberText(leadingNumber(text)); };
    const QString placement = d.pMethod >= 0 && d.pMethod <= 3 ? QString::number(d.pMethod) : QString();
    KeyValues v = {
        {QStringLiteral("Fontname"), d.Fontname},
        {QStringLiteral("Fontsize"), d.Fontsize},
        {QStringLiteral("FontBold"), flagText(d.FontBold)},
        {QStringLiteral("FontItalic"), flagText(d.FontItalic)},
        {QStringLiteral("Fontname2"), d.Fontname2},
        {QStringLiteral("Fontsize2"), d.Fontsize2},
        {QStringLiteral("FontBold2"), flagText(d.FontBold2)},
        {QStringLiteral("FontItalic2"), flagText(d.FontItalic2)},
        {QStringLiteral("FlipLabels"), flagText(d.FlipLabels)},
        // The quotes keep the label's leading and trailing spaces through the reader.
        {QStringLiteral("Text"), QLatin1Char('"') + d.Text + QLatin1Char('"')},
        {QStringLiteral("ForeColor"), QString::number(d.ForeColor)},
        {QStringLiteral("ForeColor2"), QString::number(d.ForeColor2)},
        {QStringLiteral("BackColor"), QString::number(d.BackColor)},
        {QStringLiteral("CutColor"), QString::number(d.CutColor)},
        {QStringLiteral("CrullColor"), QString::number(d.CrullColor)},
        {QStringLiteral("BackPicture"), pictureRef(rel.back, d.BackPicture)},
        {QStringLiteral("leftmargin"), number(d.leftmargin)},
        {QStringLiteral("topmargin"), number(d.topmargin)},
        {QStringLiteral("pMethod"), placement},
        {QStringLiteral("pCenter"), flagText(d.pCenter)},
        {QStringLiteral("Counter"), flagText(d.Counter)},
        {QStringLiteral("Counter2"), flagText(d.Counter2)},
        {QStringLiteral("CountFrom"), number(d.CountFrom)},
        {QStringLiteral("CountFrom2"), number(d.CountFrom2)},
        {QStringLiteral("fStretch"), flagText(d.fStretch)},
        {QStringLiteral("fStretch1"), flagText(d.fStretch1)},
        {QStringLiteral("fCenter"), flagText(d.fCenter)},
        {QStringLiteral("fCenter1"), flagText(d.fCenter1)},
        {QStringLiteral("fCutColor"), QString::number(d.fCutColor)},
        {QStringLiteral("fCrullColor"), QString::number(d.fCrullColor)},
        {QStringLiteral("fTMargin"), d.fTMargin},
        {QStringLiteral("fLMargin"), d.fLMargin},
        {QStringLiteral("sfText"), flagText(d.sfText)},
        {QStringLiteral("FrontFont"), d.FrontFont},
        {QStringLiteral("FrontFontSize"), d.FrontFontSize},
        {QStringLiteral("fFontBold"), flagText(d.fFontBold)},
        {QStringLiteral("fFontItalic"), flagText(d.fFontItalic)},
        {QStringLiteral("fFontCenter"), flagText(d.fFontCenter)},
        {QStringLiteral("fFontColor"), QString::number(d.fFontColor)},
        {QStringLiteral("fBackColor"), QString::number(d.fBackColor)},
        {QStringLiteral("FrontPicture"), pictureRef(rel.front, d.FrontPicture)},
        {QStringLiteral("FrontPicture1"), pictureRef(rel.front1, d.FrontPicture1)},
        {QStringLiteral("fTMargin2"), d.fTMargin2},
        {QStringLiteral("fLMargin2"), d.fLMargin2},
        {QStringLiteral("sfText2"), flagText(d.sfText2)},
        {QStringLiteral("FrontFont2"), d.FrontFont2},
        {QStringLiteral("FrontFontSize2"), d.FrontFontSize2},
        {QStringLiteral("fFontBold2"), flagText(d.fFontBold2)},
        {QStringLiteral("fFontItalic2"), flagText(d.fFontItalic2)},
        {QStringLiteral("fFontColor2"), QString::number(d.fFontColor2)},
        {QStringLiteral("fBackColor2"), QString::number(d.fBackColor2)},
        {QStringLiteral("WriteLines"), flagText(d.WriteLines)},
        {QStringLiteral("LineNumbers"), flagText(d.LineNumbers)},
        {QStringLiteral("LineSpace"), d.LineSpace.trimmed()},
    };
    for (auto& kv : v)
        kv.second = oneLine(kv.second);
    return v;
}

void showSaveError()
{
    MsgBox(Lang(LangSection::Messages, 16), MsgIcon::Critical, MsgButtons::Ok, Lang(LangSection::Messages, 14));
}

// Profile mode: the preset's name first, then every key, committed as one write.
bool saveProfile(const KeyValues& values, const QString& IniF, const QString& PresetName, IniBase base)
{
    std::vector<IniEntry> entries;
    entries.reserve(values.size() + 1);
    if (!PresetName.isEmpty())
        entries.push_back({QStringLiteral("Preset"), QStringLiteral("Name"), PresetName});
    for (const auto& [key, value] : values)
        entries.push_back({kSection, key, value});
    if (WriteINI(IniF, entries, base))
        return true;
    showSaveError();
    return false;
}

bool fitsInt(double value)
{
    return std::isfinite(value) && value >= double(std::numeric_limits<int>::min())
        && value <= double(std::numeric_limits<int>::max());
}

// A whole number as a stored colour must be: decimal (a fraction is rounded) or
// "&H" hexadecimal, within 32 bits.
bool wholeNumber(const QString& text, int* out)
{
    const QString t = text.trimmed();
    bool ok = false;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        const qulonglong hex = t.mid(2).toULongLong(&ok, 16);
        if (!ok || hex > 0xFFFFFFFFULL)
            return false;
        *out = int(quint32(hex));
        return true;
    }
    const double value = std::nearbyint(t.toDouble(&ok));
    if (!ok || !fitsInt(value))
        return false;
    *out = int(value);
    return true;
}

// Applies one file's values, noting every value that cannot be applied.
class SettingsLoader {
public:
    SettingsLoader(CoverDocument& doc, const QString& file, const QStringList& fonts, ReferenceSource source)
        : m_doc(doc), m_file(file), m_ini(IniFile::read(file)), m_fonts(fonts), m_source(source)
    {
    }

    QString value(const QString& key) const { return m_ini.value(kSection, key); }
    QString valueOr(const QString& key, const QString& fallback) const
    {
        const QString v = value(key);
        return v.isEmpty() ? fallback : v;
    }

    // Flags are the value's number to the nearest integer; anything but 0 is on.
    int flag(const QString& key, const QString& fallback = QString()) const
    {
        return std::nearbyint(leadingNumber(valueOr(key, fallback))) != 0 ? 1 : 0;
    }

    // The placement options take any value but 0 as "Stretch".
    int stretch(const QString& key) const { return leadingNumber(value(key)) != 0 ? 1 : 0; }

    // A stored name stays as written, installed or not: a cover made elsewhere keeps
    // its fonts through open and save, and the system draws it with its substitute.
    // Only a missing name takes the list's first font.
    void fontName(const QString& key, QString& field) const
    {
        const QString stored = value(key);
        field = stored.isEmpty() && !m_fonts.isEmpty() ? m_fonts.first() : stored;
    }

    void backSize(const QString& key, QString& field) const
    {
        const int i = matchBackFontSize(fontSizes(), value(key), fontSizes().indexOf(field));
        if (i >= 0)
            field = fontSizes()[i];
    }

    void frontSize(const QString& key, QString& field) const
    {
        field = fontSizes()[matchFrontFontSize(fontSizes(), value(key))];
    }

    // A colour given as a whole number; an empty value leaves the colour.
    void wholeColor(const QString& key, int& field)
    {
        const QString v = value(key);
        int c = 0;
        if (v.isEmpty())
            return;
        if (wholeNumber(v, &c))
            field = c;
        else
            badValue(key, v);
    }

    // A colour taken as the value's leading number, so a missing key gives 0.
    void numberColor(const QString& key, int& field)
    {
        const QString v = value(key);
        const double c = std::nearbyint(leadingNumber(v));
        if (fitsInt(c))
            field = int(c);
        else
            badValue(key, v);
    }

    // Margins are kept as text; a number outside the spins' 0 to 10 is brought into range.
    void margin(const QString& key, QString& field) const
    {
        const QString v = value(key);
        const double m = leadingNumber(v);
        field = m < 0 ? numberText(0) : m > kMarginMax ? numberText(kMarginMax) : v;
    }

    // The spacing passes through the "Space:" spin: a whole number within its range.
    // Below the range (a missing key gives 0) the previous spacing stays.
    void lineSpace()
    {
        const double s = std::nearbyint(leadingNumber(value(QStringLiteral("LineSpace"))));
        if (s >= kLineSpaceMin)
            m_doc.LineSpace = numberText(std::min<double>(s, kLineSpaceMax));
    }

    void placement()
    {
        const QString v = valueOr(QStringLiteral("pMethod"), QStringLiteral("1"));
        const double p = std::nearbyint(leadingNumber(v));
        if (p >= 0 && p <= 3)
            m_doc.pMethod = int(p);
        else
            badValue(QStringLiteral("pMethod"), v);
    }

    void picture(const QString& key, CoverPicture& picture, int number)
    {
        const QString v = value(key);
        if (v.isEmpty())
            return;
        const QString file = resolvePictureReference(v, m_file, m_source);
        // A reference naming no file that may be read stays as written, a missing picture.
        picture.ref = file.isEmpty() ? v : file;
        if (!FileExists(file))
            return;
        SetProgressStatus(QStringLiteral("Loading picture(%1)...(").arg(number)
                          + FormatByteSize(double(QFileInfo(file).size())) + QLatin1Char(')'));
        ProcessPendingEvents();
        QString error;
        picture.image = readPictureFile(file, &error);
        if (picture.image.isNull())
            m_problems << file + QStringLiteral(": ") + error;
    }

    // Old files may name the back picture here. It takes the back slot only when it names a
    // picture that may be read, which is then shown, so that reference and image agree; a
    // folder (what old files mostly hold) or any other value is passed over.
    void lastPath(CoverPicture& back) const
    {
        const QString file = resolvePictureReference(value(QStringLiteral("LastPath")), m_file, m_source);
        if (!FileExists(file))
            return;
        const PictureImage image = readPictureFile(file);
        if (image.isNull())
            return;
        back.ref = file;
        back.image = image;
    }

    const QStringList& problems() const { return m_problems; }

private:
    void badValue(const QString& key, const QString& v)
    {
        constexpr int kShown = 60;
        m_problems << key + QLatin1Char('=') + (v.size() > kShown ? v.left(kShown) + QStringLiteral("...") : v);
    }

    CoverDocument& m_doc;
    QString m_file;
    IniFile m_ini;
    const QStringList& m_fonts;
    ReferenceSource m_source;
    QStringList m_problems;
};

} // namespace

bool SaveIniFile(const CoverDocument& doc, const QString& IniF, const QString& PresetName, bool AsText,
                 const RelativePictureRefs& relative)
{
    const KeyValues values = settingsValues(doc, relative);
    if (AsText) {
        // A failed write leaves the previous file whole.
        QSaveFile out(IniF);
        if (out.open(QIODevice::WriteOnly)) {
            out.write("[LastCover]\r\n");
            for (const auto& [key, value] : values)
                WriteINI(out, key, value);
            if (out.commit())
                return true;
        }
        showSaveError();
        return false;
    }

    return saveProfile(values, IniF, PresetName, IniBase::KeepFile);
}

bool ReplaceIniFile(const CoverDocument& doc, const QString& IniF, const QString& PresetName,
                    const RelativePictureRefs& relative)
{
    return saveProfile(settingsValues(doc, relative), IniF, PresetName, IniBase::FreshFile);
}

bool LoadIniFile(CoverDocument& doc, const QString& IniF, bool settingsOnly, const QStringList& fontList,
                 const std::function<void()>& redraw, ReferenceSource source)
{
    if (QFileInfo(IniF).size() > kMaxSettingsFileBytes) {
        MsgBox(Lang(LangSection::Messages, 17) + QStringLiteral("\r\n\r\n") + IniF, MsgIcon::Critical,
               MsgButtons::Ok, Lang(LangSection::Messages, 14));
        return false;
    }
    SettingsLoader in(doc, IniF, fontList, source);
    if (!settingsOnly) {
        doc.BackPicture.image = QImage();
        doc.FrontPicture.image = QImage();
        doc.FrontPicture1.image = QImage();
    }
    app::viewEnabled = false;

    SetProgressStatus(QStringLiteral("Loading font(1)..."));
    in.fontName(QStringLiteral("Fontname"), doc.Fontname);
    SetProgressStatus(QStringLiteral("Loading font(2)..."));
    in.fontName(QStringLiteral("Fontname2"), doc.Fontname2);
    SetProgressStatus(QStringLiteral("Loading font(3)..."));
    in.fontName(QStringLiteral("FrontFont"), doc.FrontFont);
    SetProgressStatus(QStringLiteral("Loading font(4)..."));
    in.fontName(QStringLiteral("FrontFont2"), doc.FrontFont2);

    SetProgressStatus(QStringLiteral("Loading font-size(1)..."));
    in.frontSize(QStringLiteral("FrontFontSize"), doc.FrontFontSize);
    SetProgressStatus(QStringLiteral("Loading font-size(2)..."));
    in.frontSize(QStringLiteral("FrontFontSize2"), doc.FrontFontSize2);
    SetProgressStatus(QStringLiteral("Loading font-size(3)..."));
    in.backSize(QStringLiteral("Fontsize"), doc.Fontsize);
    SetProgressStatus(QStringLiteral("Loading font-size(4)..."));
    in.backSize(QStringLiteral("Fontsize2"), doc.Fontsize2);

    SetProgressStatus(QStringLiteral("Loading global settings..."));
    doc.FontBold = in.flag(QStringLiteral("FontBold"));
    doc.FontBold2 = in.flag(QStringLiteral("FontBold2"));
    doc.FontItalic = in.flag(QStringLiteral("FontItalic"));
    doc.FontItalic2 = in.flag(QStringLiteral("FontItalic2"));
    if (!settingsOnly)
        doc.Text = in.value(QStringLiteral("Text"));
    in.wholeColor(QStringLiteral("ForeColor"), doc.ForeColor);
    in.wholeColor(QStringLiteral("ForeColor2"), doc.ForeColor2);
    in.wholeColor(QStringLiteral("BackColor"), doc.BackColor);
    in.wholeColor(QStringLiteral("CutColor"), doc.CutColor);
    in.wholeColor(QStringLiteral("CrullColor"), doc.CrullColor);

    if (!settingsOnly) {
        in.picture(QStringLiteral("BackPicture"), doc.BackPicture, 1);
        in.picture(QStringLiteral("FrontPicture"), doc.FrontPicture, 2);
        in.picture(QStringLiteral("FrontPicture1"), doc.FrontPicture1, 3);
    }

    SetProgressStatus(QStringLiteral("Creating view..."));
    // A preset never touches pictures.
    if (!settingsOnly)
        in.lastPath(doc.BackPicture);

    in.placement();
    doc.pCenter = in.flag(QStringLiteral("pCenter"), QStringLiteral("1"));
    if (!settingsOnly) {
        doc.Counter = in.flag(QStringLiteral("Counter"), QStringLiteral("1"));
        doc.Counter2 = in.flag(QStringLiteral("Counter2"), QStringLiteral("1"));
        doc.CountFrom = in.valueOr(QStringLiteral("CountFrom"), QStringLiteral("1"));
        doc.CountFrom2 = in.valueOr(QStringLiteral("CountFrom2"), QStringLiteral("1"));
    }

    SetProgressStatus(QStringLiteral("Setting values..."));
    doc.FlipLabels = in.flag(QStringLiteral("FlipLabels"));
    doc.fStretch = in.stretch(QStringLiteral("fStretch"));
    doc.fStretch1 = in.stretch(QStringLiteral("fStretch1"));
    doc.fCenter = in.flag(QStringLiteral("fCenter"));
    doc.fCenter1 = in.flag(QStringLiteral("fCenter1"));
    in.numberColor(QStringLiteral("fCutColor"), doc.fCutColor);
    in.numberColor(QStringLiteral("fCrullColor"), doc.fCrullColor);
    in.margin(QStringLiteral("fTMargin"), doc.fTMargin);
    in.margin(QStringLiteral("fLMargin"), doc.fLMargin);
    in.margin(QStringLiteral("fTMargin2"), doc.fTMargin2);
    in.margin(QStringLiteral("fLMargin2"), doc.fLMargin2);
    doc.sfText = in.flag(QStringLiteral("sfText"));
    doc.fFontBold = in.flag(QStringLiteral("fFontBold"));
    doc.fFontItalic = in.flag(QStringLiteral("fFontItalic"));
    doc.fFontCenter = in.flag(QStringLiteral("fFontCenter"));
    in.numberColor(QStringLiteral("fFontColor"), doc.fFontColor);
    in.numberColor(QStringLiteral("fBackColor"), doc.fBackColor);
    doc.sfText2 = in.flag(QStringLiteral("sfText2"));
    doc.fFontBold2 = in.flag(QStringLiteral("fFontBold2"));
    doc.fFontItalic2 = in.flag(QStringLiteral("fFontItalic2"));
    in.numberColor(QStringLiteral("fFontColor2"), doc.fFontColor2);
    in.numberColor(QStringLiteral("fBackColor2"), doc.fBackColor2);
    in.margin(QStringLiteral("topmargin"), doc.topmargin);
    in.margin(QStringLiteral("leftmargin"), doc.leftmargin);
    doc.WriteLines = in.flag(QStringLiteral("WriteLines"));
    doc.LineNumbers = in.flag(QStringLiteral("LineNumbers"));
    in.lineSpace();

    SetProgressStatus(QStringLiteral("Updating view..."));
    app::viewEnabled = true;
    if (redraw)
        redraw();

    if (in.problems().isEmpty())
        return true;
    MsgBox(Lang(LangSection::Messages, 17) + QStringLiteral("\r\n\r\n") + in.problems().join(QStringLiteral("\r\n")),
           MsgIcon::Critical, MsgButtons::Ok, Lang(LangSection::Messages, 14));
    return false;
}

QString CheckImport(const QString& FileName, const QString& iniPath)
{
    if (FileName.size() < 2 || !FileName.startsWith(QLatin1Char('{')) || !FileName.endsWith(QLatin1Char('}')))
        return FileName;
    const QString name = FileNameOf(FileName.mid(1, FileName.size() - 2));
    return QFileInfo(iniPath).absolutePath() + QLatin1Char('/') + name;
}
