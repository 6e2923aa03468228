#include "render/colours.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>

namespace {

constexpr COLORREF kColours[kColourCount] = {
    RGB(0, 0, 0),       RGB(255, 0, 0), RGB(255, 255, 0), RGB(0, 255, 0),
    RGB(0, 255, 255),   RGB(0, 0, 255), RGB(255, 0, 255), RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(128, 0, 0), RGB(128, 128, 0), RGB(0, 128, 0),
    RGB(0, 128, 128),   RGB(0, 0, 128), RGB(128, 0, 128), RGB(128, 128, 128),
};

constexpr const char* kColourNames[kColourCount] = {
    "Black", "Red",      "Yellow",  "Green",      "Aqua", "Blue",      "Pink",   "White",
    "Gray",  "Dark Red", "Mustard", "Dark Green", "Teal", "Dark Blue", "Violet", "Dark Gray",
};

constexpr COLORREF kOutOfTableColour = RGB(255, 255, 255);

// The index of a line type is also its platform pen style (0 solid ... 4 dash-dot-dot).
constexpr const char* kLineTypeNames[kLineTypeCount] = {
    "CONTINUOUS", "DASH", "DOT", "DASHDOT", "DASHDOTDOT",
};

constexpr int kSolidPenStyle = 0;
// An unknown line type name reads as the last style, as drawings have always loaded it.
constexpr int kUnknownNamePenStyle = kLineTypeCount - 1;

// Colour numbers 0 to 6 mean the same colours in both tables.
constexpr int kLastSharedAci = 6;

// The few other colour numbers that have a close match in the table.
struct AciMatch {
  int aci;
  int index;
};
constexpr AciMatch kAciMatches[] = {
    {8, 15},  {19, 15}, {9, 8},    {21, 8},   {10, 1},   {20, 1}, {11, 9},
    {12, 9},  {13, 9},  {14, 9},   {15, 9},   {16, 9},   {17, 9}, {22, 9},
    {56, 10}, {96, 11}, {136, 12}, {176, 13}, {216, 14},
};
constexpr int kUnmatchedAciIndex = 0;

// True colour is the most the engine tells apart.
constexpr int kMaxColourBits = 24;

bool InRange(int i, int count) {
  return i >= 0 && i < count;
}

}  // namespace

COLORREF GetColor(int i) {
  return InRange(i, kColourCount) ? kColours[i] : kOutOfTableColour;
}

const COLORREF* GetColors() {
  return kColours;
}

const char* GetColorName(int i) {
  return InRange(i, kColourCount) ? kColourNames[i] : "";
}

int GetTGColorIndexFromACI(int aci) {
  if (aci >= 0 && aci <= kLastSharedAci) return aci;
  for (const AciMatch& match : kAciMatches)
    if (match.aci == aci) return match.index;
  return kUnmatchedAciIndex;
}

int GetMaxDevColours() {
  // Zero until the screen has answered; a screen that cannot be asked is asked again next time.
  static std::atomic<int> cached{0};
  const int known = cached.load(std::memory_order_relaxed);
  if (known != 0) return known;
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 1 << 1;  // assume at least black and white
  const int64_t bits =
      static_cast<int64_t>(GetDeviceCaps(screen, BITSPIXEL)) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  const int colours = 1 << std::clamp<int64_t>(bits, 1, kMaxColourBits);
  cached.store(colours, std::memory_order_relaxed);
  return colours;
}

int GetLineType(int i) {
  return InRange(i, kLineTypeCount) ? i : kSolidPenStyle;
}

int GetLineType(const char* name) {
  if (name == nullptr) return kUnknownNamePenStyle;
  for (int i = 0; i < kLineTypeCount; ++i)
    if (std::strcmp(name, kLineTypeNames[i]) == 0) return i;
  return kUnknownNamePenStyle;
}

const char* GetStyleName(int i) {
  // Indices past the table have always been clamped to the last name; a negative index is not a
  // line type at all and reads as the default, continuous.
  if (i < 0) return kLineTypeNames[0];
  if (i >= kLineTypeCount) return kLineTypeNames[kLineTypeCount - 1];
  return kLineTypeNames[i];
}

int GetPattern(int i) {
  return InRange(i, kPatternCount) ? i : 0;
}
