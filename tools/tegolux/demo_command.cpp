// tegolux demo: the sample roof plan built through the public interface, measured, and sent
// through the group-code stream in every form the engine writes.

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "commands.h"
#include "demo_steps.h"
#include "tegolux.h"

namespace {

constexpr const char* kDemoUsage =
    "Usage: tegolux demo [--out DIR]\n"
    "\n"
    "Builds the sample roof, an L-shaped plan in feet, prints its corners, extents, plan area,\n"
    "perimeter and side directions, puts its sides as lines into a drawing document on two\n"
    "layers and prints their identifiers, layers, lengths, directions and the drawing\n"
    "extents, builds a curved bay through three points and prints its centre, radius,\n"
    "sweep, length and area, then writes the corners as vertex records through the\n"
    "group-code stream (text form, binary drawing form, and the exchange export in inches) and\n"
    "reads the text and binary files back. Last it builds the plan as one closed outline with\n"
    "its right end bowed out into a quarter circle and a rectangular opening cut out, and\n"
    "prints its area, perimeter, corner counts, validity, net roof area and where sample\n"
    "points fall. Finally it shows the plan in an 800 x 600 pixel window: zooms to the roof,\n"
    "picks a side by a click at a pixel position and snaps a cursor to a vertex, printing\n"
    "each step in drawing and pixel coordinates. Last it defines a drain symbol, places it\n"
    "three times (scaled, rotated, mirrored), adds a roof label and prints their extents.\n"
    "\n"
    "  --out DIR   folder for the written files (created when missing; default: a folder\n"
    "              named tegolux-demo in the system's temporary folder)\n";

constexpr const char* kOutlineLayer = "Roof outline";
// The sides of the sample roof go on two layers: the eaves run along x, the gable ends along y.
constexpr const char* kEavesLayer = "Eaves";
constexpr const char* kGablesLayer = "Gable ends";

// The sample roof: a 48 ft by 20 ft wing with a 20 ft by 16 ft wing on its left end.
std::vector<Point3D> SampleRoofCorners() {
  return {Point3D(0, 0),   Point3D(48, 0),  Point3D(48, 20),
          Point3D(20, 20), Point3D(20, 36), Point3D(0, 36)};
}

double PlanArea(const std::vector<Point3D>& corners) {
  double area = 0.0;
  for (size_t i = 1; i + 1 < corners.size(); ++i) {
    area += corners[0].area3pt(&corners[i], &corners[i + 1]);
  }
  return std::fabs(area);
}

double Perimeter(const std::vector<Point3D>& corners) {
  double length = 0.0;
  for (size_t i = 0; i < corners.size(); ++i) {
    length += corners[i].dist(&corners[(i + 1) % corners.size()]);
  }
  return length;
}

void PrintMeasures(const std::vector<Point3D>& corners) {
  std::printf("Sample roof: an L-shaped plan of %zu corners, in feet\n", corners.size());
  Box3D extents(&corners[0]);
  for (size_t i = 0; i < corners.size(); ++i) {
    const Point3D& p = corners[i];
    const Point3D& next = corners[(i + 1) % corners.size()];
    std::printf("  corner %zu  (%7.2f, %7.2f)   side to corner %zu: %6.2f ft at %5.1f deg\n", i + 1,
                p.x, p.y, (i + 1) % corners.size() + 1, p.dist(&next), p.xyangle(&next));
    extents.Append(&p);
  }
  std::printf("Plan extents: (%.2f, %.2f) to (%.2f, %.2f), %.2f ft wide and %.2f ft deep\n",
              extents.Left(), extents.Bottom(), extents.Right(), extents.Top(), extents.Width(),
              extents.Height());
  std::printf("Plan area: %.2f sq ft\n", PlanArea(corners));
  std::printf("Perimeter: %.2f ft\n", Perimeter(corners));
}

// The sides as lines in a drawing document, each on the layer of its kind; prints what the
// document made of them.
void PrintDocument(const std::vector<Point3D>& corners) {
  Objlist drawing;
  for (size_t i = 0; i < corners.size(); ++i) {
    const Point3D& from = corners[i];
    const Point3D& to = corners[(i + 1) % corners.size()];
    const bool alongX = from.y == to.y;
    auto* side = new (std::nothrow) Line3D(&from, &to);
    if (drawing.Add(side, alongX ? kEavesLayer : kGablesLayer) == nullptr) {
      // A refused entity stays with the caller.
      delete side;
      std::printf("  the document refused side %zu\n", i + 1);
    }
  }
  std::printf("\nDrawing document: %d lines on %d layers\n", drawing.Noofobjs(),
              drawing.NoofLayers());
  for (ObjItem* item = drawing.GetHead(); item != nullptr; item = item->Next()) {
    Curve3D* side = item->Obj();
    std::printf("  id %d  %-11s %6.2f ft at %5.1f deg\n", side->Id(), side->Layername(),
                side->Length(0), side->Angle());
  }
  Point3D min;
  Point3D max;
  drawing.CalcExtents(&min, &max, 0);
  std::printf("Drawing extents: (%.2f, %.2f) to (%.2f, %.2f)\n", min.x, min.y, max.x, max.y);
}

// A curved side, built the way a user draws it: two ends and a point the arc passes through.
void PrintArc() {
  const Point3D start(48, 4);
  const Point3D through(52, 10);
  const Point3D end(48, 16);
  Arc3D bay;
  bay.Spt(&start);
  bay.Ept(&end);
  std::printf("\nCurved bay: an arc from (%.0f, %.0f) through (%.0f, %.0f) to (%.0f, %.0f)\n",
              start.x, start.y, through.x, through.y, end.x, end.y);
  if (bay.CalcArc_3Pt(&through) == nullptr) {
    std::printf("  the three points give no arc\n");
    return;
  }
  const Point3D* centre = bay.Ctr();
  std::printf("  centre (%.4f, %.4f), radius %.4f ft\n", centre->x, centre->y, bay.Radius());
  std::printf("  sweep %.4f deg from %.4f to %.4f deg\n", bay.Angle(), bay.StartAngle(),
              bay.EndAngle());
  // Area mode 2 asks an open arc for the segment between it and its chord.
  std::printf("  length %.4f ft, area between arc and chord %.4f sq ft\n", bay.Length(0),
              bay.Area(2));
}

// The plan as one closed outline. The right end of the main wing (the side from corner 2 to
// corner 3) bows out into a quarter circle: its centre lies inside the wing, half the end's
// length in from the end's middle, so the arc meets the eaves at 45 degrees.
constexpr size_t kBowedSide = 1;
// A rectangular opening (a skylight) in the main wing.
const Point3D kOpeningCorner(30, 6);
constexpr double kOpeningWidth = 6.0;
constexpr double kOpeningDepth = 4.0;

struct SamplePoint {
  const char* where;
  Point3D at;
};

// One point in each part of the plan that the outline has to tell apart.
const SamplePoint kSamplePoints[] = {
    {"in the plan", Point3D(10, 10)},
    {"in the opening", Point3D(33, 8)},
    {"in the notch of the L", Point3D(34, 28)},
    {"under the bowed end", Point3D(50, 10)},
};

// The side from a to b bowed outward (the plan runs counter-clockwise, so outward is to the
// right) into a quarter circle; null without memory.
Curve3D* BowedSide(const Point3D& a, const Point3D& b) {
  const double length = a.dist(&b);
  Point3D centre(a);
  centre.mid_pt(&b);
  // Half the side's length along the inward normal (to the left of a -> b).
  centre.x -= (b.y - a.y) * 0.5;
  centre.y += (b.x - a.x) * 0.5;
  return new (std::nothrow) Arc3D(&centre, length / std::sqrt(2.0), &a, &b, kArcCounterClockwise);
}

// Builds the outline side by side through the public interface; null when a side was refused.
std::unique_ptr<Multi3D> RoofOutline(const std::vector<Point3D>& corners) {
  auto roof = std::unique_ptr<Multi3D>(new (std::nothrow) Multi3D());
  if (!roof) return nullptr;
  for (size_t i = 0; i < corners.size(); ++i) {
    const Point3D& from = corners[i];
    const Point3D& to = corners[(i + 1) % corners.size()];
    Curve3D* side = i == kBowedSide ? BowedSide(from, to) : new (std::nothrow) Line3D(&from, &to);
    const int before = roof->Nodes();
    if (side == nullptr || roof->Add(side) == before) {
      delete side;
      return nullptr;
    }
  }
  return roof->IsClosed() ? std::move(roof) : nullptr;
}

// The opening as a closed rectangle: its first side as a line, the next two as points, then
// closed back to the start.
std::unique_ptr<Multi3D> OpeningOutline() {
  auto opening = std::unique_ptr<Multi3D>(new (std::nothrow) Multi3D());
  if (!opening) return nullptr;
  const Point3D a(kOpeningCorner);
  Point3D b(a.x + kOpeningWidth, a.y);
  Point3D c(a.x + kOpeningWidth, a.y + kOpeningDepth);
  Point3D d(a.x, a.y + kOpeningDepth);
  auto* first = new (std::nothrow) Line3D(&a, &b);
  if (first == nullptr) return nullptr;
  if (opening->Add(first) != 1) {
    delete first;
    return nullptr;
  }
  opening->Add(&c);
  opening->Add(&d);
  opening->Close();
  return opening->Nodes() == 4 && opening->IsClosed() ? std::move(opening) : nullptr;
}

const char* InsideOrOutside(Curve3D* outline, Point3D* p) {
  return outline != nullptr && outline->IsInside(p) != 0 ? "inside" : "outside";
}

// Returns false when the outline could not be built.
bool PrintOutline(const std::vector<Point3D>& corners) {
  // The opening is declared first so that it outlives the roof that lists it.
  const std::unique_ptr<Multi3D> opening = OpeningOutline();
  const std::unique_ptr<Multi3D> roof = RoofOutline(corners);
  if (!opening || !roof || roof->AddExclusion(opening.get()) != 1) return false;
  const Point3D* a = &corners[kBowedSide];
  const Point3D* b = &corners[(kBowedSide + 1) % corners.size()];
  std::printf(
      "\nRoof outline: the plan as one closed outline, the side (%.0f, %.0f) to (%.0f, %.0f) "
      "bowed out to a quarter circle\n",
      a->x, a->y, b->x, b->y);
  std::printf("  %d segments, %d curved, %s; sides crossing: %s\n", roof->Nodes(),
              roof->HasArcSegments(), roof->IsClosed() ? "closed" : "open",
              ValidatePolygon(roof.get()) == 1 ? "none (valid)" : "yes (invalid)");
  std::printf("Outline plan area: %.2f sq ft\n", roof->Area(1));
  std::printf("Outline perimeter: %.2f ft\n", roof->Length(1));
  std::printf("Corner counts: %d (true), %d (false)\n", roof->CornerCount(true),
              roof->CornerCount(false));
  // The net area goes through the roof's own list of openings.
  Curve3D* cut = roof->Opening(1);
  const double openingArea = cut != nullptr ? cut->Area(1) : 0.0;
  std::printf("Opening: %.0f ft by %.0f ft at (%.0f, %.0f), %.2f sq ft\n", kOpeningWidth,
              kOpeningDepth, kOpeningCorner.x, kOpeningCorner.y, openingArea);
  std::printf("Net roof area: %.2f sq ft\n", roof->Area(1) - openingArea);
  for (const SamplePoint& sample : kSamplePoints) {
    Point3D p(sample.at);
    std::printf("  point (%6.2f, %6.2f) %-22s %-7s the outline, %-7s the opening\n", p.x, p.y,
                sample.where, InsideOrOutside(roof.get(), &p), InsideOrOutside(cut, &p));
  }
  return true;
}

// Writes the corners as vertex records inside an entities section. The binary form starts with
// the drawing signature, as a drawing file does.
int WriteCorners(const std::string& path, const std::vector<Point3D>& corners, bool binary,
                 bool exchange) {
  FILE* file = std::fopen(path.c_str(), binary ? "wb" : "w");
  if (file == nullptr) return kDxfEnd;
  int rc = 0;
  if (binary && std::fwrite(kTggSignature, 1, kBinarySignatureSize, file) != kBinarySignatureSize) {
    rc = kDxfEnd;
  }
  {
    DXFGroup stream(file, binary);
    if (rc == 0) rc = stream.PutKeyword(kDxfSection);
    if (rc == 0) rc = stream.PutString(2, "ENTITIES");
    for (const Point3D& corner : corners) {
      if (rc != 0) break;
      Point3D copy(corner);
      rc = exchange ? copy.tpsave(&stream, kOutlineLayer) : copy.save(&stream);
    }
    if (rc == 0) rc = stream.PutKeyword(kDxfEndsec);
    if (rc == 0) rc = stream.PutKeyword(kDxfEof);
  }
  if (std::fclose(file) != 0 && rc == 0) rc = kDxfEnd;
  return rc;
}

// Reads every vertex record back. Returns the stream's final result: 7 at the EOF keyword.
int ReadCorners(const std::string& path, bool binary, std::vector<Point3D>* corners) {
  FILE* file = std::fopen(path.c_str(), binary ? "rb" : "r");
  if (file == nullptr) return kDxfLineEof;
  char signature[kBinarySignatureSize];
  if (binary && (std::fread(signature, 1, sizeof signature, file) != sizeof signature ||
                 std::memcmp(signature, kTggSignature, sizeof signature) != 0)) {
    std::fclose(file);
    return kDxfBadCode;
  }
  DXFGroup stream(file, binary);
  int rc = 0;
  while ((rc = stream.GetGroup()) == 0) {
    if (stream.Code() != kDxfVertex) continue;
    Point3D vertex;
    rc = vertex.AddToken(&stream);
    corners->push_back(vertex);
    if (rc != 0) break;
  }
  std::fclose(file);
  return rc;
}

long FileSize(const std::string& path) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  return ec ? -1 : static_cast<long>(size);
}

bool SameCorners(const std::vector<Point3D>& a, const std::vector<Point3D>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (!a[i].ident(&b[i])) return false;
  }
  return true;
}

struct Form {
  const char* label;
  const char* fileName;
  bool binary;
  bool exchange;
};

constexpr Form kForms[] = {
    {"text form", "sample-corners.dxf", false, false},
    {"binary form", "sample-corners.tgg", true, false},
    {"exchange export (inches)", "sample-corners-export.dxf", false, true},
};

}  // namespace

int RunDemo(int argc, char** argv) {
  std::filesystem::path out;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kDemoUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) {
      out = argv[++i];
      continue;
    }
    std::fprintf(stderr, "tegolux demo: unexpected argument '%s'\n%s", argv[i], kDemoUsage);
    return 2;
  }
  std::error_code ec;
  if (out.empty()) out = std::filesystem::temp_directory_path(ec) / "tegolux-demo";
  std::filesystem::create_directories(out, ec);
  if (ec) {
    std::fprintf(stderr, "tegolux demo: cannot create the folder %s: %s\n", out.c_str(),
                 ec.message().c_str());
    return 1;
  }

  const std::vector<Point3D> corners = SampleRoofCorners();
  PrintMeasures(corners);
  PrintDocument(corners);
  PrintArc();

  char layer[64];
  std::printf("\nGroup-code stream (layer \"%s\" is written to the exchange export as \"%s\"):\n",
              kOutlineLayer, ConvertDXFName(kOutlineLayer, layer, sizeof layer));
  for (const Form& form : kForms) {
    const std::string path = (out / form.fileName).string();
    const int rc = WriteCorners(path, corners, form.binary, form.exchange);
    if (rc != 0) {
      std::fprintf(stderr, "tegolux demo: writing %s failed (stream result %d)\n", path.c_str(),
                   rc);
      return 1;
    }
    std::printf("  %-26s %s (%ld bytes)\n", form.label, path.c_str(), FileSize(path));
  }
  for (const Form& form : kForms) {
    if (form.exchange) continue;
    const std::string path = (out / form.fileName).string();
    std::vector<Point3D> readBack;
    const int rc = ReadCorners(path, form.binary, &readBack);
    if (rc != kDxfEnd) {
      std::fprintf(stderr, "tegolux demo: reading %s stopped with stream result %d\n", path.c_str(),
                   rc);
      return 1;
    }
    const bool same = SameCorners(corners, readBack);
    std::printf("Read back %zu vertices from the %s: %s\n", readBack.size(), form.label,
                same ? "every vertex matches" : "THE VERTICES DIFFER");
    if (!same) return 1;
  }
  if (!PrintOutline(corners)) {
    std::fprintf(stderr, "tegolux demo: the roof outline could not be built\n");
    return 1;
  }
  if (!PrintViewDemo(corners)) {
    std::fprintf(stderr, "tegolux demo: the view of the sample roof failed\n");
    return 1;
  }
  if (!PrintSymbolsDemo()) {
    std::fprintf(stderr, "tegolux demo: the drain symbols could not be placed\n");
    return 1;
  }
  return 0;
}
