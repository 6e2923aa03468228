#include "entities/text3d.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>

#include "detail/fixedtext.h"
#include "entities/multi3d.h"
#include "settings/hostglobals.h"

namespace {

// Live texts in the process; constructors count up, the destructor down.
int g_live_texts = 0;

constexpr const char* kTextName = "text";

// The font of a new text: 12-pixel Arial, normal weight, no style.
constexpr LONG kDefaultFontHeight = -12;
constexpr LONG kWeightNormal = 400;
constexpr LONG kWeightBold = 700;
// Weights above this read as bold.
constexpr LONG kBoldAbove = 500;
constexpr BYTE kDefaultQuality = 2;
constexpr BYTE kDefaultPitchAndFamily = 2;
constexpr const char* kDefaultFace = "Arial";
// Outline precision and character clipping with a stroke fallback: every font is realised the
// same way whatever record a caller hands in.
constexpr BYTE kOutPrecision = 7;
constexpr BYTE kClipPrecision = 16;

constexpr double kDefaultPointsize = 10.0;
constexpr double kPointsPerInch = 72.0;
// In drawing units at XScale 1: the gap between stacked lines and the frame margin.
constexpr double kLineGap = 0.02;
constexpr double kFrameMargin = 0.1;
// The realised font height is kept to what the text engine measures reliably; results are
// scaled back to the true size.
constexpr double kMinMeasurePixels = 1.0;
constexpr double kMaxMeasurePixels = 4096.0;

LOGFONTA DefaultFont() {
  LOGFONTA font{};
  font.lfHeight = kDefaultFontHeight;
  font.lfWeight = kWeightNormal;
  font.lfOutPrecision = kOutPrecision;
  font.lfClipPrecision = kClipPrecision;
  font.lfQuality = kDefaultQuality;
  font.lfPitchAndFamily = kDefaultPitchAndFamily;
  CopyFixedText(font.lfFaceName, kDefaultFace);
  return font;
}

// Sizes in points or drawing units: finite and not negative.
bool IsUsableSize(double v) {
  return std::isfinite(v) && v >= 0.0;
}

// Degrees brought into [0, 360).
double NormalizedDegrees(double degrees) {
  double a = std::fmod(degrees, kFullTurnDegrees);
  if (a < 0.0) a += kFullTurnDegrees;
  if (a >= kFullTurnDegrees) a -= kFullTurnDegrees;
  return a;
}

int ClampedLength(size_t length) {
  return length > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

// The alignment codes without a name of their own: a left-aligned and a centred variant.
constexpr int kAlignLeftVariant = 3;
constexpr int kAlignCentreVariant = 4;

// Alignment codes whose box hangs from the alignment point rather than the insertion point.
bool AnchorsAtAlignPoint(int code) {
  return code == kAlignCentre || code == kAlignRight || code == kAlignCentreVariant;
}

// Where the box's left edge lies from its anchor.
double LeftOffset(int code, double width) {
  if (code == kAlignRight) return -width;
  if (code == kAlignCentre || code == kAlignCentreVariant) return -width / 2.0;
  return 0.0;
}

// Codes that always keep the height when the scale changes.
bool KeepsHeightOnRescale(int code) {
  return code == kAlignLeftVariant || code == kAlignFitted;
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------

Text3D::Text3D(int flags, int colour) : Curve3D(colour, 0, 1, -1, -2) {
  ++g_live_texts;
  font_ = DefaultFont();
  flags_ = flags;
  Type(kEntityText);
  Name(kTextName);
  Calcbox();
  State(kStateUnchanged);
}

Text3D::Text3D(const Point3D* p, const char* text, double points, double angle, int flags,
               int colour)
    : Curve3D(p, p, colour, 0, 1, -1, -2) {
  ++g_live_texts;
  font_ = DefaultFont();
  flags_ = flags;
  Type(kEntityText);
  Name(kTextName);
  if (text != nullptr) {
    try {
      lines_.emplace_back(text);
    } catch (...) {
      lines_.clear();
    }
  }
  if (IsUsableSize(points)) {
    pointsize_ = points;
    text_height_ = points / kPointsPerInch / x_scale_;
  }
  if (std::isfinite(angle)) angle_ = angle < 0.0 ? angle + kFullTurnDegrees : angle;
  Calcbox();
  State(kStateUnchanged);
}

Text3D::Text3D(const Text3D* src) : Curve3D(static_cast<const Curve3D*>(src)) {
  ++g_live_texts;
  font_ = DefaultFont();
  if (src != nullptr) {
    CopyTextFields(*src);
  } else {
    Type(kEntityText);
    Name(kTextName);
    Calcbox();
  }
  State(kStateUnchanged);
}

Text3D::Text3D(const Text3D& src) : Text3D(&src) {}

Text3D& Text3D::operator=(const Text3D& src) {
  if (this == &src) return *this;
  Curve3D::operator=(src);
  CopyTextFields(src);
  return *this;
}

Text3D::~Text3D() {
  --g_live_texts;
}

int Text3D::LiveCount() {
  return g_live_texts;
}

Curve3D* Text3D::Copy() {
  return new (std::nothrow) Text3D(*this);
}

// The base part (box included) is copied by the caller; the measured outline is copied whole so a
// copy needs no device to be located.
void Text3D::CopyTextFields(const Text3D& src) {
  try {
    lines_ = src.lines_;
  } catch (...) {
    lines_.clear();
  }
  font_ = src.font_;
  pointsize_ = src.pointsize_;
  text_height_ = src.text_height_;
  angle_ = src.angle_;
  alignment_ = src.alignment_;
  align_point_ = src.align_point_;
  x_scale_ = src.x_scale_;
  x_stretch_ = src.x_stretch_;
  flags_ = src.flags_;
  frame_ = src.frame_;
  has_box_ = src.has_box_;
  text_box_.reset(src.text_box_ ? new (std::nothrow) Multi3D(src.text_box_.get()) : nullptr);
}

void Text3D::Changed() {
  State(kStateChanged);
  Calcbox();
}

// ---- Lines --------------------------------------------------------------------------------

void Text3D::Settext(const char* text) {
  if (text == nullptr) return;
  try {
    std::string line(text);
    lines_.clear();
    lines_.push_back(std::move(line));
  } catch (...) {
    return;
  }
  Changed();
}

void Text3D::AddLine(const char* text) {
  if (text == nullptr) return;
  try {
    lines_.emplace_back(text);
  } catch (...) {
    return;
  }
  Changed();
}

void Text3D::SetTextLine(int index, const char* text) {
  if (text == nullptr || index < 0) return;
  try {
    if (static_cast<size_t>(index) < lines_.size()) {
      lines_[static_cast<size_t>(index)] = text;
    } else {
      lines_.emplace_back(text);
    }
  } catch (...) {
    return;
  }
  Changed();
}

const char* Text3D::GetText(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= lines_.size()) return nullptr;
  return lines_[static_cast<size_t>(index)].c_str();
}

char* Text3D::GetText(char* buffer, int size, int index) const {
  const char* line = GetText(index);
  if (buffer == nullptr || size <= 0 || line == nullptr) return nullptr;
  return CopyFixedText(buffer, static_cast<size_t>(size), line);
}

int Text3D::TextLength() const {
  return lines_.empty() ? 0 : ClampedLength(lines_.front().size());
}

void Text3D::ClearText() {
  lines_.clear();
  Changed();
}

// ---- Font and size ------------------------------------------------------------------------

void Text3D::SetFont(const LOGFONTA* font, double points, int flags) {
  if (font == nullptr) return;
  font_ = *font;
  font_.lfFaceName[LF_FACESIZE - 1] = '\0';  // the caller's name may run to the end
  font_.lfOutPrecision = kOutPrecision;
  font_.lfClipPrecision = kClipPrecision;
  if (IsUsableSize(points)) {
    pointsize_ = points;
    text_height_ = points / kPointsPerInch / x_scale_;
  }
  if (flags >= 0) flags_ = flags;
  Changed();
}

void Text3D::SetFontName(const char* name) {
  if (name == nullptr) return;
  CopyFixedText(font_.lfFaceName, name);
  font_.lfCharSet = 0;
  Changed();
}

void Text3D::SetFontSize(double points) {
  if (!IsUsableSize(points)) return;
  pointsize_ = points;
  text_height_ = points / kPointsPerInch / x_scale_;
  Changed();
}

int Text3D::FontSize() const {
  const double rounded = pointsize_ + 0.5;
  if (!(rounded > INT_MIN && rounded < INT_MAX)) return 0;
  return static_cast<int>(rounded);
}

double Text3D::Pointsize(int points) {
  return pointsize_ = points;
}

double Text3D::SetHeight(double h) {
  if (!IsUsableSize(h)) return text_height_;
  text_height_ = h;
  pointsize_ = h * x_scale_ * kPointsPerInch;
  Changed();
  return h;
}

double Text3D::SetTextHeight(double h) {
  if (!IsUsableSize(h)) return text_height_;
  text_height_ = h;
  Changed();
  return h;
}

double Text3D::Height() {
  return text_height_;
}

// ---- Angle --------------------------------------------------------------------------------

double Text3D::Angle() {
  return angle_;
}

double Text3D::SetAngle(double degrees) {
  if (!std::isfinite(degrees)) return angle_;
  angle_ = degrees < 0.0 ? degrees + kFullTurnDegrees : degrees;
  Changed();
  return angle_;
}

double Text3D::Angle(double degrees) {
  if (!std::isfinite(degrees)) return angle_;
  angle_ = degrees;
  Changed();
  return angle_;
}

double Text3D::Rotation(int degrees) {
  return angle_ = degrees;
}

// ---- Style bits ---------------------------------------------------------------------------

int Text3D::Attributes() const {
  int bits = flags_;
  if (font_.lfWeight > kBoldAbove) bits |= kTextBold;
  if (font_.lfItalic != 0) bits |= kTextItalic;
  if (font_.lfUnderline != 0) bits |= kTextUnderline;
  if (font_.lfStrikeOut != 0) bits |= kTextStrikeOut;
  return bits;
}

int Text3D::Attributes(int bits) {
  font_.lfWeight = (bits & kTextBold) != 0 ? kWeightBold : kWeightNormal;
  font_.lfItalic = (bits & kTextItalic) != 0 ? 1 : 0;
  font_.lfUnderline = (bits & kTextUnderline) != 0 ? 1 : 0;
  font_.lfStrikeOut = (bits & kTextStrikeOut) != 0 ? 1 : 0;
  flags_ = (bits & kTextFrame) != 0 ? flags_ | kTextFrame : flags_ & ~kTextFrame;
  Changed();
  return Attributes();
}

// ---- Alignment and scale ------------------------------------------------------------------

int Text3D::Alignment(int code, const Point3D* p) {
  alignment_ = code;
  if (p != nullptr) align_point_.set(p);
  Changed();
  return alignment_;
}

int Text3D::Alignment(Point3D* p) const {
  if (p != nullptr) *p = align_point_;
  return alignment_;
}

double Text3D::SetXScale(double scale, int mode) {
  if (!std::isfinite(scale) || scale <= 0.0) return x_scale_;
  if (KeepsHeightOnRescale(alignment_)) mode = kKeepHeight;
  x_scale_ = scale;
  if (mode == kKeepHeight) {
    pointsize_ = text_height_ * scale * kPointsPerInch;
  } else {
    text_height_ = pointsize_ / kPointsPerInch / scale;
  }
  Changed();
  return x_scale_;
}

double Text3D::SetXStretch(double stretch) {
  if (!std::isfinite(stretch)) return x_stretch_;
  x_stretch_ = stretch;
  Changed();
  return x_stretch_;
}

// ---- The box ------------------------------------------------------------------------------

void Text3D::Calcbox() {
  CalcTextBox(nullptr);
}

void Text3D::ForgetBox() {
  has_box_ = false;
  text_box_.reset();
  Box(0, nullptr)->Set(Spt());
}

bool Text3D::MeasureLines(HDC dc, double* width, double* lineHeight) const {
  // A device without a resolution (a recording or a dead handle) measures on the screen, at the
  // program's own resolution.
  int ppi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
  HDC device = dc;
  bool own = false;
  if (ppi <= 0) {
    device = GetDC(nullptr);
    own = true;
    ppi = GetLogPixelsInch();
  }
  if (device == nullptr || ppi <= 0) {
    if (own) ReleaseDC(nullptr, device);
    return false;
  }

  const long pixels = std::lround(
      std::clamp(pointsize_ * ppi / kPointsPerInch, kMinMeasurePixels, kMaxMeasurePixels));
  LOGFONTA font = font_;
  font.lfHeight = -static_cast<LONG>(pixels);
  font.lfWidth = 0;
  // Measured upright: the box is turned afterwards.
  font.lfEscapement = 0;
  font.lfOrientation = 0;
  HFONT handle = CreateFontIndirectA(&font);
  bool measured = handle != nullptr;
  long widest = 0;
  long tallest = 0;
  if (measured) {
    HGDIOBJ previous = SelectObject(device, handle);
    for (const std::string& line : lines_) {
      SIZE size{};
      if (GetTextExtentPoint32A(device, line.c_str(), ClampedLength(line.size()), &size) == 0) {
        measured = false;
        break;
      }
      widest = std::max<long>(widest, size.cx);
      tallest = std::max<long>(tallest, size.cy);
    }
    TEXTMETRICA metrics{};
    if (measured && GetTextMetricsA(device, &metrics) != 0 && metrics.tmHeight > 0) {
      tallest = metrics.tmHeight;
    }
    SelectObject(device, previous);
    DeleteObject(handle);
  }
  if (own) ReleaseDC(nullptr, device);
  if (!measured) return false;

  // One pixel of the realised font in drawing units: its true height over its realised one.
  const double unitsPerPixel = pointsize_ / kPointsPerInch / x_scale_ / static_cast<double>(pixels);
  *width = static_cast<double>(widest) * unitsPerPixel;
  *lineHeight = static_cast<double>(tallest) * unitsPerPixel;
  return true;
}

bool Text3D::CalcTextBox(HDC dc) {
  if (lines_.empty() || x_scale_ == 0.0 || x_stretch_ == 0.0 || !(pointsize_ > 0.0) ||
      !std::isfinite(pointsize_)) {
    ForgetBox();
    return false;
  }
  double width = 0.0;
  double lineHeight = 0.0;
  if (!MeasureLines(dc, &width, &lineHeight)) {
    ForgetBox();
    return false;
  }
  const double lines = static_cast<double>(lines_.size());
  const double height = lines * lineHeight + (lines - 1.0) * kLineGap / x_scale_;

  Frame frame;
  frame.anchor = AnchorsAtAlignPoint(alignment_) ? align_point_ : *Spt();
  frame.left = LeftOffset(alignment_, width);
  frame.right = frame.left + width;
  // The first line hangs from the anchor and the others stack below it; the own-vertical code
  // stands the whole block on the anchor instead.
  if (alignment_ == kAlignOwnVertical) {
    frame.bottom = 0.0;
    frame.top = height;
  } else {
    frame.bottom = -height;
    frame.top = 0.0;
  }
  if ((flags_ & kTextFrame) != 0 || GetFillColour() >= 0) {
    const double margin = kFrameMargin / x_scale_;
    frame.left -= margin;
    frame.right += margin;
    frame.bottom -= margin;
    frame.top += margin;
  }
  const double radians = angle_ * kRadiansPerDegreeAsStored;
  frame.cs = angle_ != 0.0 ? std::cos(radians) : 1.0;
  frame.sn = angle_ != 0.0 ? std::sin(radians) : 0.0;
  StoreBox(frame);
  return true;
}

Point3D Text3D::Corner(int k) const {
  const double x = k == 0 || k == 1 ? frame_.left : frame_.right;
  const double y = k == 1 || k == 2 ? frame_.top : frame_.bottom;
  return Point3D(frame_.anchor.x + x * frame_.cs - y * frame_.sn,
                 frame_.anchor.y + x * frame_.sn + y * frame_.cs, frame_.anchor.z);
}

void Text3D::StoreBox(const Frame& frame) {
  frame_ = frame;
  has_box_ = true;
  Point3D corners[4];
  for (int k = 0; k < 4; ++k)
    corners[k] = Corner(k);

  Box3D* box = Box(0, nullptr);
  box->Set(&corners[0]);
  for (int k = 1; k < 4; ++k)
    box->Append(&corners[k]);

  std::unique_ptr<Multi3D> outline(new (std::nothrow) Multi3D());
  if (outline) {
    outline->Curve3D::Spt(&corners[0]);
    outline->Curve3D::Ept(&corners[0]);
    for (int k = 1; k <= 4; ++k)
      outline->Add(&corners[k % 4]);
  }
  text_box_ = std::move(outline);
}

double Text3D::DistanceToBox(const Point3D& p) const {
  // Into the box's own frame, where it is an upright rectangle.
  const double dx = p.x - frame_.anchor.x;
  const double dy = p.y - frame_.anchor.y;
  const double x = dx * frame_.cs + dy * frame_.sn;
  const double y = -dx * frame_.sn + dy * frame_.cs;
  const double outX = std::max({frame_.left - x, 0.0, x - frame_.right});
  const double outY = std::max({frame_.bottom - y, 0.0, y - frame_.top});
  return std::hypot(outX, outY);
}

// ---- Locating -----------------------------------------------------------------------------

double Text3D::IsNear(Point3D* p, double zoom, double size) {
  if (p == nullptr || !has_box_ || zoom == 0.0) return kNotNear;
  const double tolerance = size / zoom;
  const double d = DistanceToBox(*p);
  if (d == 0.0) return 0.0;
  return d <= tolerance ? d : kNotNear;
}

int Text3D::IsInside(Point3D* p) {
  return p != nullptr && has_box_ && DistanceToBox(*p) == 0.0 ? 1 : 0;
}

bool Text3D::Ident(Curve3D* other) {
  if (!Curve3D::Ident(other)) return false;
  const auto* text = dynamic_cast<const Text3D*>(other);
  return text != nullptr && lines_ == text->lines_ &&
         std::strcmp(font_.lfFaceName, text->font_.lfFaceName) == 0 &&
         pointsize_ == text->pointsize_ && angle_ == text->angle_ &&
         alignment_ == text->alignment_ && align_point_.ident(&text->align_point_) != 0;
}

// ---- Transformations ----------------------------------------------------------------------
// The base moves the insertion point and measures the box again, so the alignment point and the
// angle are brought along first.

Curve3D* Text3D::Translate(const Point3D* v, bool moveLocal) {
  if (v == nullptr) return this;
  align_point_.add(v);
  return Curve3D::Translate(v, moveLocal);
}

Curve3D* Text3D::RotateBy(const Point3D* centre, const Point3D* axis, double cs, double sn,
                          double degrees) {
  if (centre == nullptr || axis == nullptr || !std::isfinite(cs) || !std::isfinite(sn) ||
      !std::isfinite(degrees)) {
    return this;
  }
  const Point3D c(centre);
  const Point3D a(axis);
  align_point_.rotate_cs(&c, &a, cs, sn);
  // Only the plan component of the axis turns the text; a downward axis turns it clockwise.
  if (a.z > 0.0) angle_ = NormalizedDegrees(angle_ + degrees);
  if (a.z < 0.0) angle_ = NormalizedDegrees(angle_ - degrees);
  return Curve3D::Rotate_cs(&c, &a, cs, sn);
}

Curve3D* Text3D::Rotate(const Point3D* centre, const Point3D* axis, double radians) {
  return RotateBy(centre, axis, std::cos(radians), std::sin(radians),
                  radians / kRadiansPerDegreeAsStored);
}

Curve3D* Text3D::Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) {
  return RotateBy(centre, axis, cs, sn, std::atan2(sn, cs) / kRadiansPerDegreeAsStored);
}

Curve3D* Text3D::Scale(const Point3D* centre, const Point3D* factors) {
  if (centre == nullptr || factors == nullptr) return this;
  const Point3D c(centre);
  const Point3D f(factors);
  align_point_.scale(&c, &f);
  return Curve3D::Scale(&c, &f);
}

Curve3D* Text3D::Scale(const Point3D* centre, double s) {
  if (centre == nullptr) return this;
  const Point3D c(centre);
  align_point_.scale(&c, s);
  return Curve3D::Scale(&c, s);
}

Curve3D* Text3D::Mirror(const Point3D* normal, double distance) {
  if (normal == nullptr) return this;
  const Point3D n(normal);
  align_point_.mirror(&n, distance);
  return Curve3D::Mirror(&n, distance);
}
