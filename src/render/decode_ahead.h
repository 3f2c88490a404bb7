#pragma once

struct CoverDocument;

// Starts decoding, on the machine's other cores, the parts of the cover's pictures that
// both sheets drawn at dpi will show, so that drawing the sheets next waits only for the
// slowest picture instead of decoding one after the other. Nothing is drawn.
void decodePicturesAhead(const CoverDocument& doc, double dpi);
