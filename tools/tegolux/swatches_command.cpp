// tegolux swatches: a sheet that shows what each colour index, line type and fill pattern of a
// drawing means, written as PNG, PDF or SVG.

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#include "tegolux.h"

namespace {

constexpr const char* kSwatchesUsage =
    "Usage: tegolux swatches -o FILE\n"
    "\n"
    "Writes a sheet of the sixteen colours with their index and name, the five line types and\n"
    "the fifteen fill patterns. The file's extension chooses the format: .png, .pdf or .svg.\n";

// Sheet layout, in pixels at the default 96 per inch.
constexpr int kSheetWidth = 900;
constexpr int kMargin = 30;
constexpr int kTitleHeight = 50;
constexpr int kHeadingHeight = 34;
constexpr int kSectionGap = 24;
constexpr int kColourColumns = 4;
constexpr int kColourRowHeight = 36;
constexpr int kColourChipWidth = 48;
constexpr int kColourChipHeight = 24;
constexpr int kLineRowHeight = 28;
constexpr int kLineLength = 260;
constexpr int kPatternColumns = 5;
constexpr int kPatternBoxWidth = 120;
constexpr int kPatternBoxHeight = 72;
constexpr int kPatternRowHeight = 110;
constexpr int kLabelGap = 10;
constexpr LONG kTitleFontHeight = -20;
constexpr LONG kHeadingFontHeight = -16;
constexpr LONG kLabelFontHeight = -13;
constexpr COLORREF kInk = RGB(0, 0, 0);
constexpr int kPatternColourIndex = 13;  // dark blue shows the hatching without shouting

constexpr int kColourRows = (kColourCount + kColourColumns - 1) / kColourColumns;
constexpr int kPatternRows = (kPatternCount + kPatternColumns - 1) / kPatternColumns;
constexpr int kSheetHeight = kMargin + kTitleHeight + kHeadingHeight +
                             kColourRows * kColourRowHeight + kSectionGap + kHeadingHeight +
                             kLineTypeCount * kLineRowHeight + kSectionGap + kHeadingHeight +
                             kPatternRows * kPatternRowHeight + kMargin;

enum class Format { kPng, kPdf, kSvg, kUnknown };

Format FormatOf(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos) return Format::kUnknown;
  const char* ext = path.c_str() + dot + 1;
  if (strcasecmp(ext, "png") == 0) return Format::kPng;
  if (strcasecmp(ext, "pdf") == 0) return Format::kPdf;
  if (strcasecmp(ext, "svg") == 0) return Format::kSvg;
  return Format::kUnknown;
}

const char* FormatName(Format format) {
  switch (format) {
    case Format::kPng:
      return "PNG";
    case Format::kPdf:
      return "PDF";
    case Format::kSvg:
      return "SVG";
    default:
      return "?";
  }
}

// Text in one font for the life of the object.
class FontScope {
 public:
  FontScope(HDC dc, LONG height, LONG weight) : dc_(dc) {
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = weight;
    std::snprintf(font.lfFaceName, LF_FACESIZE, "%s", "DejaVu Sans");
    font_ = CreateFontIndirectA(&font);
    previous_ = SelectObject(dc_, font_);
  }
  ~FontScope() {
    SelectObject(dc_, previous_);
    DeleteObject(font_);
  }
  FontScope(const FontScope&) = delete;
  FontScope& operator=(const FontScope&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ previous_;
};

void Text(HDC dc, int x, int y, const std::string& text, LONG height, LONG weight = FW_NORMAL) {
  FontScope font(dc, height, weight);
  TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

int Heading(HDC dc, int y, const char* text) {
  Text(dc, kMargin, y + kLabelGap, text, kHeadingFontHeight, FW_BOLD);
  return y + kHeadingHeight;
}

int DrawColours(HDC dc, int y) {
  y = Heading(dc, y, "Colours");
  const int column_width = (kSheetWidth - 2 * kMargin) / kColourColumns;
  for (int i = 0; i < kColourCount; ++i) {
    const int x = kMargin + (i % kColourColumns) * column_width;
    const int top = y + (i / kColourColumns) * kColourRowHeight;
    HBRUSH brush = CreateSolidBrush(GetColor(i));
    HGDIOBJ old = SelectObject(dc, brush);
    Rectangle(dc, x, top, x + kColourChipWidth, top + kColourChipHeight);
    SelectObject(dc, old);
    DeleteObject(brush);
    Text(dc, x + kColourChipWidth + kLabelGap, top + 4, std::to_string(i) + "  " + GetColorName(i),
         kLabelFontHeight);
  }
  return y + kColourRows * kColourRowHeight + kSectionGap;
}

int DrawLineTypes(HDC dc, int y) {
  y = Heading(dc, y, "Line types");
  for (int i = 0; i < kLineTypeCount; ++i) {
    const int middle = y + i * kLineRowHeight + kLineRowHeight / 2;
    HPEN pen = CreatePen(GetLineType(i), 0, kInk);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, kMargin, middle, nullptr);
    LineTo(dc, kMargin + kLineLength, middle);
    SelectObject(dc, old);
    DeleteObject(pen);
    Text(dc, kMargin + kLineLength + 2 * kLabelGap, middle - 8,
         std::to_string(i) + "  " + GetStyleName(i), kLabelFontHeight);
  }
  return y + kLineTypeCount * kLineRowHeight + kSectionGap;
}

int DrawPatterns(HDC dc, int y) {
  y = Heading(dc, y, "Fill patterns");
  const int column_width = (kSheetWidth - 2 * kMargin) / kPatternColumns;
  for (int i = 0; i < kPatternCount; ++i) {
    const int x = kMargin + (i % kPatternColumns) * column_width;
    const int top = y + (i / kPatternColumns) * kPatternRowHeight;
    RECT box{x, top, x + kPatternBoxWidth, top + kPatternBoxHeight};
    PaintPattern(dc, GetPattern(i), GetColor(kPatternColourIndex), 1.0, &box);
    HGDIOBJ old = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, box.left, box.top, box.right + 1, box.bottom + 1);
    SelectObject(dc, old);
    Text(dc, x, top + kPatternBoxHeight + 6, "Pattern " + std::to_string(i), kLabelFontHeight);
  }
  return y + kPatternRows * kPatternRowHeight;
}

HDC CreateSheet(Format format, const std::string& path) {
  switch (format) {
    case Format::kPng:
      return CreateImageDC(kSheetWidth, kSheetHeight);
    case Format::kPdf:
      return CreatePdfDC(path.c_str(), kSheetWidth, kSheetHeight);
    case Format::kSvg:
      return CreateSvgDC(path.c_str(), kSheetWidth, kSheetHeight);
    default:
      return nullptr;
  }
}

}  // namespace

int RunSwatches(int argc, char** argv) {
  std::string out;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kSwatchesUsage, stdout);
      return 0;
    }
    if ((std::strcmp(argv[i], "-o") == 0 || std::strcmp(argv[i], "--output") == 0) &&
        i + 1 < argc) {
      out = argv[++i];
      continue;
    }
    std::fprintf(stderr, "tegolux swatches: unexpected argument '%s'\n%s", argv[i], kSwatchesUsage);
    return 2;
  }
  if (out.empty()) {
    std::fprintf(stderr, "tegolux swatches: say where to write the sheet with -o FILE\n%s",
                 kSwatchesUsage);
    return 2;
  }
  const Format format = FormatOf(out);
  if (format == Format::kUnknown) {
    std::fprintf(stderr,
                 "tegolux swatches: cannot tell the format of '%s': name it .png, .pdf or .svg\n",
                 out.c_str());
    return 2;
  }
  HDC dc = CreateSheet(format, out);
  if (dc == nullptr) {
    std::fprintf(stderr, "tegolux swatches: cannot create %s\n", out.c_str());
    return 1;
  }
  SetBkMode(dc, TRANSPARENT);
  Text(dc, kMargin, kMargin, "Colours, line types and fill patterns", kTitleFontHeight, FW_BOLD);
  int y = kMargin + kTitleHeight;
  y = DrawColours(dc, y);
  y = DrawLineTypes(dc, y);
  DrawPatterns(dc, y);
  const bool written = WriteSurfaceDC(dc, out.c_str());
  DeleteSurfaceDC(dc);
  if (!written) {
    std::fprintf(stderr, "tegolux swatches: writing %s failed\n", out.c_str());
    return 1;
  }
  std::printf("Wrote %d colours, %d line types and %d fill patterns to %s (%s, %d x %d pixels)\n",
              kColourCount, kLineTypeCount, kPatternCount, out.c_str(), FormatName(format),
              kSheetWidth, kSheetHeight);
  return 0;
}
