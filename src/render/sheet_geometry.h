#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

struct CoverDocument;

// Both sheets in millimetres, origin at the sheet's top-left corner, y downwards.
// Positions are measured from the surface origin, so paper shows what the preview shows.

namespace backsheet {
constexpr double kWidth = 160;
constexpr double kHeight = 128;
// The cut rectangle, the trim of the inlay.
constexpr double kCutLeft = 5;
constexpr double kCutTop = 5;
constexpr double kCutRight = 155;
constexpr double kCutBottom = 123;
// The spine folds; between them lies the crull area seen through the case back.
constexpr double kCrullLeft = 11;
constexpr double kCrullRight = 149;
constexpr QPointF kFileCaption(12, 1);
constexpr QPointF kSizeCaption(12, 124);
// Centre lines of the two spine labels across their strips.
constexpr double kLeftLabelX = 8.4;
constexpr double kRightLabelX = 152.3;
constexpr double kFlippedLabelX = 152.0;
// Labels sit 7 mm off the spine's middle: above it reading upwards, below it reading down.
constexpr double kSpineMiddle = 64;
constexpr double kLabelOffset = 7;
const QString kSizeCaptionText = QStringLiteral(
    "Crull:W13.8 * H11.8 cm. Cut:W15.0 * H11.8 cm. Crull:(522 * 447) Cut:(568 * 447)Px.72 Dpi");
} // namespace backsheet

namespace frontsheet {
// Nominal extent; the right cut mark and the mark lengths follow the surface's real size.
constexpr double kWidth = 250;
constexpr double kHeight = 130;
constexpr double kCutLeft = 5;
constexpr double kCutTop = 5;
constexpr double kCutRight = 245;
constexpr double kCutBottom = 125;
// The fold between the inner half (left) and the outer half (right).
constexpr double kFold = 125;
constexpr double kHalfSize = 120;
// Distance of the right cut mark from the surface's right edge.
constexpr double kRightMarkInset = 5;
constexpr QPointF kFileCaption(6, 1);
constexpr QPointF kSizeCaption(6, 126);
const QString kSizeCaptionText = QStringLiteral(
    "Cut: W12 * H12 cm. or (24 * 12 cm.) - (454 * 454) or (908 * 454) Px.72 Dpi");
} // namespace frontsheet

// The text areas: where a text's first line starts (left, top) and the width at which
// its lines break. Each margin shrinks the area on both sides.
QRectF contentsTextArea(const CoverDocument& doc);
QRectF outerTextArea(const CoverDocument& doc);
QRectF innerTextArea(const CoverDocument& doc);
