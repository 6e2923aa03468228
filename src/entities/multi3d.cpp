#include "entities/multi3d.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <new>

#include "entities/arc3d.h"
#include "entities/edge3d.h"
#include "entities/insert3d.h"
#include "entities/line3d.h"
#include "entities/redge3d.h"
#include "geometry/box3d.h"
#include "geometry/dblplist.h"
#include "geometry/tolerance.h"
#include "render/colours.h"
#include "takeoff/tsmartobject.h"
#include "takeoff/ttgattribute.h"

namespace {

// Live outlines in the process; constructors count up, the destructor down.
int g_live_outlines = 0;

constexpr const char* kOutlineName = "MultiLine";

// The best-distance searches of the nearness queries start from these values; a best that is
// still the start value means nothing was near.
constexpr double kNearSearchStart = 10000.0;
constexpr double kOnLineSearchStart = 9999999.0;
// Openings are picked with a fixed pick size.
constexpr double kOpeningPickSize = 30.0;

// Pitch attributes: read by "Pitch", written as "pitch" text in "%6.2f".
constexpr const char* kPitchTag = "Pitch";
constexpr const char* kPitchTagLower = "pitch";
constexpr int kFixedDecimals = 2;
constexpr int kFixedWidth = 6;
constexpr int kTextBufferSize = 50;

// Items sized by the outline's box (curbs, hatches, skylights, chimneys): their "Length" and
// "Width" follow the box whenever the outline changes shape.
constexpr int kBoxSizedTypes[] = {6108, 6122, 6123, 6126, 6134, 6159, 6160, 6161, 6162, 6163};
constexpr const char* kLengthTag = "Length";
constexpr const char* kWidthTag = "Width";

// "%6.2f" without the C locale: a host with a decimal comma writes the same text.
void FormatFixed2(double value, char (&text)[kTextBufferSize]) {
  char digits[kTextBufferSize] = {};
  const auto written = std::to_chars(digits, digits + sizeof(digits) - 1, value,
                                     std::chars_format::fixed, kFixedDecimals);
  const size_t length = written.ec == std::errc() ? static_cast<size_t>(written.ptr - digits) : 0;
  const size_t pad = length < kFixedWidth ? kFixedWidth - length : 0;
  std::memset(text, 0, sizeof(text));
  std::memset(text, ' ', pad);
  std::memcpy(text + pad, digits, length);
}

// Locale-free reading of a number written by FormatFixed2 (leading blanks and '+' allowed).
double ParseNumber(const char* text) {
  while (*text == ' ')
    ++text;
  if (*text == '+') ++text;
  double value = 0.0;
  std::from_chars(text, text + std::strlen(text), value);
  return value;
}

bool EqualsIgnoringCase(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (std::tolower(static_cast<unsigned char>(*a)) !=
        std::tolower(static_cast<unsigned char>(*b)))
      return false;
  }
  return *a == *b;
}

bool IsBoxSizedType(int type) {
  for (const int t : kBoxSizedTypes)
    if (t == type) return true;
  return false;
}

// Sets the attribute of that property type where the item keeps it, else adds it.
void SetSizeAttribute(TSmartObject* so, const char* tag, int proptype, const char* text) {
  const TTGAttribute* found = so->HasAttrib(proptype);
  if (found != nullptr) {
    so->SetAttrib(found->Propsource(), proptype, found->Datatype(), text);
    return;
  }
  so->SetAttrib(tag, kPropSourceUser, proptype, kDataTypeDouble, text, true);
}

Edge3D* AsEdge(Curve3D* s) {
  return s != nullptr && s->Type() == kEntityEdge ? dynamic_cast<Edge3D*>(s) : nullptr;
}
REdge3D* AsREdge(Curve3D* s) {
  return s != nullptr && s->Type() == kEntityREdge ? dynamic_cast<REdge3D*>(s) : nullptr;
}
Arc3D* AsArc(Curve3D* s) {
  return s != nullptr && s->Type() == kEntityArc ? dynamic_cast<Arc3D*>(s) : nullptr;
}

// The arc a segment measures with: an arc segment, or a pitched edge's arc base.
Arc3D* ArcOfSegment(Curve3D* s) {
  if (Arc3D* arc = AsArc(s)) return arc;
  if (Edge3D* edge = AsEdge(s)) return AsArc(edge->GetBase());
  return nullptr;
}

// The area between an arc's chord and the arc (circular segment) of sweep theta radians.
double CircularSegmentArea(double radius, double theta) {
  return 0.5 * radius * radius * (theta - std::sin(theta));
}

// Common value of an attribute over the selected segments: kNoSegmentSelected when none is
// selected, kSegmentsDiffer when they disagree.
template <typename Get>
int CommonOverSelected(const Dblclist& list, Get get) {
  int common = kNoSegmentSelected;
  DblclistIterator it(&list);
  while (Curve3D* s = it.Next()) {
    if (s->IsSelected() == 0) continue;
    const int value = get(s);
    if (common == kNoSegmentSelected) {
      common = value;
    } else if (common != value) {
      return kSegmentsDiffer;
    }
  }
  return common;
}

}  // namespace

// ---- Construction -------------------------------------------------------------------------

Multi3D::Multi3D(int type, int colour, int lineType, int thickness, int fillColour, int fillPattern)
    : Curve3D(colour, lineType, thickness, fillColour, fillPattern) {
  ++g_live_outlines;
  Curve3D::Type(type);
  Curve3D::Name(kOutlineName);
  Curve3D::State(kStateUnchanged);
}

Multi3D::Multi3D(Curve3D* c, int fillColour, int fillPattern)
    : Curve3D(c != nullptr ? c->GetColour() : 0, c != nullptr ? c->GetLinetype() : 0,
              c != nullptr ? c->Thickness() : 1, fillColour, fillPattern) {
  ++g_live_outlines;
  Curve3D::Type(kEntityPolyline);
  Curve3D::Name(kOutlineName);
  if (c != nullptr) {
    Add(c);
    continuity_ = c->IsClosed() ? 1 : 0;
  }
  Curve3D::State(kStateUnchanged);
}

Multi3D::Multi3D(Insert3D* insert, int colour, int lineType, int thickness, int fillColour,
                 int fillPattern)
    : Multi3D(kEntityPolyline, colour, lineType, thickness, fillColour, fillPattern) {
  if (insert == nullptr) return;
  const Box3D* box = insert->Box(0, nullptr);
  Point3D lowerLeft(box->Left(), box->Bottom());
  Point3D lowerRight(box->Right(), box->Bottom());
  Point3D upperRight(box->Right(), box->Top());
  Point3D upperLeft(box->Left(), box->Top());
  auto* first = new (std::nothrow) Line3D(&lowerLeft, &lowerRight, colour, lineType, thickness);
  if (first == nullptr) return;
  Add(first);
  Add(&upperRight);
  Add(&upperLeft);
  Add(&lowerLeft);
  Curve3D::State(kStateUnchanged);
}

Multi3D::Multi3D(const Multi3D* src) : Curve3D(src) {
  ++g_live_outlines;
  if (src == nullptr) {
    Curve3D::Type(kEntityPolyline);
    Curve3D::Name(kOutlineName);
    Curve3D::State(kStateUnchanged);
    return;
  }
  CopySegmentsFrom(*src);
}

Multi3D::Multi3D(const Multi3D& src) : Curve3D(src) {
  ++g_live_outlines;
  CopySegmentsFrom(src);
}

void Multi3D::CopySegmentsFrom(const Multi3D& src) {
  DblclistIterator it(&src.curves_);
  while (Curve3D* s = it.Next()) {
    Curve3D* copy = s->Copy();
    if (copy == nullptr) continue;
    copy->SegmentPosition(s->SegmentPosition());
    if (curves_.Add(copy) == nullptr) {
      delete copy;
      continue;
    }
    ++nodes_;
  }
  continuity_ = src.continuity_;
  blocktype_ = src.blocktype_;
  valid_ = src.valid_;
  Calcbox();
}

Multi3D::~Multi3D() {
  curves_.Clear(1);
  --g_live_outlines;
}

int Multi3D::LiveCount() {
  return g_live_outlines;
}

int Multi3D::GetNum() {
  return LiveCount();
}

Curve3D* Multi3D::Copy() {
  return new (std::nothrow) Multi3D(this);
}

void Multi3D::Zero() {
  Curve3D::Zero();
  curves_.Clear(1);
  ClearExclusions();
  blocktype_ = kOutlineBlocktype;
  continuity_ = 0;
  nodes_ = 0;
  valid_ = 1;
  Curve3D::SegmentFlush();
  Curve3D::Type(kEntityPolyline);
  Curve3D::Name(kOutlineName);
  Curve3D::State(kStateUnchanged);
}

int Multi3D::Clear(int del) {
  curves_.Clear(del);
  nodes_ = 0;
  ClearExclusions();
  return 0;
}

// ---- Keeping start, end and box in step with the segments ---------------------------------

void Multi3D::RefreshEnds() {
  Curve3D* first = FirstSegment();
  Curve3D* last = LastSegment();
  if (first == nullptr || last == nullptr) return;
  const Point3D start(first->Spt());
  const Point3D end(last->Ept());
  Curve3D::Spt()->set(&start);
  Curve3D::Ept()->set(&end);
}

void Multi3D::Calcbox() {
  Curve3D* first = FirstSegment();
  if (first == nullptr) {
    Curve3D::Calcbox();
    return;
  }
  Box3D* box = Box(0, nullptr);
  box->Set(first->Box(0, nullptr));
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    box->Append(s->Box(0, nullptr));
}

bool Multi3D::IsClosed() {
  return continuity_ != 0 && Curve3D::Spt()->ident(Curve3D::Ept()) != 0;
}

// ---- Building and editing the chain -------------------------------------------------------

int Multi3D::Add(Curve3D* s) {
  if (s == nullptr || s == this || curves_.Contains(s) != nullptr) return nodes_;
  if (curves_.Add(s) == nullptr) return nodes_;
  if (nodes_ == 0) {
    continuity_ = 0;
    Curve3D::Spt()->set(s->Spt());
    Box(0, nullptr)->Set(s->Box(0, nullptr));
  } else {
    const bool joined = Curve3D::Ept()->ident(s->Spt()) != 0;
    continuity_ = (nodes_ == 1 || continuity_ != 0) && joined ? 1 : 0;
    Box(0, nullptr)->Append(s->Box(0, nullptr));
  }
  Curve3D::Ept()->set(s->Ept());
  ++nodes_;
  s->SegmentPosition(nodes_);
  State(kStateGeometryChanged);
  return nodes_;
}

int Multi3D::Add(Point3D* p) {
  if (p == nullptr) return nodes_;
  const Point3D end(Curve3D::Ept());
  if (end.ident(p) != 0) return nodes_;
  auto* line = new (std::nothrow)
      Line3D(&end, p, Curve3D::GetColour(), Curve3D::GetLinetype(), Curve3D::Thickness(), -1, -2);
  if (line == nullptr) return nodes_;
  if (p->Id() != 0) line->Id(p->Id(), 1);
  const int before = nodes_;
  Add(line);
  if (nodes_ == before) delete line;
  return nodes_;
}

Dblcitem* Multi3D::Insert(Curve3D* s, int position) {
  if (s == nullptr || s == this || curves_.Contains(s) != nullptr) return nullptr;
  Dblcitem* item = curves_.Insert(s, position);
  if (item == nullptr) return nullptr;
  ++nodes_;
  State(kStateGeometryChanged);
  if (HasEdgeSegments() != 0) RecalcEdges();
  // The start and end points always follow the first and last segments, wherever the new one
  // went: an insertion at the head changes the start as surely as one at the tail the end.
  const bool atEnds = item == curves_.Head() || item == curves_.Tail();
  RefreshEnds();
  if (atEnds) ResetChildCoords();
  Calcbox();
  return item;
}

Curve3D* Multi3D::RemoveSegment(int n) {
  Dblcitem* item = SegmentItem(n);
  return item != nullptr ? DetachItem(item, n) : nullptr;
}

Curve3D* Multi3D::RemoveCurve(Curve3D* s) {
  if (s == nullptr) return nullptr;
  int n = 1;
  for (Dblcitem* item = curves_.Head(); item != nullptr; item = item->Next(), ++n) {
    if (item->Obj() == s) return DetachItem(item, n);
  }
  return nullptr;
}

Curve3D* Multi3D::DetachItem(Dblcitem* item, int n) {
  Curve3D* s = item->Obj();
  Curve3D* prev = item->Prev() != nullptr ? item->Prev()->Obj() : nullptr;
  Curve3D* next = item->Next() != nullptr ? item->Next()->Obj() : nullptr;
  const int before = nodes_;
  if (curves_.Detach(s) == nullptr) return nullptr;
  --nodes_;
  if (nodes_ > 0) {
    if (n == 1) {
      Curve3D::Spt()->set(FirstSegment()->Spt());
    } else if (n == before) {
      Curve3D::Ept()->set(LastSegment()->Ept());
    } else if (prev != nullptr && next != nullptr) {
      continuity_ = continuity_ != 0 && prev->Ept()->ident(next->Spt()) != 0 ? 1 : 0;
    }
  }
  Calcbox();
  State(kStateGeometryChanged);
  return s;
}

int Multi3D::Delete_Selected() {
  const bool closed = IsClosed();
  bool firstDeleted = false;
  int deleted = 0;
  Dblcitem* item = curves_.Head();
  while (item != nullptr) {
    Dblcitem* following = item->Next();
    Curve3D* s = item->Obj();
    if (s != nullptr && s->IsSelected() != 0) {
      RejoinAround(item, closed);
      if (item == curves_.Head()) firstDeleted = true;
      curves_.Remove(item);
      --nodes_;
      ++deleted;
    }
    item = following;
  }
  if (deleted == 0) return 0;
  RefreshEnds();
  if (HasEdgeSegments() != 0) RecalcEdges();
  if (firstDeleted) ResetChildCoords();
  Calcbox();
  State(kStateGeometryChanged);
  return deleted;
}

void Multi3D::RejoinAround(Dblcitem* item, bool closed) {
  if (nodes_ < 3) {
    continuity_ = 0;
    return;
  }
  Dblcitem* before = item->Prev() != nullptr ? item->Prev() : (closed ? curves_.Tail() : nullptr);
  Dblcitem* after = item->Next() != nullptr ? item->Next() : (closed ? curves_.Head() : nullptr);
  if (before == nullptr || after == nullptr) return;
  Curve3D* s = item->Obj();
  Curve3D* prev = before->Obj();
  Curve3D* next = after->Obj();
  if (prev->Ept()->ident(s->Spt()) == 0 || s->Ept()->ident(next->Spt()) == 0) return;
  const Point3D join(prev->Ept());
  next->Spt(&join);
}

Curve3D* Multi3D::Set(Curve3D* src) {
  if (auto* outline = dynamic_cast<Multi3D*>(src)) return Set(outline);
  return Curve3D::Set(src);
}

Multi3D* Multi3D::Set(Multi3D* src) {
  if (src == nullptr || src == this) return this;
  // The receiver becomes the source's outline: appending to segments it already had would
  // leave a chain that belongs to neither.
  curves_.Clear(1);
  nodes_ = 0;
  Curve3D::Set(src);
  blocktype_ = src->blocktype_;
  DblclistIterator it(&src->curves_);
  while (Curve3D* s = it.Next())
    AddCopy(s);
  State(kStateGeometryChanged);
  return this;
}

void Multi3D::AddCopy(Curve3D* s) {
  Curve3D* copy = s->Copy();
  if (copy == nullptr) return;
  const int before = nodes_;
  Add(copy);
  if (nodes_ == before) delete copy;
}

int Multi3D::SetCurveList(Dblclist* l) {
  if (l == nullptr || l == &curves_) return nodes_;
  curves_.Clear(1);
  nodes_ = 0;
  DblclistIterator it(l);
  while (Curve3D* s = it.Next())
    AddCopy(s);
  State(kStateGeometryChanged);
  return nodes_;
}

Point3D* Multi3D::Spt(const Point3D* p) {
  if (p == nullptr) return nullptr;
  return Spt(p->x, p->y, p->z);
}

Point3D* Multi3D::Spt(double x, double y, double z) {
  Curve3D* first = FirstSegment();
  if (first == nullptr) return Curve3D::Spt(x, y, z);
  const bool closed = IsClosed();
  first->Spt(x, y, z);
  Curve3D* prev = closed ? LastSegment() : nullptr;
  Curve3D* next = NeighbourAfter(first, closed);
  first->Connect(prev != first ? prev : nullptr, next, this);
  RefreshEnds();
  Calcbox();
  const Point3D start(first->Spt());
  return Curve3D::Spt(start.x, start.y, start.z);
}

Point3D* Multi3D::Ept(const Point3D* p) {
  if (p == nullptr) return nullptr;
  return Ept(p->x, p->y, p->z);
}

Point3D* Multi3D::Ept(double x, double y, double z) {
  Curve3D* last = LastSegment();
  if (last == nullptr) return Curve3D::Ept(x, y, z);
  const bool closed = IsClosed();
  last->Ept(x, y, z);
  Curve3D* next = closed ? FirstSegment() : nullptr;
  Curve3D* prev = NeighbourBefore(last, closed);
  last->Connect(prev, next != last ? next : nullptr, this);
  RefreshEnds();
  Calcbox();
  const Point3D end(last->Ept());
  return Curve3D::Ept(end.x, end.y, end.z);
}

int Multi3D::Close() {
  if (nodes_ == 0 || continuity_ == 0 || IsClosed()) return 0;
  Point3D start(Curve3D::Spt());
  const int before = nodes_;
  return Add(&start) > before ? 1 : 0;
}

int Multi3D::Connect(int flag) {
  const int previous = continuity_;
  continuity_ = flag;
  return previous;
}

int Multi3D::SetVertice(int k, Point3D* p, int /*flag*/) {
  if (p == nullptr || nodes_ == 0) return 0;
  const Point3D to(p);
  if (!MoveVertex(k, to)) return 0;
  RefreshEnds();
  Calcbox();
  State(kStateGeometryChanged);
  if (HasEdgeSegments() != 0) RecalcEdges();
  RefreshBoxSizedItems();
  return 1;
}

bool Multi3D::MoveVertex(int k, const Point3D& to) {
  if (continuity_ == 0) {
    // Every segment has its own two vertices: odd numbers its start, even numbers its end.
    Curve3D* s = Segment((k + 1) / 2);
    if (k < 1 || s == nullptr) return false;
    if (k % 2 == 1) {
      s->Spt(&to);
    } else {
      s->Ept(&to);
    }
    return true;
  }
  const bool closed = IsClosed();
  // On a closed outline the end point is the start point: vertex Nodes + 1 is vertex 1.
  if (k == 1 || (k == nodes_ + 1 && closed)) {
    FirstSegment()->Spt(&to);
    if (closed) LastSegment()->Ept(&to);
    return true;
  }
  if (k >= 2 && k <= nodes_) {
    Segment(k - 1)->Ept(&to);
    Segment(k)->Spt(&to);
    return true;
  }
  if (k == nodes_ + 1) {
    LastSegment()->Ept(&to);
    return true;
  }
  return false;
}

void Multi3D::RefreshBoxSizedItems() {
  TSmartObjectList* list = GetSmartObjectList();
  if (list == nullptr) return;
  char length[kTextBufferSize];
  char width[kTextBufferSize];
  FormatFixed2(Width(), length);
  FormatFixed2(Height(), width);
  bool changed = false;
  for (TSmartObject* so = list->Head(); so != nullptr; so = so->Next()) {
    if (!IsBoxSizedType(so->RFlag())) continue;
    SetSizeAttribute(so, kLengthTag, kPropLength, length);
    SetSizeAttribute(so, kWidthTag, kPropWidth, width);
    changed = true;
  }
  if (changed) State(kStateGeometryChanged);
}

// ---- Segments and vertices ----------------------------------------------------------------

Dblcitem* Multi3D::SegmentItem(int n) {
  if (n < 1 || n > nodes_) return nullptr;
  Dblcitem* item = curves_.Head();
  for (int i = 1; i < n && item != nullptr; ++i)
    item = item->Next();
  return item;
}

Curve3D* Multi3D::Segment(int n) {
  Dblcitem* item = SegmentItem(n);
  return item != nullptr ? item->Obj() : nullptr;
}

Curve3D* Multi3D::FirstSegment() {
  return curves_.PeekHead();
}

Curve3D* Multi3D::LastSegment() {
  return curves_.PeekTail();
}

Curve3D* Multi3D::NextSegment() {
  const int mark = Curve3D::Segment() + 1;
  if (mark < 1 || mark > nodes_) return nullptr;
  Curve3D::Segment(mark);
  return Segment(mark);
}

Curve3D* Multi3D::PrevSegment() {
  const int mark = Curve3D::Segment() - 1;
  if (mark < 1 || mark > nodes_) return nullptr;
  Curve3D::Segment(mark);
  return Segment(mark);
}

void Multi3D::SegmentFlush() {
  Curve3D::SegmentFlush();
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    s->SegmentFlush();
}

Curve3D* Multi3D::NeighbourAfter(Curve3D* s, bool wrap) {
  Dblcitem* item = curves_.Contains(s);
  if (item == nullptr) return nullptr;
  if (item->Next() != nullptr) return item->Next()->Obj();
  Curve3D* first = FirstSegment();
  return wrap && first != s ? first : nullptr;
}

Curve3D* Multi3D::NeighbourBefore(Curve3D* s, bool wrap) {
  Dblcitem* item = curves_.Contains(s);
  if (item == nullptr) return nullptr;
  if (item->Prev() != nullptr) return item->Prev()->Obj();
  Curve3D* last = LastSegment();
  return wrap && last != s ? last : nullptr;
}

Curve3D* Multi3D::GetNextCurve(Curve3D* s) {
  if (s == nullptr) return nullptr;
  return NeighbourAfter(s, IsClosed());
}

Curve3D* Multi3D::GetPrevCurve(Curve3D* s) {
  if (s == nullptr) return nullptr;
  return NeighbourBefore(s, IsClosed());
}

Curve3D* Multi3D::GetSegmentById(int id) {
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (s->Id() == id) return s;
    if (REdge3D* roofEdge = AsREdge(s)) {
      Curve3D* edge = roofEdge->GetEdge();
      if (edge != nullptr && edge->Id() == id) return edge;
    } else if (Edge3D* pitched = AsEdge(s)) {
      Curve3D* edge = pitched->GetEdge();
      if (edge != nullptr && edge->Id() == id) return edge;
      Curve3D* base = pitched->GetBase();
      if (base != nullptr && base->Id() == id) return base;
    }
  }
  return nullptr;
}

Curve3D* Multi3D::GetSegmentByGuid(const char* text) {
  if (text == nullptr || text[0] == '\0') return nullptr;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (EqualsIgnoringCase(s->Guid(), text)) return s;
  }
  return nullptr;
}

Point3D* Multi3D::GetVertex(int k) {
  if (k > nodes_) return nullptr;
  Curve3D* s = Segment(k < 1 ? 1 : k);
  return s != nullptr ? s->Spt() : nullptr;
}

DblPlist* Multi3D::GetVertices(int /*flag*/) {
  auto* points = new (std::nothrow) DblPlist();
  if (points == nullptr) return nullptr;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    points->Add(s->Spt(), 0.0, 0);
    if (continuity_ == 0) points->Add(s->Ept(), 0.0, 0);
  }
  Curve3D* last = LastSegment();
  if (continuity_ != 0 && last != nullptr && !IsClosed()) points->Add(last->Ept(), 0.0, 0);
  return points;
}

DblPlist* Multi3D::GetFillVertices() {
  auto* points = new (std::nothrow) DblPlist();
  if (points == nullptr) return nullptr;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    const Point3D* start = s->Spt();
    // An inward double line fills to its inner line.
    if (Edge3D* edge = AsEdge(s); edge != nullptr && !edge->Out()) {
      Curve3D* inner = edge->GetEdge();
      if (inner != nullptr) start = inner->Spt();
    }
    points->Add(start, 0.0, 0);
  }
  Curve3D* last = LastSegment();
  if (continuity_ != 0 && last != nullptr && !IsClosed()) points->Add(last->Ept(), 0.0, 0);
  return points;
}

bool Multi3D::IsVertex(Point3D* p) {
  if (p == nullptr) return false;
  if (Curve3D::Spt()->ident(p) != 0) return true;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (s->Spt()->ident(p) != 0 || s->Ept()->ident(p) != 0) return true;
  }
  return false;
}

Curve3D* Multi3D::Opening(int i) {
  if (i < 1) return nullptr;
  DblclistIterator it(GetExcludeList());
  int n = 0;
  while (Curve3D* e = it.Next()) {
    if (++n == i) return e;
  }
  return nullptr;
}

// ---- Selection of segments ----------------------------------------------------------------

Curve3D* Multi3D::SelectSegment(int n) {
  Curve3D* s = Segment(n);
  if (s != nullptr) s->Selected(s->IsSelected() != 0 ? 0 : 1);
  return s;
}

Curve3D* Multi3D::SelectSegmentById(int id) {
  Curve3D* s = GetSegmentById(id);
  if (s != nullptr) s->Selected(1);
  return s;
}

Curve3D* Multi3D::DeselectSegmentById(int id) {
  Curve3D* s = GetSegmentById(id);
  if (s != nullptr) s->Selected(0);
  return s;
}

int Multi3D::SelectAll() {
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    s->Selected(1);
  return nodes_;
}

int Multi3D::Selected(int n) {
  Curve3D::Selected(n);
  if (n == 0) {
    DblclistIterator it(&curves_);
    while (Curve3D* s = it.Next())
      s->Selected(0);
  }
  return n;
}

int Multi3D::IsSegmentSelected() {
  int count = 0;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (s->IsSelected() != 0) ++count;
  return count;
}

int Multi3D::AllSegmentSelected() {
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (s->IsSelected() == 0) return 0;
  return 1;
}

Curve3D* Multi3D::GetSelectedSegment() {
  Curve3D* found = nullptr;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (s->IsSelected() == 0) continue;
    if (found != nullptr) return nullptr;
    found = s;
  }
  return found;
}

Curve3D* Multi3D::SelectNextSegment(int restart) {
  return StepSelection(restart, true);
}

Curve3D* Multi3D::SelectPrevSegment(int restart) {
  return StepSelection(restart, false);
}

Curve3D* Multi3D::StepSelection(int restart, bool forward) {
  Curve3D* current = restart == 0 ? GetSelectedSegment() : nullptr;
  if (current != nullptr) {
    Dblcitem* item = curves_.Contains(current);
    Dblcitem* step = forward ? item->Next() : item->Prev();
    // Stepping wraps round on open outlines too: the pick cycles through every side.
    if (step == nullptr) step = forward ? curves_.Head() : curves_.Tail();
    current->Selected(0);
    step->Obj()->Selected(1);
    return step->Obj();
  }
  Curve3D* first = FirstSegment();
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    s->Selected(s == first ? 1 : 0);
  return first;
}

int Multi3D::Segments(int mark) {
  const bool onlySelected = IsSelected() != 0;
  int marked = 0;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (onlySelected && s->IsSelected() == 0) continue;
    s->Segment(mark);
    ++marked;
  }
  return marked;
}

void Multi3D::FreezeSelected(bool f) {
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (!f || s->IsSelected() != 0) s->Frozen(f);
  }
}

// ---- Display attributes with segment selection --------------------------------------------

bool Multi3D::AppliesToSegment(Curve3D* s) {
  return s->IsSelected() != 0 || IsSelected() == 0 || blocktype_ != kOutlineBlocktype;
}

bool Multi3D::AppliesToOutline() {
  return AllSegmentSelected() != 0 || IsSelected() == 0;
}

int Multi3D::GetColour() {
  return CommonOverSelected(curves_, [](Curve3D* s) { return s->GetColour(); });
}

COLORREF Multi3D::Colour(int c) {
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (AppliesToSegment(s)) s->Colour(c);
  if (AppliesToOutline()) Curve3D::Colour(c);
  State(kStateChanged);
  return GetColor(c);
}

int Multi3D::GetLinetype() {
  return CommonOverSelected(curves_, [](Curve3D* s) { return s->GetLinetype(); });
}

int Multi3D::Linetype(int t) {
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (AppliesToSegment(s)) s->Linetype(t);
  if (AppliesToOutline()) Curve3D::Linetype(t);
  State(kStateChanged);
  return t;
}

int Multi3D::Thickness() {
  return CommonOverSelected(curves_, [](Curve3D* s) { return s->Thickness(); });
}

int Multi3D::Thickness(int t) {
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (AppliesToSegment(s)) s->Thickness(t);
  if (AppliesToOutline()) Curve3D::Thickness(t);
  State(kStateChanged);
  return t;
}

bool Multi3D::FillIsOwn() {
  return blocktype_ == kOutlineBlocktype && (AllSegmentSelected() != 0 || HasEdgeSegments() == 0);
}

int Multi3D::CommonEdgeFill(bool pattern, int own) {
  int common = kNoSegmentSelected;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (s->IsSelected() == 0 || AsEdge(s) == nullptr) continue;
    const int value = pattern ? s->FillPattern() : s->GetFillColour();
    if (common == kNoSegmentSelected) {
      common = value;
    } else if (common != value) {
      return kSegmentsDiffer;
    }
  }
  return common == kNoSegmentSelected ? own : common;
}

int Multi3D::GetFillColour() {
  const int own = Curve3D::GetFillColour();
  if (FillIsOwn() && IsClosed()) return own;
  return CommonEdgeFill(false, own);
}

int Multi3D::FillPattern() {
  const int own = Curve3D::FillPattern();
  if (FillIsOwn() && IsClosed()) return own;
  return CommonEdgeFill(true, own);
}

int Multi3D::FillColour() {
  const int index = GetFillColour();
  if (index == kSegmentsDiffer) return Curve3D::FillColour();
  return static_cast<int>(GetColor(index));
}

int Multi3D::FillColour(int c) {
  if (FillIsOwn()) return Curve3D::FillColour(c);
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (s->IsSelected() != 0 && AsEdge(s) != nullptr) s->FillColour(c);
  State(kStateChanged);
  return static_cast<int>(GetColor(c));
}

int Multi3D::FillPattern(int p) {
  if (FillIsOwn()) return Curve3D::FillPattern(p);
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (s->IsSelected() != 0 && AsEdge(s) != nullptr) s->FillPattern(p);
  State(kStateChanged);
  return p;
}

const char* Multi3D::Name(const char* text) {
  if (IsSegmentSelected() == 1) {
    Curve3D* s = GetSelectedSegment();
    if (s != nullptr) return s->Name(text);
  }
  return Curve3D::Name(text);
}

int Multi3D::HasOneLineStyle() {
  Curve3D* first = FirstSegment();
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (s->GetColour() != first->GetColour() || s->GetLinetype() != first->GetLinetype() ||
        s->Thickness() != first->Thickness())
      return 0;
  }
  return 1;
}

int Multi3D::HasOneLineColour() {
  Curve3D* first = FirstSegment();
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (s->GetColour() != first->GetColour()) return 0;
  return 1;
}

int Multi3D::HasArcSegments() {
  int arcs = 0;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (ArcOfSegment(s) != nullptr) ++arcs;
  return arcs;
}

int Multi3D::HasEllipticalArcSegments() {
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    Arc3D* arc = ArcOfSegment(s);
    if (arc != nullptr && arc->IsCircular() == 0) return 1;
  }
  return 0;
}

int Multi3D::HasEdgeSegments() {
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (s->Type() == kEntityEdge || s->Type() == kEntityREdge) return 1;
  return 0;
}

int Multi3D::HasSegmentDimensions() {
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (s->Dimensions() > 0) return 1;
  return 0;
}

double Multi3D::Angle() {
  Curve3D* s = IsSegmentSelected() == 1 ? GetSelectedSegment() : nullptr;
  return s != nullptr ? s->Angle() : 0.0;
}

double Multi3D::OwnPitch() {
  char value[kTextBufferSize] = {};
  if (GetAttr(nullptr, kPitchTag, kDataTypeDouble, value) != 0) return ParseNumber(value);
  return LegacyPitch();
}

double Multi3D::Pitch() {
  const int selected = IsSegmentSelected();
  // With no side picked, the outline answers for itself (a roof's pitch).
  if (selected == 0 || (IsClosed() && AllSegmentSelected() != 0)) return OwnPitch();
  double common = 0.0;
  bool first = true;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (s->IsSelected() == 0) continue;
    const double pitch = s->Pitch();
    if (first) {
      common = pitch;
      first = false;
    } else if (std::abs(pitch - common) > kIdentTolerance) {
      return kSegmentsDiffer;
    }
  }
  return common;
}

double Multi3D::SetPitch(double p) {
  if (IsClosed() && AppliesToOutline()) {
    char text[kTextBufferSize];
    FormatFixed2(p, text);
    SetAttr(nullptr, kPitchTagLower, kDataTypeDouble, text);
    State(kStateGeometryChanged);
    return p;
  }
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    if (s->IsSelected() != 0) s->SetPitch(p);
  return p;
}

// ---- Measures -----------------------------------------------------------------------------

double Multi3D::Area(int /*all*/) {
  if (!IsClosed() || nodes_ == 0) return 0.0;
  // Shoelace over the segments' chords. A roof edge counts with its overhang line: its
  // neighbours run out to meet that line, so the roof covers the overhang.
  double twice = 0.0;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    Curve3D* side = s;
    if (auto* roof_edge = dynamic_cast<REdge3D*>(s); roof_edge && roof_edge->GetEdge()) {
      side = roof_edge->GetEdge();
    }
    const Point3D* a = side->Spt();
    const Point3D* b = side->Ept();
    twice += a->x * b->y - b->x * a->y;
  }
  double area = std::abs(twice) * 0.5;
  it.Restart();
  while (Curve3D* s = it.Next()) {
    Arc3D* arc = ArcOfSegment(s);
    if (arc == nullptr) continue;
    const double piece =
        CircularSegmentArea(arc->Radius(), arc->Angle() * kRadiansPerDegreeAsStored);
    area += IsArcConvex(arc) ? piece : -piece;
  }
  return area;
}

double Multi3D::Length(int all) {
  const bool onlySelected = all == 0 && IsSegmentSelected() > 0;
  double length = 0.0;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (onlySelected && s->IsSelected() == 0) continue;
    length += s->Length(1);
  }
  return length;
}

// ---- Nearness -----------------------------------------------------------------------------

double Multi3D::IsNear(Point3D* p, double zoom, double size) {
  if (p == nullptr) return kNotNear;
  double best = kNearSearchStart;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    const double d = s->IsNear(p, zoom, size);
    if (d >= 0.0 && d < best) best = d;
  }
  return best == kNearSearchStart ? kNotNear : best;
}

double Multi3D::PtOnLine(Point3D* p, double zoom, double size) {
  if (p == nullptr) return kNotNear;
  double best = kOnLineSearchStart;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    const double d = s->PtOnLine(p, zoom, size);
    if (d >= 0.0 && d < best) best = d;
  }
  return best == kOnLineSearchStart ? kNotNear : best;
}

int Multi3D::PtOnSegment(Point3D* p, double zoom, double size) {
  if (p == nullptr) return 0;
  int n = 0;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    ++n;
    if (s->PtOnLine(p, zoom, size) >= 0.0) return n;
  }
  return 0;
}

int Multi3D::PtOnVertex(Point3D* p, double /*zoom*/, double /*size*/) {
  if (p == nullptr) return 0;
  int n = 0;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    ++n;
    if (s->Spt()->ident(p) != 0) return n;
  }
  return 0;
}

int Multi3D::PtOnOpening(Point3D* p, double zoom) {
  if (p == nullptr) return 0;
  int n = 0;
  DblclistIterator it(GetExcludeList());
  while (Curve3D* opening = it.Next()) {
    ++n;
    if (opening->IsNear(p, zoom, kOpeningPickSize) >= 0.0) return n;
  }
  return 0;
}

double Multi3D::IsNearMidPt(Point3D* p, Point3D* out, double zoom) {
  if (p == nullptr) return kNotNear;
  double best = kNotNear;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    Point3D mid;
    const double d = s->IsNearMidPt(p, &mid, zoom);
    if (d < 0.0 || (best >= 0.0 && d >= best)) continue;
    best = d;
    if (out != nullptr) out->set(&mid);
  }
  return best;
}

double Multi3D::IsNearVertex(Point3D* p, Point3D* out, int& index, double zoom, double size) {
  if (p == nullptr) return kNotNear;
  double best = kNotNear;
  int n = 0;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    ++n;
    Point3D vertex;
    int unused = 0;
    const double d = s->IsNearVertex(p, &vertex, unused, zoom, size);
    // Later segments win ties: a shared vertex reports the segment that starts there.
    if (d < 0.0 || (best >= 0.0 && d > best)) continue;
    best = d;
    index = n;
    if (out != nullptr) out->set(&vertex);
  }
  return best;
}

// ---- Identity, state and flags ------------------------------------------------------------

int Multi3D::Id(int start, int recurse) {
  int next = Curve3D::Id(start, 0);
  if (recurse == 0) return next;
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    next = s->Id(next, 0);
  return next;
}

bool Multi3D::Ident(Curve3D* other) {
  auto* m = dynamic_cast<Multi3D*>(other);
  if (m == nullptr || !Curve3D::Ident(other)) return false;
  if (nodes_ != m->nodes_ || continuity_ != m->continuity_ || blocktype_ != m->blocktype_)
    return false;
  DblclistIterator mine(&curves_);
  DblclistIterator theirs(&m->curves_);
  while (Curve3D* s = mine.Next()) {
    Curve3D* t = theirs.Next();
    if (t == nullptr || !s->Ident(t)) return false;
  }
  return true;
}

int Multi3D::State(int s) {
  const int result = Curve3D::State(s);
  DblclistIterator it(&curves_);
  while (Curve3D* segment = it.Next())
    segment->State(s);
  return result;
}

int Multi3D::TFlag(int n) {
  Curve3D::TFlag(n);
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    s->TFlag(n);
  return n;
}

// ---- Transformations ----------------------------------------------------------------------

template <typename Op>
void Multi3D::TransformSegments(Op op) {
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    op(s);
  RefreshEnds();
  Calcbox();
}

Curve3D* Multi3D::Translate(const Point3D* v, bool moveLocal) {
  if (v == nullptr) return this;
  const Point3D by(v);
  Curve3D::Translate(&by, moveLocal);
  TransformSegments([&](Curve3D* s) { s->Translate(&by, moveLocal); });
  return this;
}

Curve3D* Multi3D::Rotate(const Point3D* centre, const Point3D* axis, double angle) {
  return Rotate_cs(centre, axis, std::cos(angle), std::sin(angle));
}

Curve3D* Multi3D::Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) {
  if (centre == nullptr || axis == nullptr) return this;
  // Copies: the centre may be one of the points being rotated.
  const Point3D c(centre);
  const Point3D a(axis);
  Curve3D::Rotate_cs(&c, &a, cs, sn);
  TransformSegments([&](Curve3D* s) { s->Rotate_cs(&c, &a, cs, sn); });
  return this;
}

Curve3D* Multi3D::Scale(const Point3D* centre, const Point3D* factors) {
  if (centre == nullptr || factors == nullptr) return this;
  const Point3D c(centre);
  const Point3D f(factors);
  Curve3D::Scale(&c, &f);
  TransformSegments([&](Curve3D* s) { s->Scale(&c, &f); });
  return this;
}

Curve3D* Multi3D::Scale(const Point3D* centre, double s) {
  if (centre == nullptr) return this;
  const Point3D c(centre);
  Curve3D::Scale(&c, s);
  TransformSegments([&](Curve3D* segment) { segment->Scale(&c, s); });
  if (HasEdgeSegments() != 0) RecalcEdges();
  RefreshBoxSizedItems();
  return this;
}

Curve3D* Multi3D::Mirror(const Point3D* normal, double distance) {
  if (normal == nullptr) return this;
  const Point3D n(normal);
  Curve3D::Mirror(&n, distance);
  TransformSegments([&](Curve3D* s) { s->Mirror(&n, distance); });
  return this;
}

void Multi3D::ResetGlobalCoords(const Point3D* origin) {
  if (origin == nullptr) return;
  const Point3D o(origin);
  Curve3D::ResetGlobalCoords(&o);
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next())
    s->ResetGlobalCoords(&o);
  if (nodes_ == 0) return;
  RefreshEnds();
  Calcbox();
}

// ---- Repairs and pitched edges ------------------------------------------------------------

int Multi3D::PurgeZeroLines() {
  Dblcitem* item = curves_.Head();
  while (item != nullptr) {
    Dblcitem* following = item->Next();
    Curve3D* s = item->Obj();
    if (s->Spt()->ident(s->Ept()) != 0) {
      Curve3D* prev = (item->Prev() != nullptr ? item->Prev() : curves_.Tail())->Obj();
      Curve3D* next = (item->Next() != nullptr ? item->Next() : curves_.Head())->Obj();
      if (prev->Ept()->ident(next->Spt()) != 0) {
        curves_.Remove(item);
        --nodes_;
      } else {
        // A zero side between a gap becomes the side that bridges it.
        const Point3D from(prev->Ept());
        const Point3D to(next->Spt());
        s->Spt(&from);
        s->Ept(&to);
      }
    }
    item = following;
  }
  RefreshEnds();
  State(kStateGeometryChanged);
  if (HasEdgeSegments() != 0) RecalcEdges();
  Calcbox();
  return 1;
}

bool Multi3D::RepairBrokenOutline() {
  Curve3D* first = FirstSegment();
  if (first == nullptr) return true;
  Curve3D::Spt()->set(first->Spt());
  Curve3D* prev = LastSegment();
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (prev != s && prev->Ept()->ident(s->Spt()) == 0) {
      const Point3D to(s->Spt());
      prev->Ept(&to);
    }
    prev = s;
  }
  const Point3D start(Curve3D::Spt());
  Curve3D::Ept()->set(&start);
  continuity_ = 1;
  valid_ = ValidatePolygon(this);
  State(kStateGeometryChanged);
  Calcbox();
  return true;
}

int Multi3D::RecalcEdges() {
  const bool closed = IsClosed();
  ResetEdges();
  Calcbox();
  for (Dblcitem* item = curves_.Head(); item != nullptr; item = item->Next()) {
    Curve3D* s = item->Obj();
    Curve3D* prev = NeighbourBefore(s, closed);
    Curve3D* next = NeighbourAfter(s, closed);
    s->Connect(prev, next, this);
  }
  Calcbox();
  return 1;
}

int Multi3D::ResetEdges() {
  const bool closed = IsClosed();
  DblclistIterator it(&curves_);
  while (Curve3D* s = it.Next()) {
    if (Edge3D* edge = AsEdge(s)) {
      edge->ResetEdge();
    } else if (REdge3D* roofEdge = AsREdge(s)) {
      roofEdge->ResetEdge();
    }
  }
  Curve3D* first = FirstSegment();
  if (first == nullptr) return 1;
  const Point3D start(first->Spt());
  Curve3D::Spt()->set(&start);
  const Point3D end(closed ? start : Point3D(LastSegment()->Ept()));
  Curve3D::Ept()->set(&end);
  return 1;
}

// ---- Free functions -----------------------------------------------------------------------

Multi3D* BoxToMulti(Box3D* b, Multi3D* m) {
  if (b == nullptr || m == nullptr) return m;
  // Copies first: b may be m's own box, which the rebuild changes.
  const Point3D lo(b->Minpt());
  const Point3D hi(b->Maxpt());
  m->Clear(1);
  m->Curve3D::Spt(lo.x, lo.y, lo.z);
  m->Curve3D::Ept(lo.x, lo.y, lo.z);
  Point3D upperLeft(lo.x, hi.y, 0.0);
  Point3D upperRight(&hi);
  Point3D lowerRight(hi.x, lo.y, 0.0);
  Point3D start(&lo);
  m->Add(&upperLeft);
  m->Add(&upperRight);
  m->Add(&lowerRight);
  m->Add(&start);
  return m;
}
