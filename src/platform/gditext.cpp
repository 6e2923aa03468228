// Text on a device context: the selected LOGFONTA realised through fontconfig and Cairo, drawn
// with GDI's alignment, background and escapement rules, and measured the same way it is drawn.

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <strings.h>

#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <string>

#include "detail/fixedtext.h"
#include "platform/detail/devicecontext.h"

namespace {

// Every machine has the same output: an unknown face falls back to this one.
constexpr char kFallbackFamily[] = "DejaVu Sans";
constexpr double kDefaultCellHeight = 16;  // device pixels, for a height of 0
constexpr LONG kBoldWeight = 600;
constexpr double kReferenceEm = 1000;
constexpr double kTenthsPerDegree = 10.0;
constexpr double kDegreesPerHalfTurn = 180.0;
constexpr double kUnderlineThicknessPerEm = 1.0 / 14.0;
constexpr double kStrikeOutHeightPerAscent = 0.3;
constexpr UINT kHorizontalAlignMask = TA_CENTER;  // TA_LEFT, TA_RIGHT and TA_CENTER bits
constexpr UINT kVerticalAlignMask = TA_BASELINE;  // TA_TOP, TA_BOTTOM and TA_BASELINE bits

// The family fontconfig really has for a face name, or the fallback. Answers are kept: a
// fontconfig match is far slower than a text output.
std::string ResolveFamily(const char* face) {
  if (face == nullptr || face[0] == '\0') return kFallbackFamily;
  static std::mutex mutex;
  static std::map<std::string, std::string>* known = new std::map<std::string, std::string>;
  std::lock_guard<std::mutex> lock(mutex);
  const auto found = known->find(face);
  if (found != known->end()) return found->second;

  std::string family = kFallbackFamily;
  FcPattern* pattern = FcPatternCreate();
  if (pattern != nullptr) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* matched = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch &&
        strcasecmp(reinterpret_cast<const char*>(matched), face) == 0) {
      family = face;
    }
    if (match != nullptr) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
  }
  try {
    known->emplace(face, family);
  } catch (...) {
  }
  return family;
}

// Text the host passes is in the Windows ANSI code page; Cairo wants UTF-8.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

std::string AnsiToUtf8(const char* text, int length) {
  std::string out;
  for (int i = 0; i < length; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == 0) break;
    char16_t code = c;
    if (c >= 0x80 && c < 0xA0) code = kWindows1252High[c - 0x80];
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

struct RealisedFont {
  cairo_font_extents_t extents;
  double em;  // device pixels
};

// Selects the DC's logical font into cr at its device size. A positive height is the cell
// height (ascent plus descent), a negative one the character (em) height, as in GDI.
RealisedFont RealiseFont(cairo_t* cr, const HDC__& d) {
  const LOGFONTA& font = d.state.font;
  char face[LF_FACESIZE];
  CopyFixedText(face, font.lfFaceName);
  const std::string family = ResolveFamily(face);
  cairo_select_font_face(
      cr, family.c_str(), font.lfItalic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
      font.lfWeight >= kBoldWeight ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  const double scale = std::fabs(d.ScaleY());
  double em = 0;
  if (font.lfHeight < 0) {
    em = -static_cast<double>(font.lfHeight) * scale;
  } else {
    const double cell = font.lfHeight > 0 ? font.lfHeight * scale : kDefaultCellHeight;
    // Measured at a large size, where hinted metrics are not rounded away.
    cairo_set_font_size(cr, kReferenceEm);
    cairo_font_extents_t reference;
    cairo_font_extents(cr, &reference);
    const double reference_cell = reference.ascent + reference.descent;
    em = reference_cell > 0 ? cell * kReferenceEm / reference_cell : cell;
  }
  cairo_set_font_size(cr, em);
  RealisedFont realised{};
  realised.em = em;
  cairo_font_extents(cr, &realised.extents);
  return realised;
}

double Advance(cairo_t* cr, const std::string& utf8) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, utf8.c_str(), &extents);
  return extents.x_advance;
}

int ToLogicalLength(double device, double scale) {
  return scale == 0 ? 0 : static_cast<int>(std::lround(device / std::fabs(scale)));
}

}  // namespace

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || text == nullptr || length < 0) return FALSE;
  const std::string utf8 = AnsiToUtf8(text, length);
  if (RecordedCall* call = d->Record("TextOutA", {x, y})) {
    call->text.assign(text, strnlen(text, static_cast<size_t>(length)));
  }
  DcState& s = d->state;
  const bool update_cp = (s.text_align & TA_UPDATECP) != 0;
  const POINT origin = update_cp ? s.position : POINT{x, y};
  cairo_t* cr = d->Canvas();
  cairo_t* measure = cr != nullptr ? cr : d->TextContext();
  cairo_save(measure);
  const RealisedFont font = RealiseFont(measure, *d);
  const double width = Advance(measure, utf8);
  if (cr != nullptr) {
    const double ascent = font.extents.ascent;
    const double descent = font.extents.descent;
    double dx = 0;
    const UINT horizontal = s.text_align & kHorizontalAlignMask;
    if (horizontal == TA_RIGHT) dx = -width;
    if (horizontal == TA_CENTER) dx = -width / 2;
    double baseline = ascent;  // TA_TOP
    const UINT vertical = s.text_align & kVerticalAlignMask;
    if (vertical == TA_BOTTOM) baseline = -descent;
    if (vertical == TA_BASELINE) baseline = 0;

    cairo_translate(cr, d->DeviceX(origin.x), d->DeviceY(origin.y));
    // Escapement is counter-clockwise in tenths of a degree; y grows downward on the device.
    cairo_rotate(cr, -s.font.lfEscapement / kTenthsPerDegree * M_PI / kDegreesPerHalfTurn);
    if (s.bk_mode == OPAQUE) {
      SetCairoColour(cr, s.bk_colour);
      cairo_rectangle(cr, dx, baseline - ascent, width, ascent + descent);
      cairo_fill(cr);
    }
    SetCairoColour(cr, s.text_colour);
    cairo_move_to(cr, dx, baseline);
    cairo_show_text(cr, utf8.c_str());
    const double thickness = std::max(1.0, std::round(font.em * kUnderlineThicknessPerEm));
    if (s.font.lfUnderline) cairo_rectangle(cr, dx, baseline + descent / 2, width, thickness);
    if (s.font.lfStrikeOut) {
      cairo_rectangle(cr, dx, baseline - ascent * kStrikeOutHeightPerAscent, width, thickness);
    }
    cairo_fill(cr);
  }
  cairo_restore(measure);
  if (update_cp) s.position.x += ToLogicalLength(width, d->ScaleX());
  return TRUE;
}

BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || text == nullptr || length < 0 || size == nullptr) return FALSE;
  cairo_t* cr = d->TextContext();
  cairo_save(cr);
  const RealisedFont font = RealiseFont(cr, *d);
  const double width = Advance(cr, AnsiToUtf8(text, length));
  cairo_restore(cr);
  size->cx = ToLogicalLength(width, d->ScaleX());
  size->cy = ToLogicalLength(std::ceil(font.extents.ascent + font.extents.descent), d->ScaleY());
  return TRUE;
}

BOOL GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics) {
  HDC__* d = LiveDC(dc);
  if (d == nullptr || metrics == nullptr) return FALSE;
  cairo_t* cr = d->TextContext();
  cairo_save(cr);
  const RealisedFont font = RealiseFont(cr, *d);
  const double average = Advance(cr, "x");
  cairo_restore(cr);
  const double sy = d->ScaleY();
  TEXTMETRICA m{};
  m.tmAscent = ToLogicalLength(std::ceil(font.extents.ascent), sy);
  m.tmDescent = ToLogicalLength(std::ceil(font.extents.descent), sy);
  m.tmHeight = m.tmAscent + m.tmDescent;
  m.tmInternalLeading = std::max<LONG>(0, m.tmHeight - ToLogicalLength(font.em, sy));
  m.tmExternalLeading = std::max<LONG>(
      0, ToLogicalLength(font.extents.height - font.extents.ascent - font.extents.descent, sy));
  m.tmAveCharWidth = ToLogicalLength(average, d->ScaleX());
  m.tmMaxCharWidth = ToLogicalLength(font.extents.max_x_advance, d->ScaleX());
  m.tmWeight = d->state.font.lfWeight == FW_DONTCARE ? FW_NORMAL : d->state.font.lfWeight;
  m.tmDigitizedAspectX = d->pixels_per_inch;
  m.tmDigitizedAspectY = d->pixels_per_inch;
  m.tmFirstChar = ' ';
  m.tmLastChar = 0xFF;
  m.tmDefaultChar = '?';
  m.tmBreakChar = ' ';
  m.tmItalic = d->state.font.lfItalic;
  m.tmUnderlined = d->state.font.lfUnderline;
  m.tmStruckOut = d->state.font.lfStrikeOut;
  m.tmPitchAndFamily = d->state.font.lfPitchAndFamily;
  m.tmCharSet = d->state.font.lfCharSet;
  *metrics = m;
  return TRUE;
}

int GetTextFaceA(HDC dc, int size, LPSTR face) {
  const HDC__* d = LiveDC(dc);
  if (d == nullptr) return 0;
  char requested[LF_FACESIZE];
  CopyFixedText(requested, d->state.font.lfFaceName);
  const std::string family = ResolveFamily(requested);
  if (face == nullptr || size <= 0) return static_cast<int>(family.size()) + 1;
  const size_t n = std::min(family.size(), static_cast<size_t>(size - 1));
  std::memcpy(face, family.data(), n);
  face[n] = '\0';
  return static_cast<int>(n);
}
