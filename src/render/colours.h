#pragma once
// The tables that turn an entity's small integers into what the platform draws with: the
// 16-entry colour table with its names, and the five line types with their names and pen styles.

#include "platform/win32.h"

inline constexpr int kColourCount = 16;
inline constexpr int kLineTypeCount = 5;
inline constexpr int kPatternCount = 15;

// The RGB value of colour i (0 to 15); white for any other index, negative ones included.
COLORREF GetColor(int i);
// The whole colour table: kColourCount values, read-only.
const COLORREF* GetColors();
// The name of colour i (0 to 15); the empty text for any other index.
const char* GetColorName(int i);
// The table index for an AutoCAD Color Index number read from an exchange file: 0 to 6 keep their
// number, a few greys and dark shades map to their nearest entry, and everything else (7, the
// exchange format's white, included) is black.
int GetTGColorIndexFromACI(int aci);

// The number of colours the screen shows: 2 to the power of its bits per pixel times its colour
// planes, at most 2^24. Asked of the screen once and remembered.
int GetMaxDevColours();

// The pen style of line type i (0 to 4); 0 (solid) for any other index.
int GetLineType(int i);
// The pen style of the line type named exactly name (case matters); 4 for a null or unknown name.
int GetLineType(const char* name);
// The name of line type i (0 to 4); "DASHDOTDOT" for i of 5 or more, "CONTINUOUS" below 0.
const char* GetStyleName(int i);

// Fill pattern i (0 to 14) maps to itself; anything else to 0.
int GetPattern(int i);
