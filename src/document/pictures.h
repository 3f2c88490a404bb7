#pragma once

#include <QColor>
#include <QImage>
#include <QString>

struct CoverDocument;
struct CoverPicture;
struct CoverFileContext;

// The three picture slots of a cover.
enum class PictureSlot { Back, Front /* outer side */, Front1 /* inner side */ };

CoverPicture& pictureOf(CoverDocument& doc, PictureSlot slot);

// The "Insert..." command of a slot's picture menu: asks for a picture, copies it into
// the working folder under its own name and puts it in the slot. A picture that does
// not decode is refused with a message and changes nothing. True when inserted.
bool InsertPicture(CoverFileContext& ctx, PictureSlot slot);
// Copies a picture file over target through a temporary file, so that a failed copy
// leaves target whole; copying a file onto itself does nothing. False when not copied.
bool CopyPicture(const QString& source, const QString& target);
// The "Clear" command: the slot's reference becomes "none"; its copy stays in the
// working folder until the next flush.
void ClearPicture(CoverFileContext& ctx, PictureSlot slot);

// Where a settings file naming pictures comes from. A cover archive's settings may name
// only members of that archive; a legacy .vrc may also name files by their full path.
enum class ReferenceSource { CoverArchive, LegacyFile };

// The file a picture reference read from settingsFile names, or an empty text when it
// names none that may be read: "{name}" is name in settingsFile's folder; a full path
// counts only from a legacy file; anything else ("none", a bare name, a full path inside
// an archive) names nothing and is treated as a missing picture. The file need not exist.
QString resolvePictureReference(const QString& value, const QString& settingsFile, ReferenceSource source);

// The file of a picture slot that a saved cover (or an exported legacy set) may carry:
// its reference when that is a regular file reading as a picture and either its image was
// decoded or it lies in the working folder (a member of the open cover). Empty otherwise,
// so that no other file of the user's ever leaves with a cover.
QString pictureFileToPack(const CoverPicture& picture);

// The box the preview bitmap is fitted into: 3150 by 2700 twips.
constexpr int kPreviewBoxWidth = 210;
constexpr int kPreviewBoxHeight = 180;
// What shows around the fitted sheets: the application-workspace grey.
const QColor kPreviewBoxColor(0xAB, 0xAB, 0xAB);

// The front sheet above the back sheet, fitted into the preview box.
QImage previewBitmap(const CoverDocument& doc);
// Writes previewBitmap as a Windows bitmap to path. A file that cannot be written is
// reported in a message box and gives false.
bool SavePreview(const CoverDocument& doc, const QString& path);

// Fits a picture of sw by sh into a box of bw by bh without distortion, giving ow by oh
// (halves rounded to even). A zero side leaves ow and oh unchanged.
void CalculateAspectRatio(int sw, int sh, int bw, int bh, int& ow, int& oh);
