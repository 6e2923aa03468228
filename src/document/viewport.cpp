#include "document/viewport.h"

// Placeholder bodies so the library links while the mapping is written.
Viewport::Viewport(HWND window, int border) : window_(window), border_(border) {}
Viewport::Viewport(const Viewport* src) {
  if (src != nullptr) *this = *src;
}
Viewport& Viewport::operator=(const Viewport&) = default;
void Viewport::Size(int, int) {}
Point3D* Viewport::GetSnapUnit(Point3D* out) { return out; }
double Viewport::GetScale() { return scale_; }
double Viewport::GetStretch() { return stretch_; }
double Viewport::SetStretch(double) { return 0; }
double Viewport::SetScale(double) { return 0; }
void Viewport::SetSnapUnit(const Point3D*) {}
void Viewport::SetExtents(const Point3D*, const Point3D*) {}
void Viewport::SetLimits(const Point3D*, const Point3D*) {}
double Viewport::SetZoom(Box3D*) { return 0; }
double Viewport::SetZoom(int, double, tagPOINT*) { return 0; }
void Viewport::SnapToGrid(tagLPOINT*, Point3D*) {}
int Viewport::DpXToLp(int) { return 0; }
int Viewport::DpYToLp(int) { return 0; }
tagLPOINT* Viewport::DpToLp(const tagPOINT*, tagLPOINT* lp) { return lp; }
int Viewport::LpXToDp(int) { return 0; }
int Viewport::LpYToDp(int) { return 0; }
tagPOINT* Viewport::LpToDp(const tagLPOINT*, tagPOINT* dp) { return dp; }
double Viewport::DpXToWp(int) { return 0; }
double Viewport::DpYToWp(int) { return 0; }
Point3D* Viewport::DpToWp(const tagPOINT*, Point3D* wp) { return wp; }
double Viewport::LpXToWp(int) { return 0; }
double Viewport::LpYToWp(int) { return 0; }
Point3D* Viewport::LpToWp(const tagLPOINT*, Point3D* wp) { return wp; }
int Viewport::WpXToLp(double) { return 0; }
int Viewport::WpYToLp(double) { return 0; }
tagLPOINT* Viewport::WpToLp(const Point3D*, tagLPOINT* lp) { return lp; }
int Viewport::WpXToDp(double) { return 0; }
int Viewport::WpYToDp(double) { return 0; }
tagPOINT* Viewport::WpToDp(const Point3D*, tagPOINT* dp) { return dp; }
int Viewport::WpXToScroll(double) { return 0; }
int Viewport::WpYToScroll(double) { return 0; }
Point3D* Viewport::ScrollToWP(Point3D* p, int, int) { return p; }
double Viewport::ScrollXtoWP(int) { return 0; }
double Viewport::ScrollYtoWP(int) { return 0; }
void Viewport::ScrollTo(int, int) {}
void Viewport::ScrollToWPos(const Point3D*) {}
int Viewport::GetXScrollPos() { return 0; }
int Viewport::GetYScrollPos() { return 0; }
void Viewport::SetXScrollRange(int) {}
void Viewport::SetYScrollRange(int) {}
Point3D* Viewport::GetWCOffset(Point3D* out) { return out; }
Point3D* Viewport::SetWCOffset(Point3D* out) { return out; }
Point3D* Viewport::GetUCOffset(Point3D* out) { return out; }
void Viewport::SetUCOffset(const Point3D*) {}
void Viewport::SetScrollUnits(int, int) {}
