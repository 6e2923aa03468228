#pragma once
// Process-wide values the host hands over, and the small shared services that go with them.

#include <cstddef>

class Point3D;

// Makes a layer or block name acceptable to the exchange format: every character of
// ! @ # % ^ & * ( ) + = | \ { [ } ] : ; < , > . ? / ` ~ " ' and the blank becomes '_', and the
// result is upper-cased. dst must hold strlen(src) + 1 characters; src and dst may be the same
// buffer. Returns dst (null when either pointer is null).
char* ConvertDXFName(const char* src, char* dst);

// The same with the size of dst: the result is cut to dstSize - 1 characters.
char* ConvertDXFName(const char* src, char* dst, size_t dstSize);

// True for a usable GUID text: not null, not empty, and without a run of six zeros (the mark of a
// GUID that was never generated).
bool ValidateGuid(const char* text);

// The mapping entity painting reads: scale, stretch and the screen offset, written by the viewport
// whenever the mapping changes. Both numbers start at 1.0 and the offset at the origin. A null
// pointer is passed over (the other values are still read or written).
void SetDrawingSettings(double scale, double stretch, const Point3D* offset);
void GetDrawingSettings(double* scale, double* stretch, Point3D* offset);

// The screen's logical pixels per inch. The setter reads them from the screen device context
// (its vertical resolution; pixels are square) and returns them; until it is called the answer is
// the usual 96.
int GetLogPixelsInch();
int SetLogPixelsInch();
