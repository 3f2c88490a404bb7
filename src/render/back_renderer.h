#pragma once

struct CoverDocument;
class DrawingSurface;

// Draws the whole back sheet (background, picture, marks, spine labels, contents list) on
// a preview (printing false: the surface is cleared first) or a printer page (printing
// true: every step is written to the trace log). Clears the document's saved flag even
// when drawing is off, and draws nothing while the view is disabled. Picture centring
// uses the surface's size on a preview and the nominal sheet when printing.
void UpdateBack(CoverDocument& doc, DrawingSurface& surface, bool printing);
