#pragma once

#include "document/picture_image.h"

#include <QColor>
#include <QString>

// A picture of the cover: the reference as stored ("", "none" or a full path) and
// the picture read from it, which is what the renderers draw.
struct CoverPicture {
    QString ref;
    PictureImage image;
};

// "none", the reference of a removed picture, names no file: not even one of that
// name in whatever folder the program runs in.
bool isRemovedPicture(const QString& ref);

// The one cover the editor holds. Fields are named exactly as their keys in the
// cover settings file; values start as a new cover's.
// Careful: FontBold2 is the contents text's ITALIC flag and FontItalic2 its BOLD
// flag; files written since the first release rely on that swap.
struct CoverDocument {
    // Back cover: spine label
    QString Fontname;
    QString Fontsize = QStringLiteral("16");
    int FontBold = 0;
    int FontItalic = 0;
    QString Text;
    int ForeColor = 0x000000;
    int FlipLabels = 0;

    // Back cover: contents list
    QString Fontname2;
    QString Fontsize2 = QStringLiteral("12");
    int FontBold2 = 0;   // italic of the contents text
    int FontItalic2 = 0; // bold of the contents text
    int ForeColor2 = 0x000000;
    QString topmargin = QStringLiteral("2");
    QString leftmargin = QStringLiteral("2");

    // Back cover: sheet
    int BackColor = 0xFFFFFF;
    int CutColor = 0x000000;
    int CrullColor = 0x808080;
    int pMethod = 1; // 0 stretch to cut-lines, 1 stretch to crull-lines, 2 cut to cut-lines, 3 cut to crull-lines
    int pCenter = 1;
    int Counter = 1;
    QString CountFrom = QStringLiteral("1");

    // Front cover: outer side
    int sfText = 0;
    QString FrontFont;
    QString FrontFontSize = QStringLiteral("12");
    int fFontBold = 0;
    int fFontItalic = 0;
    int fFontCenter = 0;
    int fFontColor = 0x000000;
    int fBackColor = 0xFFFFFF;
    QString fTMargin = QStringLiteral("2");
    QString fLMargin = QStringLiteral("2");
    int fStretch = 0;
    int fCenter = 0;

    // Front cover: inner side
    int sfText2 = 0;
    QString FrontFont2;
    QString FrontFontSize2 = QStringLiteral("12");
    int fFontBold2 = 0;
    int fFontItalic2 = 0;
    int fFontColor2 = 0x000000;
    int fBackColor2 = 0xFFFFFF;
    QString fTMargin2 = QStringLiteral("2");
    QString fLMargin2 = QStringLiteral("2");
    int fStretch1 = 0;
    int fCenter1 = 0;
    int WriteLines = 0;
    int LineNumbers = 0;
    // The "Space:" spin starts at position 55, which writes 60 - 55.
    QString LineSpace = QStringLiteral("5");

    // Front cover: sheet
    int fCutColor = 0x000000;
    int fCrullColor = 0x808080;
    int Counter2 = 1;
    QString CountFrom2 = QStringLiteral("1");

    // Texts, lines separated by CR LF
    QString Contents;
    QString FrontText1; // inner side
    QString FrontText2; // outer side

    CoverPicture BackPicture;
    CoverPicture FrontPicture;  // outer side
    CoverPicture FrontPicture1; // inner side

    bool saved = true;
    QString currentFile;
};

// The range the editor's "Space:" spin can show (spin position = 60 - value).
constexpr int kLineSpaceMin = 1;
constexpr int kLineSpaceMax = 60;
// The margin spins run from 0 to 10 mm (spin position = 10 - value).
constexpr int kMarginMax = 10;

// Colour values are 0x00BBGGRR. Negative values (system colours of old files) keep
// only their low three bytes.
QColor colorFromValue(int value);
int colorValue(const QColor& color);

// The leading number of a text as a typed field holds it: leading blanks skipped,
// an optional sign, digits, a "." fraction and an exponent; 0 when there is none
// ("12.5mm" gives 12.5, "abc" gives 0).
double leadingNumber(const QString& text);
// A number as decimal text with "." as the point and no leading space ("7", "2.5").
QString numberText(double value);

// Pictures above this many pixels are refused rather than decoded: 32 megapixels
// (128 MB as 32-bit pixels) is more than a 600 dpi scan of the whole front sheet.
constexpr qint64 kMaxPicturePixels = 32LL * 1024 * 1024;
// Reads a picture file (the format is taken from the content, not the name). Only
// regular files are opened, and only bitmaps, JPEG, GIF, PNG, icons and metafiles are
// read; a JPEG is kept as its bytes and decoded a part at a time when drawn. A null
// picture, with the reason in error, when the file cannot be read, does not decode or
// is too large.
PictureImage readPictureFile(const QString& path, QString* error = nullptr);
// Whether path is a regular file that reads as a picture of those formats, judged from
// its header without decoding it.
bool isPictureFile(const QString& path);
