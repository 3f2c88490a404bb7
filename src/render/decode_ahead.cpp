#include "render/decode_ahead.h"

#include "document/cover_document.h"
#include "render/back_renderer.h"
#include "render/drawing_surface.h"
#include "render/front_renderer.h"
#include "render/sheet_geometry.h"

void decodePicturesAhead(const CoverDocument& doc, double dpi)
{
    // The renderers themselves say which parts they draw; they clear the saved flag, so
    // they run on a copy, which shares the pictures.
    CoverDocument copy = doc;
    ImageSurface back(QSizeF(backsheet::kWidth, backsheet::kHeight), dpi);
    back.setDecodeAheadOnly(true);
    UpdateBack(copy, back, false);
    ImageSurface front(QSizeF(frontsheet::kWidth, frontsheet::kHeight), dpi);
    front.setDecodeAheadOnly(true);
    UpdateFront(copy, front, false);
}
