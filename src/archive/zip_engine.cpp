#include "archive/zip_engine.h"

#include "platform/dialogs.h"
#include "toolbox/paths.h"
#include "toolbox/stale_temporaries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct ArchiveCloser {
    void operator()(zip_t* za) const { zip_discard(za); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveCloser>;

struct MemberCloser {
    void operator()(zip_file_t* zf) const { zip_fclose(zf); }
};
using MemberPtr = std::unique_ptr<zip_file_t, MemberCloser>;

bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

bool isRefusedName(const QString& name)
{
    return name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..");
}

// Where a member may be written, relative to the destination folder; empty when the
// stored name must not be written at all. Stored names are untrusted ("../x", "/abs",
// "C:\x"): without folders only the part after the last separator counts.
QString memberTarget(const QString& stored, bool keepFolders)
{
    if (!keepFolders) {
        int cut = stored.size();
        while (cut > 0 && !isSeparator(stored.at(cut - 1)))
            --cut;
        const QString name = stored.mid(cut);
        return isRefusedName(name) ? QString() : name;
    }
    if (stored.isEmpty() || isSeparator(stored.back()))
        return QString(); // a folder entry
    QStringList kept;
    const QStringList parts = QString(stored).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'));
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts.at(i);
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String(".."))
            return QString();
        if (i == 0 && part.size() == 2 && part.at(1) == QLatin1Char(':'))
            continue; // a drive letter
        kept << part;
    }
    return kept.join(QLatin1Char('/'));
}

// Unix file types as zip tools store them in the high half of the external attributes.
constexpr zip_uint32_t kUnixTypeMask = 0170000;
constexpr zip_uint32_t kUnixLink = 0120000;
constexpr zip_uint32_t kUnixFolder = 0040000;

zip_uint32_t unixType(zip_t* za, zip_uint64_t index)
{
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(za, index, 0, &opsys, &attributes) != 0 || opsys != ZIP_OPSYS_UNIX)
        return 0;
    return (attributes >> 16) & kUnixTypeMask;
}

bool isLink(zip_t* za, zip_uint64_t index) { return unixType(za, index) == kUnixLink; }
bool isFolder(zip_t* za, zip_uint64_t index) { return unixType(za, index) == kUnixFolder; }

int openFailureCode(zip_t* za)
{
    switch (zip_error_code_zip(zip_get_error(za))) {
    case ZIP_ER_COMPNOTSUPP:
        return zipcode::Unsupported;
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
    case ZIP_ER_ENCRNOTSUPP:
        return zipcode::Encrypted;
    default:
        return zipcode::BadArchive;
    }
}

// Copies one member to a file, taking its bytes from budget; 0 or the failure code.
int unpackMember(zip_t* za, zip_uint64_t index, const QString& path, qint64& budget)
{
    // A member that admits its size is refused before a byte is written.
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(za, index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)
        && stat.size > zip_uint64_t(std::max<qint64>(budget, 0)))
        return zipcode::TooLarge;
    MemberPtr member(zip_fopen_index(za, index, 0));
    if (!member)
        return openFailureCode(za);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return zipcode::DiskError;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        // A damaged member shows as a read error or a CRC mismatch at its end.
        const zip_int64_t n = zip_fread(member.get(), buffer.data(), buffer.size());
        if (n < 0)
            return zipcode::BadArchive;
        if (n == 0)
            break;
        // Stored sizes can lie, so the bytes are counted as they come.
        budget -= n;
        if (budget < 0)
            return zipcode::TooLarge;
        if (out.write(buffer.data(), n) != n)
            return zipcode::DiskError;
    }
    return out.flush() ? zipcode::Ok : zipcode::DiskError;
}

struct StagedFile {
    QString target;  // relative to the destination folder
    QString staged;  // full path in the staging folder
};

// Asks before replacing an existing file; a Cancel keeps every further file too.
class OverwritePrompt {
public:
    explicit OverwritePrompt(bool active) : m_active(active) {}
    bool mayReplace(const QString& target)
    {
        if (!m_active)
            return true;
        if (m_keepAll)
            return false;
        const QString shown = QString(target).replace(QLatin1Char('/'), QLatin1Char('\\'));
        const MsgResult r = MsgBox(QStringLiteral("Overwrite \"%1\" ?").arg(shown), MsgIcon::Question,
                                   MsgButtons::YesNoCancel, QStringLiteral("File Already Exists!"));
        if (r == MsgResult::Cancel)
            m_keepAll = true;
        return r == MsgResult::Yes;
    }

private:
    bool m_active;
    bool m_keepAll = false;
};

// Moves the staged files into place; only reached once every member has been read.
int commitStaged(const std::vector<StagedFile>& files, const QString& destination, bool warn)
{
    const QString root = QDir(destination).canonicalPath();
    OverwritePrompt prompt(warn);
    for (const StagedFile& f : files) {
        const QString target = root + QLatin1Char('/') + f.target;
        const QFileInfo info(target);
        if (!QDir().mkpath(info.path()))
            return zipcode::DiskError;
        // A folder inside the destination may be a link; never follow it outward.
        const QString parent = QDir(info.path()).canonicalPath();
        if (parent != root && !parent.startsWith(root + QLatin1Char('/')))
            continue;
        if (info.exists() || info.isSymLink()) {
            if (info.isDir() && !info.isSymLink())
                return zipcode::DiskError;
            if (!prompt.mayReplace(f.target))
                continue;
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
            if (!QFile::remove(target))
                return zipcode::DiskError;
        }
        if (!QFile::rename(f.staged, target))
            return zipcode::DiskError;
    }
    return zipcode::Ok;
}

// A member worth unpacking: where it goes, and whether its stored name had folders.
struct Candidate {
    zip_uint64_t index;
    QString stored;
    QString target;
    bool inFolder;
};

// The members to unpack, one per target: of members that come to the same name, one
// stored without folders wins, else the first, so a name hidden in a folder never
// replaces the one a listing shows. The others are noted as shadowed, refused members
// (links, names that cannot be written) as unreadable; folder entries are structure.
int chooseMembers(zip_t* za, const QStringList* names, bool folders, std::vector<Candidate>& chosen,
                  ExtractNotes& notes)
{
    const zip_int64_t count = zip_get_num_entries(za, 0);
    if (count < 0)
        return zipcode::BadArchive;
    // Covers hold a handful of members; reading thousands would only cost time.
    if (count > kMaxArchiveFiles)
        return zipcode::TooManyFiles;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* rawName = zip_get_name(za, zip_uint64_t(i), 0);
        if (!rawName)
            return zipcode::BadArchive;
        const QString stored = QString::fromUtf8(rawName);
        const QString target = memberTarget(stored, folders);
        if (names && !names->contains(FileNameOf(target)))
            continue;
        const bool folderEntry = stored.isEmpty() || isSeparator(stored.back());
        if (folderEntry || isFolder(za, zip_uint64_t(i)))
            continue;
        if (isLink(za, zip_uint64_t(i)) || target.isEmpty()) {
            notes.unreadable << SkippedMember{stored, isLink(za, zip_uint64_t(i)) ? QStringLiteral("a link")
                                                                                    : QStringLiteral("no usable name")};
            continue;
        }
        const Candidate c{zip_uint64_t(i), stored, target, stored != FileNameOf(stored)};
        const auto same = std::find_if(chosen.begin(), chosen.end(), [&](const Candidate& o) { return o.target == target; });
        if (same == chosen.end()) {
            chosen.push_back(c);
        } else if (same->inFolder && !c.inFolder) {
            notes.shadowed << SkippedMember{same->stored, c.stored};
            *same = c;
        } else {
            notes.shadowed << SkippedMember{c.stored, same->stored};
        }
    }
    std::sort(chosen.begin(), chosen.end(), [](const Candidate& a, const Candidate& b) { return a.index < b.index; });
    return zipcode::Ok;
}

int extract(const QString& source, const QString& destination, const QStringList* names, bool warn, bool folders,
            qint64 budget, ExtractNotes* notesOut)
{
    if (!QFileInfo(source).isFile())
        return zipcode::NotFound;
    if (names && names->size() > kMaxExtractNames)
        return zipcode::BadParameter;
    int error = 0;
    ArchivePtr za(zip_open(QFile::encodeName(source).constData(), ZIP_RDONLY, &error));
    if (!za)
        return error == ZIP_ER_NOENT ? zipcode::NotFound : zipcode::BadArchive;
    ExtractNotes notes;
    std::vector<Candidate> chosen;
    if (const int code = chooseMembers(za.get(), names, folders, chosen, notes); code != zipcode::Ok)
        return code;
    if (!QDir().mkpath(destination))
        return zipcode::DiskError;

    // Members are read into a staging folder first, so a damaged archive writes nothing.
    QTemporaryDir staging(QDir(destination).filePath(QStringLiteral(".unpack-XXXXXX")));
    if (!staging.isValid())
        return zipcode::DiskError;

    std::vector<StagedFile> staged;
    for (const Candidate& c : chosen) {
        const QString path = staging.path() + QLatin1Char('/') + QString::number(c.index);
        const int code = unpackMember(za.get(), c.index, path, budget);
        if (code == zipcode::Ok) {
            staged.push_back({c.target, path});
            continue;
        }
        // Without notes to take them, a damaged member fails the whole archive.
        if (!notesOut || code == zipcode::DiskError)
            return code;
        QFile::remove(path);
        notes.unreadable << SkippedMember{c.stored, ZipErrorText(code)};
    }
    if (staged.empty())
        return zipcode::NoMatch;
    if (notesOut)
        *notesOut = notes;
    return commitStaged(staged, destination, warn);
}

// JPEG, PNG and GIF data is compressed already; deflate would only spend time on it.
bool isCompressedPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(8);
    return head.startsWith("\xFF\xD8\xFF") || head.startsWith("\x89PNG\r\n\x1A\n") || head.startsWith("GIF87a")
           || head.startsWith("GIF89a");
}

// Whether member index of za unpacks to exactly the bytes of the file at path. libzip
// checks the member's CRC at its end, so a damaged member never compares equal.
bool holdsSameBytes(zip_t* za, zip_uint64_t index, const QString& path)
{
    QFile file(path);
    MemberPtr member(zip_fopen_index(za, index, 0));
    if (!member || !file.open(QIODevice::ReadOnly))
        return false;
    std::vector<char> packed(1 << 16);
    std::vector<char> onDisk(packed.size());
    for (;;) {
        const zip_int64_t n = zip_fread(member.get(), packed.data(), packed.size());
        if (n < 0)
            return false;
        if (n == 0)
            return file.read(onDisk.data(), 1) == 0;
        if (file.read(onDisk.data(), n) != n || std::memcmp(packed.data(), onDisk.data(), size_t(n)) != 0)
            return false;
    }
}

// A source that copies member name of earlier into target as it is compressed there,
// when it is deflated and still holds the file's bytes; null otherwise. Reading it once
// to compare costs far less than deflating the file again.
zip_source_t* unchangedMember(zip_t* target, zip_t* earlier, const QString& name, const QString& path)
{
    const zip_int64_t index = zip_name_locate(earlier, name.toUtf8().constData(), 0);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (index < 0 || zip_stat_index(earlier, zip_uint64_t(index), 0, &stat) != 0)
        return nullptr;
    const zip_uint64_t needed = ZIP_STAT_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
    if ((stat.valid & needed) != needed || stat.comp_method != ZIP_CM_DEFLATE
        || stat.encryption_method != ZIP_EM_NONE || stat.size != zip_uint64_t(QFileInfo(path).size())
        || !holdsSameBytes(earlier, zip_uint64_t(index), path))
        return nullptr;
    // The whole member without a range: libzip copies its compressed bytes as they are.
    return zip_source_zip(target, earlier, zip_uint64_t(index), 0, 0, -1);
}

QString memberName(const QString& path, bool storePaths)
{
    if (!storePaths)
        return FileNameOf(path);
    QString name = QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':'))
        name.remove(0, 2);
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    return name;
}

} // namespace

QString ZipErrorText(int code)
{
    switch (code) {
    case zipcode::Ok: return QStringLiteral("No error");
    case zipcode::BadArchive: return QStringLiteral("The archive is damaged or not a ZIP archive");
    case zipcode::NotFound: return QStringLiteral("Archive not found");
    case zipcode::BadParameter: return QStringLiteral("Too many names to extract");
    case zipcode::NoMatch: return QStringLiteral("No files to unpack in the archive");
    case zipcode::NothingToDo: return QStringLiteral("Nothing to archive");
    case zipcode::WriteFailed: return QStringLiteral("The archive could not be written");
    case zipcode::CreateFailed: return QStringLiteral("The archive could not be created");
    case zipcode::TooManyFiles: return QStringLiteral("Can't archive more than 1000 files at a time !");
    case zipcode::ReadFailed: return QStringLiteral("A file could not be read");
    case zipcode::DiskError: return QStringLiteral("A file could not be written");
    case zipcode::Unsupported: return QStringLiteral("Unsupported compression method");
    case zipcode::Encrypted: return QStringLiteral("Encrypted archives are not supported");
    case zipcode::TooLarge: return QStringLiteral("The archive unpacks to more than 512 MB");
    }
    return QStringLiteral("Archive error %1").arg(code);
}

int CompressFiles(const QString& SourceFiles, const QString& DestinationFile, int CompressionRatio, bool StorePaths)
{
    return CompressArrayFiles(SourceFiles.split(QLatin1Char('|')), DestinationFile, CompressionRatio, StorePaths);
}

int CompressArrayFiles(const QStringList& SourceFiles, const QString& DestinationFile, int CompressionRatio,
                       bool StorePaths, const QString& unchangedFrom)
{
    if (SourceFiles.size() > kMaxArchiveFiles)
        return zipcode::TooManyFiles;
    const int level = qBound(0, CompressionRatio, 9);

    // Two slots may share one picture: each file goes in once, and a later file whose
    // bare name is taken already is left out rather than failing the whole archive.
    QStringList paths;
    QStringList members;
    QSet<QString> seenFiles;
    for (const QString& path : SourceFiles) {
        const QFileInfo info(path);
        if (path.isEmpty() || !info.isFile())
            continue;
        const QString canonical = info.canonicalFilePath();
        const QString name = memberName(path, StorePaths);
        if (seenFiles.contains(canonical) || members.contains(name) || name.isEmpty())
            continue;
        seenFiles.insert(canonical);
        paths << path;
        members << name;
    }
    // libzip deletes an archive left without members: never let it touch the old one.
    if (paths.isEmpty())
        return zipcode::NothingToDo;

    // Opened before the new archive so that it outlives it: members copied from it are
    // read only when the new archive is written. The new one may replace it on disk.
    int error = 0;
    ArchivePtr earlier;
    if (level > 0 && !unchangedFrom.isEmpty() && QFileInfo(unchangedFrom).isFile())
        earlier.reset(zip_open(QFile::encodeName(unchangedFrom).constData(), ZIP_RDONLY, &error));
    ArchivePtr za(zip_open(QFile::encodeName(DestinationFile).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
    if (!za)
        return zipcode::CreateFailed;
    for (int i = 0; i < paths.size(); ++i) {
        const bool store = level == 0 || isCompressedPicture(paths.at(i));
        zip_source_t* src = nullptr;
        if (!store && earlier)
            src = unchangedMember(za.get(), earlier.get(), members.at(i), paths.at(i));
        const bool copied = src != nullptr;
        if (!copied)
            src = zip_source_file(za.get(), QFile::encodeName(paths.at(i)).constData(), 0, 0);
        if (!src)
            return zipcode::ReadFailed;
        const zip_int64_t index = zip_file_add(za.get(), members.at(i).toUtf8().constData(), src, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(src);
            return zipcode::WriteFailed;
        }
        if (copied)
            continue;
        const zip_int32_t method = store ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        if (zip_set_file_compression(za.get(), zip_uint64_t(index), method, store ? 0 : zip_uint32_t(level)) != 0)
            return zipcode::WriteFailed;
    }
    // libzip writes to a temporary file beside the archive and renames it only when
    // complete; the note lets the next start remove it if this process is killed meanwhile.
    const PendingWrite pending(DestinationFile);
    if (zip_close(za.get()) != 0) {
        const int code = zip_error_code_zip(zip_get_error(za.get()));
        return code == ZIP_ER_OPEN || code == ZIP_ER_READ ? zipcode::ReadFailed : zipcode::WriteFailed;
    }
    za.release();
    return zipcode::Ok;
}

int ExtractFile(const QString& SourcePath, const QString& DestinationPath, bool OverWriteWarning,
                bool unzipDirectories, ExtractNotes* notes)
{
    return extract(SourcePath, DestinationPath, nullptr, OverWriteWarning, unzipDirectories, kMaxUnpackedBytes, notes);
}

int ExtractSingleFiles(const QString& SourcePath, const QString& DestinationPath, const QStringList& names,
                       qint64 maxBytes)
{
    return extract(SourcePath, DestinationPath, &names, false, false, std::min(maxBytes, kMaxUnpackedBytes), nullptr);
}
