#pragma once

struct CoverDocument;
class DrawingSurface;

// Draws the whole front sheet (both halves with their pictures, note lines, marks and the
// two texts) on a preview (printing false: the surface is cleared first) or a printer
// page. Clears the document's saved flag even when drawing is off, and draws nothing while
// the view is disabled. The right cut mark and the mark lengths follow the surface's size
// on a preview and the nominal sheet when printing.
void UpdateFront(CoverDocument& doc, DrawingSurface& surface, bool printing);
