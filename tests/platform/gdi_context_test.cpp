// Device-context state, objects and handles, mapping, text and the host-side surfaces.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/surface.h"
#include "platform/win32.h"
#include "support/compact_helpers.h"
#include "support/image_dc.h"

namespace {

TEST(GdiContext, SaveDCNestsRestoreDCGoesBackByLevelOrCountAndSettersRefuseNonsense) {
  ScopedDC dc(CreateRecordingDC(100, 100));
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  EXPECT_EQ(SaveDC(dc), 1);
  SetROP2(dc, R2_NOTXORPEN);
  SelectObject(dc, red);
  EXPECT_EQ(SaveDC(dc), 2);
  SetTextColor(dc, RGB(1, 2, 3));
  SetMapMode(dc, MM_ISOTROPIC);
  EXPECT_EQ(SaveDC(dc), 3);
  SetBkMode(dc, TRANSPARENT);

  // Levels out of range fail; -1 goes back to level 3's state.
  EXPECT_EQ((std::vector{RestoreDC(dc, 0), RestoreDC(dc, 4), RestoreDC(dc, -4), RestoreDC(dc, -1)}),
            (std::vector{FALSE, FALSE, FALSE, TRUE}));
  EXPECT_EQ((std::vector{GetBkMode(dc), GetMapMode(dc)}), (std::vector{OPAQUE, MM_ISOTROPIC}));
  EXPECT_TRUE(RestoreDC(dc, 2));  // by level: drops level 2 and everything after
  EXPECT_EQ((std::vector{GetTextColor(dc), static_cast<COLORREF>(GetMapMode(dc)),
                         static_cast<COLORREF>(GetROP2(dc))}),
            (std::vector{RGB(0, 0, 0), static_cast<COLORREF>(MM_TEXT),
                         static_cast<COLORREF>(R2_NOTXORPEN)}));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), static_cast<HGDIOBJ>(red));
  EXPECT_EQ((std::vector{RestoreDC(dc, 2), RestoreDC(dc, -1)}), (std::vector{FALSE, TRUE}));
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_FALSE(RestoreDC(dc, -1));
  DeleteObject(red);

  // Setters return the previous value and refuse nonsense with 0.
  ScopedDC fresh(CreateRecordingDC(10, 10));
  EXPECT_EQ((std::vector{SetROP2(fresh, R2_XORPEN), SetROP2(fresh, 17), GetROP2(fresh),
                         SetBkMode(fresh, 3), SetPolyFillMode(fresh, 0), SetMapMode(fresh, 9)}),
            (std::vector{R2_COPYPEN, 0, R2_XORPEN, 0, 0, 0}));
  EXPECT_EQ(SetBkColor(fresh, RGB(9, 9, 9)), RGB(255, 255, 255));
  EXPECT_EQ(SetTextAlign(fresh, TA_RIGHT | TA_BASELINE), static_cast<UINT>(TA_LEFT | TA_TOP));
}

TEST(GdiContext, MappingModesConvertLogicalToDevice) {
  ScopedDC dc(CreateRecordingDC(500, 500, 100));
  POINT p[2] = {{10, 20}, {-5, 0}};
  LPtoDP(dc, p, 2);
  EXPECT_EQ((std::vector{p[0].x, p[0].y, p[1].x, p[1].y}), (std::vector<LONG>{10, 20, -5, 0}));
  const auto device = [&](LONG x, LONG y) {
    POINT q{x, y};
    LPtoDP(dc, &q, 1);
    return std::vector{q.x, q.y};
  };

  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 10, 10, nullptr);
  SetViewportExtEx(dc, 30, -20, nullptr);
  SetWindowOrgEx(dc, 5, 5, nullptr);
  SetViewportOrgEx(dc, 100, 200, nullptr);
  EXPECT_EQ(device(15, 10),
            (std::vector<LONG>{130, 190}));  // (15 - 5) * 3 + 100, (10 - 5) * -2 + 200
  POINT back{130, 190};
  DPtoLP(dc, &back, 1);
  EXPECT_EQ((std::vector{back.x, back.y}), (std::vector<LONG>{15, 10}));

  SetMapMode(dc, MM_ISOTROPIC);  // the smaller scale in both directions, signs kept
  EXPECT_EQ(device(15, 10), (std::vector<LONG>{120, 190}));

  SetMapMode(dc, MM_LOENGLISH);  // hundredths of an inch, y upward
  SetViewportOrgEx(dc, 0, 0, nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  EXPECT_EQ(device(100, 50), (std::vector<LONG>{100, -50}));
  EXPECT_FALSE(SetViewportExtEx(dc, 0, 5, nullptr) && GetMapMode(dc) != MM_LOENGLISH);
}

TEST(GdiContext, HandlesAreCheckedSoStaleOnesFailSafely) {
  ScopedDC dc(CreateRecordingDC(10, 10));
  HPEN pen = CreatePen(PS_DOT, 0, RGB(1, 2, 3));
  EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
  EXPECT_TRUE(DeleteObject(pen));  // the DC keeps drawing with its copy
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(SelectObject(dc, pen), nullptr);
  LineTo(dc, 5, 5);
  const std::vector<RecordedCall> calls = GetRecordedCalls(dc);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(std::tie(calls[0].pen_style, calls[0].pen_colour), std::tuple(PS_DOT, RGB(1, 2, 3)));

  EXPECT_TRUE(DeleteObject(GetStockObject(NULL_BRUSH)));  // allowed, and it survives
  EXPECT_NE(SelectObject(dc, GetStockObject(NULL_BRUSH)), nullptr);
  const LOGBRUSH bad_hatch{BS_HATCHED, 0, 99};
  EXPECT_EQ((std::vector<HGDIOBJ>{GetStockObject(-1), GetStockObject(20), CreatePen(42, 1, 0),
                                  CreateBrushIndirect(nullptr), CreateBrushIndirect(&bad_hatch),
                                  SelectObject(nullptr, GetStockObject(BLACK_PEN))}),
            (std::vector<HGDIOBJ>(6, nullptr)));
  EXPECT_FALSE(DeleteObject(static_cast<HGDIOBJ>(static_cast<HDC>(dc))));

  // Nothing crashes on null or stale handles.
  EXPECT_EQ((std::vector{LineTo(nullptr, 1, 1), SaveDC(nullptr), GetDeviceCaps(nullptr, LOGPIXELSX),
                         CombineRgn(nullptr, nullptr, nullptr, RGN_OR)}),
            (std::vector{FALSE, 0, 0, ERROR}));
  EXPECT_EQ(SetPixel(nullptr, 0, 0, 0), CLR_INVALID);
  HRGN gone = CreateRectRgn(0, 0, 5, 5);
  DeleteObject(gone);
  EXPECT_FALSE(PtInRegion(gone, 1, 1));
  EXPECT_FALSE(PaintRgn(dc, gone));
}

TEST(GdiContext, DeviceCapsAndTheScreenStandIn) {
  ScopedDC image(CreateImageDC(640, 480, 150));
  std::vector<int> caps;
  for (const int index : {LOGPIXELSX, LOGPIXELSY, HORZRES, VERTRES, BITSPIXEL, PLANES})
    caps.push_back(GetDeviceCaps(image, index));
  EXPECT_EQ(caps, (std::vector{150, 150, 640, 480, 24, 1}));

  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
  SetScreenPixelsPerInch(120);
  HDC screen120 = GetDC(nullptr);
  EXPECT_EQ((std::vector{GetDeviceCaps(screen120, LOGPIXELSY), GetDeviceCaps(screen, LOGPIXELSY)}),
            (std::vector{120, 96}));
  SetScreenPixelsPerInch(0);  // ignored
  EXPECT_EQ(GetScreenPixelsPerInch(), 120);
  SetScreenPixelsPerInch(kDefaultPixelsPerInch);
  // Only screen DCs are released, each once.
  EXPECT_EQ((std::vector{ReleaseDC(nullptr, screen), ReleaseDC(nullptr, screen),
                         ReleaseDC(nullptr, image), ReleaseDC(nullptr, screen120)}),
            (std::vector{1, 0, 0, 1}));
  EXPECT_EQ((std::vector{CreateImageDC(0, 10), CreateImageDC(10, 10, 0), CreateImageDC(40000, 10)}),
            (std::vector<HDC>(3, nullptr)));
}

LOGFONTA Font(const char* face, LONG height) {
  LOGFONTA f{};
  f.lfHeight = height;
  f.lfWeight = FW_NORMAL;
  std::snprintf(f.lfFaceName, LF_FACESIZE, "%s", face);
  return f;
}

std::string Face(HDC dc) {
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, LF_FACESIZE, face);
  return face;
}

TEST(GdiText, UnknownFacesFallBackToDejaVuSansAndExtentsFollowHeightAndMapping) {
  ScopedDC dc(CreateRecordingDC(100, 100));
  const LOGFONTA unknown = Font("No Such Face 1234", -12);
  HFONT a = CreateFontIndirectA(&unknown);
  SelectObject(dc, a);
  EXPECT_EQ(Face(dc), "DejaVu Sans");
  const LOGFONTA serif = Font("dejavu serif", -12);  // faces match without regard to case
  HFONT b = CreateFontIndirectA(&serif);
  SelectObject(dc, b);
  EXPECT_EQ(Face(dc), "dejavu serif");

  // Extents follow the height and the mapping.
  const LOGFONTA small = Font("DejaVu Sans", -20);
  const LOGFONTA cell = Font("DejaVu Sans", 20);
  HFONT c = CreateFontIndirectA(&small);
  HFONT d = CreateFontIndirectA(&cell);
  SIZE wide{}, narrow{}, empty{};
  SelectObject(dc, c);
  ASSERT_TRUE(GetTextExtentPoint32A(dc, "WWWW", 4, &wide));
  GetTextExtentPoint32A(dc, "iiii", 4, &narrow);
  GetTextExtentPoint32A(dc, "WWWW", 0, &empty);
  EXPECT_GT(wide.cx, 2 * narrow.cx);
  EXPECT_EQ(empty.cx, 0);
  EXPECT_TRUE(wide.cy >= 20 && wide.cy <= 25)
      << wide.cy;  // a character height of 20: a taller cell
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_GT(tm.tmInternalLeading, 0);

  SelectObject(dc, d);  // a positive height is the cell height
  SIZE by_cell{};
  GetTextExtentPoint32A(dc, "WWWW", 4, &by_cell);
  EXPECT_NEAR(by_cell.cy, 20, 1);

  SetMapMode(dc, MM_ANISOTROPIC);  // twice the device size, the same logical size
  SetViewportExtEx(dc, 2, 2, nullptr);
  SIZE mapped{};
  GetTextExtentPoint32A(dc, "WWWW", 4, &mapped);
  EXPECT_NEAR(mapped.cx, by_cell.cx, 1);
  EXPECT_FALSE(GetTextExtentPoint32A(dc, nullptr, 4, &mapped) ||
               GetTextExtentPoint32A(dc, "W", -1, &mapped));
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  for (HFONT font : {a, b, c, d})
    DeleteObject(font);
}

struct Span {
  int first;
  int last;
};

// The first and last columns that hold anything but white.
Span InkedColumns(HDC dc, int width, int height) {
  int first = width, last = -1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (GetPixel(dc, x, y) == RGB(255, 255, 255)) continue;
      first = std::min(first, x);
      last = std::max(last, x);
    }
  }
  return {first, last};
}

TEST(GdiText, TextOutDrawsInTheTextColourAtItsAlignmentOverAnOpaqueBackground) {
  ScopedDC dc(CreateImageDC(200, 40));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 255));
  SIZE size{};
  GetTextExtentPoint32A(dc, "Hip", 3, &size);
  TextOutA(dc, 20, 5, "Hip", 3);
  const auto left = InkedColumns(dc, 200, 40);
  EXPECT_GE(left.first, 20);
  EXPECT_LE(left.last, 20 + size.cx);
  bool blue = false;
  for (int x = left.first; x <= left.last; ++x) {
    for (int y = 0; y < 40; ++y) {
      const COLORREF c = GetPixel(dc, x, y);  // smoothed edges: blue dominates
      blue = blue || (GetBValue(c) == 255 && GetRValue(c) < 128 && GetGValue(c) < 128);
    }
  }
  EXPECT_TRUE(blue);

  ScopedDC right(CreateImageDC(200, 40));
  SetBkMode(right, TRANSPARENT);
  SetTextAlign(right, TA_RIGHT | TA_TOP);
  TextOutA(right, 100, 5, "Hip", 3);
  const auto placed = InkedColumns(right, 200, 40);
  EXPECT_LT(placed.last, 100);
  EXPECT_GE(placed.first, 100 - size.cx);

  // TA_UPDATECP draws at the current position and advances it.
  ScopedDC recording(CreateRecordingDC(200, 40));
  SetTextAlign(recording, TA_UPDATECP);
  MoveToEx(recording, 10, 10, nullptr);
  TextOutA(recording, 0, 0, "Eave\xb0", 5);
  POINT after{};
  MoveToEx(recording, 0, 0, &after);
  EXPECT_GT(after.x, 10) << "TA_UPDATECP advances the current position";
  const std::vector<RecordedCall> calls = GetRecordedCalls(recording);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ((TextList{calls[1].name, calls[1].text}), (TextList{"TextOutA", "Eave\xb0"}));

  ScopedDC image(CreateImageDC(100, 30));
  SetBkColor(image, RGB(255, 255, 0));
  TextOutA(image, 2, 2, "  ", 2);  // blanks draw only the background
  EXPECT_EQ((std::vector{GetPixel(image, 4, 8), GetPixel(image, 60, 8)}),
            (std::vector{RGB(255, 255, 0), RGB(255, 255, 255)}));
}

TEST(GdiRecording, KeepsEachCallWithTheStateInForce) {
  ScopedDC dc(CreateRecordingDC(100, 100));
  HPEN pen = CreatePen(PS_DASH, 3, RGB(10, 20, 30));
  HBRUSH brush = CreateSolidBrush(RGB(40, 50, 60));
  SelectObject(dc, pen);
  SelectObject(dc, brush);
  SetROP2(dc, R2_NOTXORPEN);
  MoveToEx(dc, 1, 2, nullptr);
  LineTo(dc, 3, 4);
  const POINT tri[] = {{0, 0}, {5, 0}, {0, 5}};
  Polygon(dc, tri, 3);
  Arc(dc, 0, 0, 10, 10, 10, 5, 5, 0);
  SetPixel(dc, 7, 8, RGB(1, 1, 1));
  const std::vector<RecordedCall> calls = GetRecordedCalls(dc);
  ASSERT_EQ(calls.size(), 5u);
  const RecordedCall& line = calls[1];
  EXPECT_EQ(
      std::tie(line.name, line.from.x, line.from.y, line.args, line.pen_width, line.pen_style,
               line.rop),
      std::tuple(std::string("LineTo"), 1, 2, std::vector<int>{3, 4}, 3, PS_DASH, R2_NOTXORPEN));
  EXPECT_EQ(std::tuple(calls[2].points.size(), calls[2].brush_colour),
            std::tuple(size_t{3}, RGB(40, 50, 60)));
  EXPECT_EQ(calls[3].args, (std::vector<int>{0, 0, 10, 10, 10, 5, 5, 0}));
  EXPECT_EQ(calls[4].args, (std::vector<int>{7, 8, static_cast<int>(RGB(1, 1, 1))}));
  ClearRecordedCalls(dc);
  EXPECT_TRUE(GetRecordedCalls(dc).empty());
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(pen);
  DeleteObject(brush);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(GdiSurface, WritesPngPdfAndSvgFiles) {
  const std::string dir = testing::TempDir();
  const std::string png = dir + "tegolux_surface.png";
  const std::string pdf = dir + "tegolux_surface.pdf";
  const std::string svg = dir + "tegolux_surface.svg";
  {
    ScopedDC image(CreateImageDC(30, 20));
    Rectangle(image, 2, 2, 20, 10);
    ASSERT_TRUE(WriteSurfaceDC(image, png.c_str()));
    ScopedDC back(LoadImageDC(png.c_str()));
    ASSERT_NE(static_cast<HDC>(back), nullptr);
    EXPECT_EQ(Pixels(back), Pixels(image));
  }
  for (const std::string& path : {pdf, svg}) {
    ScopedDC dc(path == pdf ? CreatePdfDC(path.c_str(), 300, 200)
                            : CreateSvgDC(path.c_str(), 300, 200));
    ASSERT_NE(static_cast<HDC>(dc), nullptr);
    Rectangle(dc, 10, 10, 100, 50);
    TextOutA(dc, 10, 60, "Valley", 6);
    EXPECT_TRUE(WriteSurfaceDC(dc, nullptr));
    EXPECT_TRUE(LineTo(dc, 5, 5)) << "drawing after the file is complete is harmless";
  }
  EXPECT_EQ(ReadFile(pdf).rfind("%PDF", 0), 0u);
  EXPECT_NE(ReadFile(svg).find("<svg"), std::string::npos);
  for (const std::string& path : {png, pdf, svg})
    std::remove(path.c_str());

  EXPECT_EQ((std::vector{CreatePdfDC((dir + "no/such/folder/x.pdf").c_str(), 10, 10),
                         CreateSvgDC(nullptr, 10, 10), LoadImageDC((dir + "missing.png").c_str())}),
            (std::vector<HDC>(3, nullptr)));
  ScopedDC recording(CreateRecordingDC(5, 5));
  EXPECT_FALSE(WriteSurfaceDC(recording, png.c_str()));
}

}  // namespace
