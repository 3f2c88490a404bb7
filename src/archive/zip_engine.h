#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Reads and writes standard ZIP archives for the cover files. Every operation
// returns 0 on success and one of the codes below otherwise; the callers only
// show the number.
namespace zipcode {
constexpr int Ok = 0;
constexpr int BadArchive = 2;        // not a ZIP archive, damaged or truncated
constexpr int NotFound = 9;          // the archive to extract does not exist
constexpr int BadParameter = 10;     // more than 99 names to extract
constexpr int NoMatch = 11;          // no member (of the named ones) to unpack
constexpr int NothingToDo = 12;      // none of the listed files exists
constexpr int WriteFailed = 14;      // the archive could not be completed
constexpr int CreateFailed = 15;     // the archive could not be created
constexpr int TooManyFiles = 16;     // more than 1000 files listed or in an archive
constexpr int ReadFailed = 18;       // a listed file could not be read
constexpr int DiskError = 50;        // an extracted file could not be written
constexpr int Unsupported = 81;      // a compression method we cannot read
constexpr int Encrypted = 82;        // encrypted members are not supported
constexpr int TooLarge = 83;         // the members unpack to more than kMaxUnpackedBytes
} // namespace zipcode

constexpr int kMaxArchiveFiles = 1000;
constexpr int kMaxExtractNames = 99;
// Three pictures at their pixel limit as bitmaps stay well below this; an archive that
// inflates beyond it is refused before it can fill the disk.
constexpr qint64 kMaxUnpackedBytes = 512LL * 1024 * 1024;

// A short description of a result code ("Can't archive more than 1000 files at a time !").
QString ZipErrorText(int code);

// Packs the files of SourceFiles (full paths joined by "|") into DestinationFile at
// CompressionRatio (0 stores, 1..9 deflate). JPEG, PNG and GIF files, known by their
// first bytes, are stored at any level: deflating them takes long and gains nothing.
// Files that do not exist are skipped and a file listed twice is stored once. Members
// get bare file names unless StorePaths. An existing archive is replaced only once the
// new one is complete.
int CompressFiles(const QString& SourceFiles, const QString& DestinationFile, int CompressionRatio,
                  bool StorePaths = false);
// As CompressFiles with the paths in a list, for paths that may hold "|" themselves.
// A deflated member of the archive unchangedFrom (the cover opened or saved last) whose
// name a listed file has and whose bytes it still holds exactly is copied across as it
// is compressed there, without inflating and deflating it again.
int CompressArrayFiles(const QStringList& SourceFiles, const QString& DestinationFile, int CompressionRatio,
                       bool StorePaths = false, const QString& unchangedFrom = QString());

// A member an extraction left out, and why (or which member took its name).
struct SkippedMember {
    QString name;
    QString reason;
};
// What an extraction left out.
struct ExtractNotes {
    QList<SkippedMember> unreadable; // refused (links, unusable names) or damaged members
    QList<SkippedMember> shadowed;   // members whose bare name another member took
};

// Unpacks every member of SourcePath into DestinationPath, overwriting silently unless
// OverWriteWarning (then the user is asked per file). Without unzipDirectories every
// member lands directly in DestinationPath; of members that come to one name, one stored
// without folders wins, else the first. An archive of more than kMaxArchiveFiles entries
// is refused, and one without any file to unpack gives NoMatch. Nothing is written
// unless the whole archive reads without error; with notes given, damaged or refused
// members are left out and listed there instead, and the rest is written.
int ExtractFile(const QString& SourcePath, const QString& DestinationPath, bool OverWriteWarning,
                bool unzipDirectories, ExtractNotes* notes = nullptr);

// Unpacks the members whose bare names are listed (at most 99) into DestinationPath. When
// they would unpack to more than maxBytes (never more than kMaxUnpackedBytes), the result
// is TooLarge, as early as the archive lets it be known.
int ExtractSingleFiles(const QString& SourcePath, const QString& DestinationPath, const QStringList& names,
                       qint64 maxBytes = kMaxUnpackedBytes);
