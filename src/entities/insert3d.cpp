#include "entities/insert3d.h"

#include <cmath>
#include <cstring>
#include <new>

#include "geometry/box3d.h"
#include "platform/win32.h"
#include "settings/hostglobals.h"

namespace {

// Live inserts in the process; constructors count up, the destructor down.
int g_live_inserts = 0;

constexpr const char* kInsertName = "insert";
constexpr int kMirrorBits = kMirrorTopToBottom | kMirrorLeftToRight;

// Symbols nest, and a damaged drawing can make a symbol contain itself. The blocks whose
// transformed copies are being built right now are kept here so such a cycle ends at once
// instead of copying without end; nesting deeper than this is refused as well. The record is
// per thread: it only follows the nesting of the call in progress.
constexpr int kMaxSymbolNesting = 32;
thread_local const Block3D* g_blocks_in_setup[kMaxSymbolNesting] = {};
thread_local int g_setup_depth = 0;

class SetupScope {
 public:
  explicit SetupScope(const Block3D* block) {
    for (int i = 0; i < g_setup_depth; ++i)
      if (g_blocks_in_setup[i] == block) return;
    if (g_setup_depth >= kMaxSymbolNesting) return;
    g_blocks_in_setup[g_setup_depth++] = block;
    entered_ = true;
  }
  ~SetupScope() {
    if (entered_) --g_setup_depth;
  }
  SetupScope(const SetupScope&) = delete;
  SetupScope& operator=(const SetupScope&) = delete;
  bool Entered() const { return entered_; }

 private:
  bool entered_ = false;
};

double NormalizedDegrees(double degrees) {
  double a = std::fmod(degrees, kFullTurnDegrees);
  if (a < 0.0) a += kFullTurnDegrees;
  // fmod of a tiny negative value plus a full turn can round to the full turn itself.
  return a >= kFullTurnDegrees ? 0.0 : a;
}

double DegreesOf(double radians) {
  return radians / kRadiansPerDegreeAsStored;
}

bool IsUsableFactor(double f) {
  return std::isfinite(f) && f != 0.0;
}

// A rotation by an odd number of quarter turns swaps which world axis a symbol's own x and y lie
// along.
bool IsOddQuarterTurn(double degrees) {
  const double quarters = degrees / kQuarterTurnDegrees;
  const double nearest = std::round(quarters);
  return std::abs(quarters - nearest) < 1e-9 && std::fmod(std::abs(nearest), 2.0) == 1.0;
}

std::unique_ptr<char[]> DuplicateText(const char* text) {
  const size_t length = text == nullptr ? 0 : std::strlen(text);
  std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
  if (copy == nullptr) return nullptr;
  if (length > 0) std::memcpy(copy.get(), text, length);
  copy[length] = '\0';
  return copy;
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------

Insert3D::Insert3D() : Curve3D() {
  MakeInsert();
  Curve3D::State(kStateUnchanged);
}

Insert3D::Insert3D(const Point3D* at, Block3D* block, double divisor, double angle, int colour,
                   int lineType, int thickness, int fillColour, int fillPattern)
    : Curve3D(at, at, colour, lineType, thickness, fillColour, fillPattern) {
  MakeInsert();
  if (std::isfinite(divisor) && divisor > 0.0) divisor_ = divisor;
  if (std::isfinite(angle)) angle_ = NormalizedDegrees(angle);
  SetBlock(block);
  Curve3D::State(kStateUnchanged);
}

Insert3D::Insert3D(const Insert3D* src)
    : Curve3D(static_cast<const Curve3D*>(src)), tblock_(src != nullptr ? &src->tblock_ : nullptr) {
  MakeInsert();
  if (src != nullptr) CopyInsertFields(*src);
}

Insert3D::Insert3D(const Insert3D& src) : Curve3D(src), tblock_(src.tblock_) {
  MakeInsert();
  CopyInsertFields(src);
}

Insert3D::~Insert3D() {
  --g_live_inserts;
}

void Insert3D::MakeInsert() {
  ++g_live_inserts;
  Curve3D::Type(kEntityInsert);
  if (Curve3D::Name(0, nullptr)[0] == '\0') Curve3D::Name(kInsertName);
}

void Insert3D::CopyInsertFields(const Insert3D& src) {
  block_ = src.block_;
  if (src.blockname_ != nullptr) blockname_ = DuplicateText(src.blockname_.get());
  factors_ = src.factors_;
  angle_ = src.angle_;
  mirrored_ = src.mirrored_;
  divisor_ = src.divisor_;
  second_ = src.second_;
  xstretch_ = src.xstretch_;
}

int Insert3D::LiveCount() {
  return g_live_inserts;
}

Curve3D* Insert3D::Copy() {
  return new (std::nothrow) Insert3D(this);
}

int Insert3D::GetNum() {
  return LiveCount();
}

Curve3D* Insert3D::Set(Curve3D* src) {
  if (src == nullptr || src == this) return this;
  auto* insert = dynamic_cast<Insert3D*>(src);
  if (insert != nullptr) {
    CopyInsertFields(*insert);
    if (insert->blockname_ == nullptr) blockname_.reset();
    tblock_.Set(&insert->tblock_);
  }
  return Curve3D::Set(src);
}

// ---- Block --------------------------------------------------------------------------------

Block3D* Insert3D::SetBlock(Block3D* block) {
  block_ = block;
  if (block != nullptr) {
    blockname_ = DuplicateText(block->Blockname());
    if (ValidateGuid(block->Guid())) Curve3D::Guid(block->Guid());
  }
  Refresh();
  Curve3D::State(kStateGeometryChanged);
  return block_;
}

Block3D* Insert3D::SetData(Block3D* block, double divisor, double second) {
  if (std::isfinite(divisor) && divisor > 0.0) divisor_ = divisor;
  second_ = second;
  return SetBlock(block);
}

const char* Insert3D::Blockname() const {
  return blockname_ != nullptr ? blockname_.get() : "";
}

const char* Insert3D::Blockname(const char* name) {
  blockname_ = DuplicateText(name);
  return Blockname();
}

int Insert3D::SetupTBlock() {
  return SetupBlock(&tblock_, divisor_);
}

int Insert3D::SetupBlock(Block3D* target, double divisor) {
  if (target == nullptr) return 0;
  target->Clear(1);
  if (block_ == nullptr || target == block_) return 0;
  const SetupScope scope(block_);
  if (!scope.Entered()) return 0;

  DblclistIterator it(block_->GetCurveList());
  while (Curve3D* member = it.Next()) {
    Curve3D* copy = member->Copy();
    if (copy == nullptr) continue;
    const int before = target->Nodes();
    if (target->Add(copy, 0) == before) delete copy;
  }
  target->Name(block_->Blockname());
  target->Blocktype(block_->Blocktype());
  target->SetScale(block_->GetScale());
  target->XScaledSymbol(block_->XScaledSymbol());
  target->Base(block_->Base());

  // The base point lands on the insertion point; everything after turns about that point.
  const Point3D at(Curve3D::Spt());
  Point3D shift(at);
  shift.sub(block_->Base());
  target->Translate(&shift, false);
  if (block_->XScaledSymbol() != 0 && std::isfinite(divisor) && divisor > 0.0) {
    const double s = block_->GetScale() / divisor;
    if (IsUsableFactor(s) && s != 1.0) target->Scale(&at, s);
  }
  if (!(factors_ == Point3D(1.0, 1.0, 1.0))) target->Scale(&at, &factors_);
  if ((mirrored_ & kMirrorTopToBottom) != 0) {
    const Point3D normal(0.0, 1.0, 0.0);
    target->Mirror(&normal, at.y);
  }
  if ((mirrored_ & kMirrorLeftToRight) != 0) {
    const Point3D normal(1.0, 0.0, 0.0);
    target->Mirror(&normal, at.x);
  }
  if (angle_ != 0.0) {
    const Point3D axis(0.0, 0.0, 1.0);
    target->Rotate(&at, &axis, angle_ * kRadiansPerDegreeAsStored);
  }
  target->Calcbox();
  return 1;
}

void Insert3D::Refresh() {
  SetupTBlock();
  Calcbox();
}

int Insert3D::Blockflag() const {
  return block_ != nullptr ? block_->BlockFlag() : 0;
}

int Insert3D::Blockflag(int flag) {
  return block_ != nullptr ? block_->BlockFlag(flag) : 0;
}

// ---- Transform settings -------------------------------------------------------------------

int Insert3D::SetScale(const Point3D* factors) {
  if (factors == nullptr || !IsUsableFactor(factors->x) || !IsUsableFactor(factors->y) ||
      !IsUsableFactor(factors->z))
    return 0;
  factors_ = Point3D(factors->x, factors->y, factors->z);
  Refresh();
  Curve3D::State(kStateGeometryChanged);
  return 1;
}

double Insert3D::Angle() {
  return angle_;
}

double Insert3D::SetAngle(double a) {
  if (!std::isfinite(a)) return angle_;
  angle_ = NormalizedDegrees(a);
  Refresh();
  Curve3D::State(kStateChanged);
  return angle_;
}

int Insert3D::Mirrored(int bits) {
  mirrored_ = bits & kMirrorBits;
  Refresh();
  Curve3D::State(kStateChanged);
  return mirrored_;
}

double Insert3D::SetXScale(double divisor) {
  if (!std::isfinite(divisor) || divisor <= 0.0) return divisor_;
  divisor_ = divisor;
  if (block_ != nullptr && block_->XScaledSymbol() != 0) Refresh();
  return divisor_;
}

double Insert3D::SetXStretch(double stretch) {
  if (std::isfinite(stretch)) xstretch_ = stretch;
  return xstretch_;
}

Curve3D* Insert3D::ScaleSpt(const Point3D* centre, double s) {
  if (centre == nullptr || !std::isfinite(s)) return this;
  Point3D moved(Curve3D::Spt());
  moved.scale(centre, s);
  moved.sub(Curve3D::Spt());
  return Translate(&moved, false);
}

// ---- Box and locating ---------------------------------------------------------------------

void Insert3D::Calcbox() {
  if (tblock_.Nodes() == 0) {
    Curve3D::Calcbox();
    return;
  }
  Box(0, nullptr)->Set(tblock_.Box(0, nullptr));
}

bool Insert3D::Ident(Curve3D* other) {
  auto* insert = dynamic_cast<Insert3D*>(other);
  if (insert == nullptr || !Curve3D::Ident(other)) return false;
  if (lstrcmpiA(Blockname(), insert->Blockname()) != 0) return false;
  if (tblock_.Nodes() == 0 && insert->tblock_.Nodes() == 0) return true;
  return tblock_.Ident(&insert->tblock_);
}

int Insert3D::IsInside(Point3D* p) {
  if (p == nullptr || tblock_.Nodes() == 0) return 0;
  return tblock_.Box(0, nullptr)->Pt_inside(p);
}

double Insert3D::IsNear(Point3D* p, double zoom, double size) {
  return tblock_.IsNear(p, zoom, size);
}

double Insert3D::IsNearMidPt(Point3D* p, Point3D* out, double zoom) {
  return tblock_.IsNearMidPt(p, out, zoom);
}

double Insert3D::IsNearVertex(Point3D* p, Point3D* out, int& index, double zoom, double size) {
  return tblock_.IsNearVertex(p, out, index, zoom, size);
}

// ---- Transformations ----------------------------------------------------------------------

Curve3D* Insert3D::Translate(const Point3D* v, bool moveLocal) {
  if (v == nullptr) return this;
  Curve3D::Translate(v, moveLocal);
  Refresh();
  return this;
}

Curve3D* Insert3D::Rotate(const Point3D* centre, const Point3D* axis, double angle) {
  return Rotate_cs(centre, axis, std::cos(angle), std::sin(angle));
}

Curve3D* Insert3D::Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) {
  if (centre == nullptr || axis == nullptr) return this;
  // Copies: the centre may be one of the points being rotated.
  const Point3D c(centre);
  const Point3D a(axis);
  Curve3D::Rotate_cs(&c, &a, cs, sn);
  // Only a turn about a vertical axis turns the symbol in the plan; its sign follows the axis.
  if (a.z != 0.0) {
    const double turn = DegreesOf(std::atan2(sn, cs));
    angle_ = NormalizedDegrees(angle_ + (a.z > 0.0 ? turn : -turn));
  }
  Refresh();
  return this;
}

Curve3D* Insert3D::Scale(const Point3D* centre, const Point3D* factors) {
  if (centre == nullptr || factors == nullptr || !IsUsableFactor(factors->x) ||
      !IsUsableFactor(factors->y) || !IsUsableFactor(factors->z))
    return this;
  const Point3D c(centre);
  Point3D f(factors->x, factors->y, factors->z);
  Curve3D::Scale(&c, &f);
  // World factors become the symbol's own: exact for turns by whole quarter turns, which is how
  // symbols are placed; other angles keep the factors on the symbol's own axes.
  if (IsOddQuarterTurn(angle_)) f = Point3D(f.y, f.x, f.z);
  factors_ = Point3D(factors_.x * f.x, factors_.y * f.y, factors_.z * f.z);
  Refresh();
  return this;
}

Curve3D* Insert3D::Scale(const Point3D* centre, double s) {
  if (centre == nullptr || !IsUsableFactor(s)) return this;
  const Point3D c(centre);
  Curve3D::Scale(&c, s);
  factors_ = Point3D(factors_.x * s, factors_.y * s, factors_.z * s);
  Refresh();
  return this;
}

Curve3D* Insert3D::Mirror(const Point3D* normal, double distance) {
  if (normal == nullptr) return this;
  const Point3D n(normal);
  Curve3D::Mirror(&n, distance);
  // A reflection in the line of direction t equals a top-to-bottom flip followed by a turn of
  // 2t; flips and factors commute, so the flip joins the mirror bits and the turn the angle. A
  // vertical line is kept as the left-to-right bit.
  if (n.y == 0.0 && n.x != 0.0) {
    mirrored_ ^= kMirrorLeftToRight;
    angle_ = NormalizedDegrees(-angle_);
  } else if (n.x != 0.0 || n.y != 0.0) {
    mirrored_ ^= kMirrorTopToBottom;
    const double lineDirection = DegreesOf(std::atan2(n.x, -n.y));
    angle_ = NormalizedDegrees(2.0 * lineDirection - angle_);
  }
  Refresh();
  return this;
}
