#pragma once
// Whole-entity views for entity tests, so one comparison covers every plain field:
//   EXPECT_THAT(Fields(copy), ElementsAre(4, 2, 1, 5, 7, 77, 0, ...));
//   EXPECT_THAT(Texts(copy), ElementsAre("Ridge", kSampleGuid, ...));
// and a builder that sets every field away from its default, to check what copies take.

#include <string>
#include <vector>

#include "document/layerbag.h"
#include "entities/curve3d.h"
#include "support/entity_builders.h"

// Colour, line type, thickness, fill colour, fill pattern, Id, segment position, TFlag, kind,
// selected, Segment, frozen, legacy type, SectFlag, State.
inline std::vector<int> Fields(Curve3D& e) {
  return {e.GetColour(), e.GetLinetype(),     e.Thickness(),  e.GetFillColour(), e.FillPattern(),
          e.Id(),        e.SegmentPosition(), e.TFlag(),      e.Type(),          e.IsSelected(),
          e.Segment(),   e.Frozen(),          e.LegacyType(), e.SectFlag(),      e.State()};
}

// Name, GUID, owner GUID, layer GUID, section name, layer name; "-" where there is none.
inline std::vector<std::string> Texts(Curve3D& e) {
  const auto text = [](const char* s) { return std::string(s != nullptr ? s : "-"); };
  return {text(e.Name(0, nullptr)), text(e.Guid()),        text(e.GetOwnerGuid()),
          text(e.LayerGuid()),      text(e.Sectionname()), text(e.Layername())};
}

// Sets every field away from its default; the display attributes become colour 4, line type 2
// (so thickness 1), fill colour 5, pattern 7, and LocalSpt moves to Ept. The layer is linked
// before the layer GUID is set, since linking takes the layer's own GUID.
//   Fields: 4, 2, 1, 5, 7, 77, 3, 2, kEntityArc, 1, 1, 1, 6105, -1, kStateAdded
//   Texts:  "Ridge", kSampleGuid, kOtherGuid, kSampleGuid, "South", the layer's name
// LegacyPitch is 4.5.
inline void Decorate(Curve3D& e, LayerBag* layer) {
  e.Colour(4);
  e.Linetype(2);
  e.FillColour(5);
  e.FillPattern(7);
  e.Id(77, 0);
  e.Guid(kSampleGuid);
  e.SetOwnerGuid(kOtherGuid);
  e.Layer(layer);
  e.SetLayerGuid(kSampleGuid);
  e.SegmentPosition(3);
  e.TFlag(2);
  e.Type(kEntityArc);
  e.Selected(1);
  e.Segment(1);
  e.Frozen(true);
  e.LegacyType(6105);
  e.LegacyPitch(4.5);
  e.SectFlag(-1);
  e.Sectionname("South");
  e.Name("Ridge");
  e.LocalSpt(e.Ept());
  e.State(kStateAdded);
}
