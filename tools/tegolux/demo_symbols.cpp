// The symbols part of tegolux demo: a drain symbol defined once and placed three ways, and a
// roof label, added to a drawing through the public interface, with the extents the engine
// gives them.

#include <cstdio>
#include <memory>
#include <new>

#include "demo_steps.h"
#include "tegolux.h"

namespace {

// Pixels per foot of the drawing at stretch 1: a 12 point label is then 1 ft high on a screen
// of 96 pixels per inch.
constexpr double kDrawingScale = 16.0;
constexpr const char* kSymbolLayer = "Drains";
constexpr const char* kLabelLayer = "Labels";

// The drain: a 1 ft circle with its outlet pipe running east and turning north, so every
// turn and flip shows. The base point is the circle's centre.
std::unique_ptr<Block3D> DrainSymbol() {
  const Point3D centre(0, 0);
  auto drain = std::unique_ptr<Block3D>(new (std::nothrow) Block3D("Drain", 0, 0, 1.0, &centre));
  if (!drain) return nullptr;
  drain->Add(new (std::nothrow) Arc3D(&centre, 0.5), 0);
  drain->Add(new (std::nothrow) Line3D(0.5, 0.0, 0.0, 1.5, 0.0, 0.0), 0);
  drain->Add(new (std::nothrow) Line3D(1.5, 0.0, 0.0, 1.5, 0.5, 0.0), 0);
  return drain->Nodes() == 3 ? std::move(drain) : nullptr;
}

struct Placement {
  const char* how;
  Point3D at;
  Point3D factors;
  double angle;
  int mirrored;
};

const Placement kPlacements[] = {
    {"scaled x2", Point3D(10, 10), Point3D(2, 2, 1), 0.0, 0},
    {"rotated 90 deg", Point3D(30, 10), Point3D(1, 1, 1), 90.0, 0},
    {"mirrored left to right", Point3D(10, 28), Point3D(1, 1, 1), 0.0, kMirrorLeftToRight},
};

void PrintBox(const char* what, Curve3D* e) {
  Box3D box;
  e->Box(0, &box);
  std::printf("  %-42s extents (%6.2f, %6.2f) to (%6.2f, %6.2f) ft\n", what, box.Left(),
              box.Bottom(), box.Right(), box.Top());
}

}  // namespace

bool PrintSymbolsDemo() {
  Objlist drawing;
  drawing.SetDrawingScale(kDrawingScale, nullptr, 0);
  const std::unique_ptr<Block3D> drain = DrainSymbol();
  if (!drain) return false;
  std::printf(
      "\nSymbols: a drain (a 1 ft circle and an outlet pipe of two lines) placed three "
      "times\n");
  for (const Placement& placement : kPlacements) {
    auto* insert = new (std::nothrow) Insert3D(&placement.at, drain.get(), 1.0, placement.angle);
    if (insert == nullptr) return false;
    insert->SetScale(&placement.factors);
    insert->Mirrored(placement.mirrored);
    if (drawing.Add(insert, kSymbolLayer) == nullptr) {
      delete insert;
      return false;
    }
    char what[64];
    std::snprintf(what, sizeof what, "drain at (%.0f, %.0f), %s", placement.at.x, placement.at.y,
                  placement.how);
    PrintBox(what, insert);
  }
  BlockItem* filed = drawing.GetBlockTable()->Search("Drain");
  if (filed == nullptr) return false;
  std::printf("  block table: %d block, \"%s\" used by %d inserts\n",
              drawing.GetBlockTable()->NoofBlocks(), filed->Block()->Blockname(),
              filed->Block()->Count());

  const Point3D labelAt(24, 6);
  auto* label = new (std::nothrow) Text3D(&labelAt, "Roof A", 12.0, 0.0);
  if (label == nullptr) return false;
  label->Alignment(kAlignCentre, &labelAt);
  if (drawing.Add(label, kLabelLayer) == nullptr) {
    delete label;
    return false;
  }
  std::printf("Label \"%s\": %.0f points in %s, %.4f ft high at a drawing scale of %.0f px/ft\n",
              label->GetText(), label->Pointsize(), label->FontName(), label->TextHeight(),
              kDrawingScale);
  PrintBox("label centred on (24, 6)", label);
  return true;
}
