#pragma once
// The fifteen hatch patterns an outline can be filled with, drawn with the pen of a colour into a
// device rectangle (usually the box of the outline's clipping region, which trims the figure to
// the outline's shape).

#include "platform/win32.h"

// Draws fill pattern `pattern` (0 to 14; any other number draws pattern 0) in `colour` over the
// device rectangle r, given either way up. `scale` is 1.0 on screen, where distances are device
// pixels and dots single pixels; any other scale (printing) multiplies every distance and draws
// dots as short strokes. Does nothing for a null DC, a null or empty rectangle, or a scale that
// is not a positive finite number. The DC's state is saved and restored around the drawing.
void PaintPattern(HDC dc, int pattern, COLORREF colour, double scale, tagRECT* r);
