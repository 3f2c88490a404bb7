#include "document/text_files.h"

#include "document/cover_document.h"
#include "platform/dialogs.h"
#include "shell/language.h"
#include "toolbox/paths.h"
#include "toolbox/win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <utility>

namespace {

const QString kContentsMarker = QStringLiteral("// ~contents~=");
const QString kFrontText1Marker = QStringLiteral("// ~fronttext1~=");
const QString kFrontText2Marker = QStringLiteral("// ~fronttext2~=");

// Text files larger than this are no cover text; reading them whole could exhaust memory.
constexpr qint64 kMaxTextFileBytes = 16LL * 1024 * 1024;

// Text boxes may hand over bare LF or CR line ends; the file holds CR LF only. Walked
// once, without a pattern: a text may have millions of lines.
QString withCrLf(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) {
            out.append(c);
            continue;
        }
        out.append(QLatin1String("\r\n"));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
    }
    return out;
}

void showReadError()
{
    MsgBox(Lang(LangSection::Messages, 1), MsgIcon::Critical, MsgButtons::Ok, Lang(LangSection::Messages, 14));
}

} // namespace

bool SaveTexts(const CoverDocument& doc, const QString& xPath)
{
    QSaveFile out(xPath);
    if (out.open(QIODevice::WriteOnly)) {
        // Each text on its own: a long one is not copied into one string with the others.
        const std::pair<const QString&, const QString&> parts[] = {
            {kContentsMarker, doc.Contents}, {kFrontText1Marker, doc.FrontText1}, {kFrontText2Marker, doc.FrontText2}};
        for (const auto& [marker, text] : parts)
            out.write(toWin1252(marker + QStringLiteral("\r\n") + withCrLf(text) + QStringLiteral("\r\n")));
        if (out.commit())
            return true;
    }
    MsgBox(Lang(LangSection::Messages, 19), MsgIcon::Critical, MsgButtons::Ok, Lang(LangSection::Messages, 14));
    return false;
}

namespace {

// The text a marker line switches to, or none for any other line.
QString* markedText(CoverDocument& doc, QStringView line)
{
    if (line.size() != kContentsMarker.size() && line.size() != kFrontText1Marker.size())
        return nullptr;
    if (line.compare(kContentsMarker, Qt::CaseInsensitive) == 0)
        return &doc.Contents;
    if (line.compare(kFrontText1Marker, Qt::CaseInsensitive) == 0)
        return &doc.FrontText1;
    if (line.compare(kFrontText2Marker, Qt::CaseInsensitive) == 0)
        return &doc.FrontText2;
    return nullptr;
}

} // namespace

void ParseTexts(CoverDocument& doc, const QByteArray& bytes)
{
    doc.Contents.clear();
    doc.FrontText1.clear();
    doc.FrontText2.clear();
    // Walked in place: a text of millions of lines is not split into millions of strings.
    const QString all = fromWin1252(bytes);
    QString* current = &doc.Contents;
    int counter = 0;
    bool started = false;
    // A final line break ends the last line; it does not open another.
    for (qsizetype start = 0, end = 0; start < all.size(); start = end + 1) {
        end = start;
        while (end < all.size() && all[end] != QLatin1Char('\r') && all[end] != QLatin1Char('\n'))
            ++end;
        const QStringView line = QStringView(all).mid(start, end - start);
        if (end + 1 < all.size() && all[end] == QLatin1Char('\r') && all[end + 1] == QLatin1Char('\n'))
            ++end;
        if (QString* marked = markedText(doc, line)) {
            current = marked;
            counter = 0;
            started = false;
        }
        // The first line of the file always counts as a marker.
        if (started) {
            if (counter > 1)
                current->append(QStringLiteral("\r\n"));
            current->append(line);
        }
        ++counter;
        started = true;
    }
}

bool LoadTexts(CoverDocument& doc, const QString& xPath)
{
    // Emptied first, so that a cover whose texts cannot be read shows none.
    doc.Contents.clear();
    doc.FrontText1.clear();
    doc.FrontText2.clear();

    QString name;
    for (const QString& entry : ListFiles(xPath, QStringLiteral("*.txt"))) {
        if (entry.toLower() != QLatin1String("dummy.txt")) {
            name = entry;
            break;
        }
    }
    if (name.isEmpty()) {
        MsgBox(QStringLiteral("Load error! (txt not found) File is corrupted!"), MsgIcon::Critical);
        return true;
    }
    const bool endsInSeparator = xPath.endsWith(QLatin1Char('/')) || xPath.endsWith(QLatin1Char('\\'));
    const QString path = xPath + (endsInSeparator ? QString() : QStringLiteral("/")) + name;
    return !FileExists(path) || LoadTextsFile(doc, path);
}

bool LoadTextsFile(CoverDocument& doc, const QString& path)
{
    doc.Contents.clear();
    doc.FrontText1.clear();
    doc.FrontText2.clear();
    if (!FileExists(path)) {
        MsgBox(QStringLiteral("Load error! (txt not found) File is corrupted!"), MsgIcon::Critical);
        return true;
    }
    if (QFileInfo(path).size() == 0)
        return true;

    QFile file;
    if (!openRegularFile(path, file) || file.size() > kMaxTextFileBytes) {
        showReadError();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        showReadError();
        return false;
    }
    ParseTexts(doc, bytes);
    return true;
}

bool LoadText(QString& Txt, QString& LastPath)
{
    FileDialogRequest request;
    request.folder = LastPath;
    request.title = QStringLiteral("Choose text-file to insert");
    request.filter = QStringLiteral("Text files (*.txt);;Documents (*.doc);;All files (*)");
    const QString path = dialogs().file(request);
    if (path.isEmpty() || !FileExists(path))
        return false;
    if (QFileInfo(path).size() > kMaxTextFileBytes) {
        showReadError();
        return false;
    }
    Txt = ReadWholeFile(path);
    LastPath = FolderOf(path);
    return true;
}
