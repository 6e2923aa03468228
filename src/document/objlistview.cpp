// The document's side of the coordinate mapping: every conversion goes to the viewport when the
// document has one. Without a viewport the document is not shown anywhere, and world and screen
// coordinates are simply the same numbers.

#include <cmath>
#include <limits>
#include <new>

#include "detail/pixelround.h"
#include "document/objlist.h"
#include "document/viewport.h"
#include "entities/curve3d.h"
#include "entities/dimension3d.h"
#include "entities/entitytype.h"
#include "entities/insert3d.h"
#include "entities/text3d.h"
#include "settings/hostglobals.h"

Viewport* Objlist::SetupViewport(HWND window, int border) {
  viewport_.reset(new (std::nothrow) Viewport(window, border));
  if (viewport_ == nullptr) return nullptr;
  // The new view continues the document's mapping: its drawing scale, and its limits once they
  // describe an area (a new document's limits are both the origin; the view's own default
  // limits serve until the drawing sets some).
  if (lim_max_.x > lim_min_.x && lim_max_.y > lim_min_.y)
    viewport_->SetLimits(&lim_min_, &lim_max_);
  viewport_->SetScale(scale_);
  return viewport_.get();
}

double Objlist::LXToW(int x) {
  return viewport_ != nullptr ? viewport_->LpXToWp(x) : x;
}

double Objlist::LYToW(int y) {
  return viewport_ != nullptr ? viewport_->LpYToWp(y) : y;
}

double Objlist::DXToW(int x) {
  return viewport_ != nullptr ? viewport_->DpXToWp(x) : x;
}

double Objlist::DYToW(int y) {
  return viewport_ != nullptr ? viewport_->DpYToWp(y) : y;
}

int Objlist::WXToL(double x) {
  return viewport_ != nullptr ? viewport_->WpXToLp(x) : TruncToInt(x);
}

int Objlist::WYToL(double y) {
  return viewport_ != nullptr ? viewport_->WpYToLp(y) : TruncToInt(y);
}

int Objlist::WXToD(double x) {
  return viewport_ != nullptr ? viewport_->WpXToDp(x) : TruncToInt(x);
}

int Objlist::WYToD(double y) {
  return viewport_ != nullptr ? viewport_->WpYToDp(y) : TruncToInt(y);
}

int Objlist::LXToD(int x) {
  return viewport_ != nullptr ? viewport_->LpXToDp(x) : x;
}

int Objlist::LYToD(int y) {
  return viewport_ != nullptr ? viewport_->LpYToDp(y) : y;
}

int Objlist::DXToL(int x) {
  return viewport_ != nullptr ? viewport_->DpXToLp(x) : x;
}

int Objlist::DYToL(int y) {
  return viewport_ != nullptr ? viewport_->DpYToLp(y) : y;
}

tagLPOINT* Objlist::DpToLp(const tagPOINT* dp, tagLPOINT* lp) {
  if (dp == nullptr || lp == nullptr) return lp;
  if (viewport_ != nullptr) return viewport_->DpToLp(dp, lp);
  lp->x = dp->x;
  lp->y = dp->y;
  return lp;
}

tagPOINT* Objlist::LpToDp(const tagLPOINT* lp, tagPOINT* dp) {
  if (lp == nullptr || dp == nullptr) return dp;
  if (viewport_ != nullptr) return viewport_->LpToDp(lp, dp);
  dp->x = lp->x;
  dp->y = lp->y;
  return dp;
}

Point3D* Objlist::DpToWp(const tagPOINT* dp, Point3D* wp) {
  if (dp == nullptr || wp == nullptr) return wp;
  if (viewport_ != nullptr) return viewport_->DpToWp(dp, wp);
  wp->x = dp->x;
  wp->y = dp->y;
  return wp;
}

Point3D* Objlist::LpToWp(const tagLPOINT* lp, Point3D* wp) {
  if (lp == nullptr || wp == nullptr) return wp;
  if (viewport_ != nullptr) return viewport_->LpToWp(lp, wp);
  wp->x = lp->x;
  wp->y = lp->y;
  return wp;
}

tagLPOINT* Objlist::WpToLp(const Point3D* wp, tagLPOINT* lp) {
  if (wp == nullptr || lp == nullptr) return lp;
  if (viewport_ != nullptr) return viewport_->WpToLp(wp, lp);
  lp->x = TruncToInt(wp->x);
  lp->y = TruncToInt(wp->y);
  return lp;
}

tagPOINT* Objlist::WpToDp(const Point3D* wp, tagPOINT* dp) {
  if (wp == nullptr || dp == nullptr) return dp;
  if (viewport_ != nullptr) return viewport_->WpToDp(wp, dp);
  dp->x = TruncToInt(wp->x);
  dp->y = TruncToInt(wp->y);
  return dp;
}

// Device y grows downward, so the larger of top and bottom is the box's lower edge.
Box3D* Objlist::RectToBox(const tagRECT* r, Box3D* b) {
  if (r == nullptr || b == nullptr) return b;
  const LONG lower = r->top > r->bottom ? r->top : r->bottom;
  const LONG upper = r->top > r->bottom ? r->bottom : r->top;
  b->Minpt()->x = DXToW(r->left);
  b->Minpt()->y = DYToW(lower);
  b->Maxpt()->x = DXToW(r->right);
  b->Maxpt()->y = DYToW(upper);
  b->Minpt()->z = b->Maxpt()->z = 0.0;
  return b;
}

tagRECT* Objlist::BoxToRect(const Box3D* b, tagRECT* r) {
  if (b == nullptr || r == nullptr) return r;
  r->left = WXToD(b->Minpt()->x);
  r->right = WXToD(b->Maxpt()->x);
  r->bottom = WYToD(b->Minpt()->y);
  r->top = WYToD(b->Maxpt()->y);
  return r;
}

double Objlist::GetScale() const {
  return viewport_ != nullptr ? viewport_->GetScale() : scale_;
}

double Objlist::GetStretch() const {
  return viewport_ != nullptr ? viewport_->GetStretch() : 1.0;
}

double Objlist::SetStretch(double s) {
  double old = GetStretch();
  if (viewport_ != nullptr) {
    old = viewport_->SetStretch(s);
    PublishDrawingSettings();
  } else {
    double scale = 0.0;
    Point3D offset;
    GetDrawingSettings(&scale, nullptr, &offset);
    SetDrawingSettings(scale, s, &offset);
  }
  return old;
}

double Objlist::SetZoom(int mode, Box3D* b, tagPOINT* at) {
  if (viewport_ == nullptr) return 0.0;
  const double old = (mode == kZoomBox && b != nullptr) ? viewport_->SetZoom(b)
                                                        : viewport_->SetZoom(mode, zoom_step_, at);
  FollowStretch(viewport_->GetStretch());
  return old;
}

double Objlist::SetZoom(Box3D* b) {
  if (viewport_ == nullptr || b == nullptr) return 0.0;
  const double old = viewport_->SetZoom(b);
  FollowStretch(viewport_->GetStretch());
  return old;
}

double Objlist::SetDrawingScale(double s, Point3D* base, int /*reserved*/) {
  // A zero, negative or non-finite scale would make every later conversion divide by it.
  if (!(s > 0.0) || !std::isfinite(s)) return scale_;
  const double old = GetScale();
  if (base != nullptr && old > 0.0) {
    if (LayerBag* format = Layer(kFormatLayerName)) {
      const double factor = old / s;
      for (ObjItem* item = format->Head(); item != nullptr; item = item->LNext()) {
        // x-scaled symbols keep their size with the drawing scale: only their insertion point
        // moves.
        Curve3D* e = item->Obj();
        if (e == nullptr) continue;
        auto* insert = dynamic_cast<Insert3D*>(e);
        if (insert != nullptr && insert->GetBlock() != nullptr &&
            insert->GetBlock()->XScaledSymbol() != 0) {
          insert->ScaleSpt(base, factor);
        } else {
          e->Scale(base, factor);
        }
      }
    }
  }
  if (viewport_ != nullptr) viewport_->SetScale(s);
  scale_ = s;
  FollowDrawingScale(s);
  PublishDrawingSettings();
  return scale_;
}

void Objlist::SnapToGrid(tagLPOINT* lp, Point3D* out) {
  if (viewport_ != nullptr) {
    viewport_->SnapToGrid(lp, out);
    return;
  }
  Point3D w;
  if (lp != nullptr && out != nullptr) *out = *LpToWp(lp, &w);
}

void Objlist::Size() {
  if (viewport_ == nullptr) return;
  Point3D min, max;
  CalcExtents(&min, &max, 1);
  viewport_->Size(static_cast<int>(max.x - min.x), static_cast<int>(max.y - min.y));
}

Point3D* Objlist::GetOffset(Point3D* out) {
  if (viewport_ != nullptr) viewport_->GetWCOffset(&offset_);
  if (out != nullptr) *out = offset_;
  return out;
}

void Objlist::PublishDrawingSettings() {
  Point3D offset;
  GetOffset(&offset);
  SetDrawingSettings(GetScale(), GetStretch(), &offset);
}

// Texts, dimensions and inserts keep their size on screen and on paper through the stretch and
// scale they are given; their boxes change with it, so the selection box is rebuilt when any did.
void Objlist::FollowStretch(double stretch) {
  bool any = false;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (auto* text = dynamic_cast<Text3D*>(item->Obj())) {
      text->SetXStretch(stretch);
      any = true;
    } else if (auto* dimension = dynamic_cast<Dimension3D*>(item->Obj())) {
      dimension->SetXStretch(stretch);
      any = true;
    } else if (auto* insert = dynamic_cast<Insert3D*>(item->Obj())) {
      insert->SetXStretch(stretch);
      any = true;
    }
  }
  if (any && IsSelected()) ReScanSelected();
}

void Objlist::FollowDrawingScale(double scale) {
  const int ppi = SetLogPixelsInch();
  if (ppi <= 0) return;
  const double perInch = scale / ppi;
  bool any = false;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    if (auto* text = dynamic_cast<Text3D*>(item->Obj())) {
      text->SetXScale(perInch, kKeepPointSize);
      any = true;
    } else if (auto* dimension = dynamic_cast<Dimension3D*>(item->Obj())) {
      dimension->SetXScale(perInch, kKeepPointSize);
      any = true;
    } else if (auto* insert = dynamic_cast<Insert3D*>(item->Obj())) {
      insert->SetXScale(perInch);
      any = true;
    }
  }
  if (any && IsSelected()) ReScanSelected();
}
