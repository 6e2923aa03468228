#include "entities/block3d.h"

#include <cmath>
#include <new>

#include "detail/fixedtext.h"
#include "entities/insert3d.h"
#include "entities/text3d.h"
#include "geometry/box3d.h"

namespace {

// Live blocks in the process; constructors count up, the destructor down.
int g_live_blocks = 0;

constexpr const char* kBlockEntityName = "block";

}  // namespace

// ---- Construction -------------------------------------------------------------------------

Block3D::Block3D() : Multi3D(kEntityBlock) {
  MakeBlock();
  Blocktype(0);
}

Block3D::Block3D(const char* name, int blockType, int xScaled, double scale, const Point3D* base)
    : Multi3D(kEntityBlock) {
  MakeBlock();
  CopyFixedText(name_, name);
  Blocktype(blockType);
  xscaled_ = xScaled;
  if (std::isfinite(scale)) scale_ = scale;
  if (base != nullptr) base_.set(base);
}

Block3D::Block3D(const Block3D* src) : Multi3D(static_cast<const Multi3D*>(src)) {
  MakeBlock();
  if (src == nullptr) {
    Blocktype(0);
    return;
  }
  CopyBlockFields(*src);
}

Block3D::Block3D(const Block3D& src) : Multi3D(src) {
  MakeBlock();
  CopyBlockFields(src);
}

Block3D::~Block3D() {
  --g_live_blocks;
}

void Block3D::MakeBlock() {
  ++g_live_blocks;
  Curve3D::Type(kEntityBlock);
  Curve3D::Name(kBlockEntityName);
  Curve3D::State(kStateUnchanged);
}

void Block3D::CopyBlockFields(const Block3D& src) {
  CopyFixedText(name_, src.name_);
  base_ = src.base_;
  scale_ = src.scale_;
  xscaled_ = src.xscaled_;
  block_flag_ = src.block_flag_;
  count_ = src.count_;
}

int Block3D::LiveCount() {
  return g_live_blocks;
}

Curve3D* Block3D::Copy() {
  return new (std::nothrow) Block3D(this);
}

int Block3D::GetNum() {
  return LiveCount();
}

Curve3D* Block3D::Set(Curve3D* src) {
  Multi3D::Set(src);
  if (auto* block = dynamic_cast<Block3D*>(src); block != nullptr && block != this)
    CopyBlockFields(*block);
  Curve3D::Type(kEntityBlock);
  Curve3D::Name(kBlockEntityName);
  return this;
}

void Block3D::Zero() {
  Multi3D::Zero();
  Curve3D::Type(kEntityBlock);
  Curve3D::Name(kBlockEntityName);
  Blocktype(0);
  Curve3D::State(kStateUnchanged);
}

// ---- Members ------------------------------------------------------------------------------

int Block3D::Add(Curve3D* e) {
  return Add(e, 0);
}

int Block3D::Add(Curve3D* e, int adjust) {
  if (e == nullptr || e == this) return Nodes();
  const bool isInsert = e->Type() == kEntityInsert;
  // A symbol that contained itself would have no end when it is drawn.
  if (isInsert) {
    const auto* insert = dynamic_cast<const Insert3D*>(e);
    if (insert != nullptr && insert->GetBlock() == this) return Nodes();
  }
  auto* text = adjust != 0 && e->Type() == kEntityText ? dynamic_cast<Text3D*>(e) : nullptr;
  // Texts of a symbol are anchored at their right edge so they keep their place when the
  // symbol is drawn at another size.
  if (text != nullptr && text->Alignment(nullptr) != kAlignFitted) {
    Point3D anchor(text->Spt());
    anchor.x = text->Box(0, nullptr)->Maxpt()->x;
    text->Alignment(kAlignFitted, &anchor);
  }
  const Box3D boxBefore(*Box(0, nullptr));
  const int nodesBefore = Nodes();
  const bool wasSameStart = IsContinuous() != 0;
  const int count = Multi3D::Add(e);
  if (count == nodesBefore) return count;
  const bool first = nodesBefore == 0;
  // Inserts never widen the box of the symbol they sit in; the first member sets it whatever
  // its kind.
  if (isInsert && !first) Box(0, nullptr)->Set(&boxBefore);
  // For a block, the outline's continuity records whether all members start at one point.
  const bool sameStart = first || (wasSameStart && FirstSegment()->Spt()->ident(e->Spt()) != 0);
  Multi3D::Connect(sameStart ? 1 : 0);
  return count;
}

int Block3D::InsertCount() {
  int inserts = 0;
  DblclistIterator it(GetCurveList());
  while (Curve3D* member = it.Next())
    if (member->Type() == kEntityInsert) ++inserts;
  return inserts;
}

// ---- Name and fields ----------------------------------------------------------------------

const char* Block3D::Name(const char* text) {
  CopyFixedText(name_, text);
  Curve3D::State(kStateChanged);
  return Name();
}

const char* Block3D::Name() const {
  return name_[0] != '\0' ? name_ : nullptr;
}

Point3D* Block3D::Base(const Point3D* p) {
  if (p == nullptr) {
    base_.set_zero();
  } else {
    base_.set(p);
  }
  return &base_;
}

double Block3D::SetScale(double s) {
  if (std::isfinite(s)) scale_ = s;
  return scale_;
}

int Block3D::CountAdd() {
  return ++count_;
}

int Block3D::CountMinus() {
  if (count_ > 0) --count_;
  return count_;
}
