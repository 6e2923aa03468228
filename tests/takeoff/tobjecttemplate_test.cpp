// Takeoff templates: the type profile, the tool rules that make sizes measured or typed, the
// completion of attributes, the repairs of templates read from older files, ownership of the
// symbol and label, and items built from a template.

#include "takeoff/tobjecttemplate.h"

#include <gtest/gtest.h>

#include <string>

#include "entities/block3d.h"
#include "entities/text3d.h"
#include "support/linked_keys.h"
#include "takeoff/smartobjecttypes.h"
#include "takeoff/tsmartobject.h"
#include "takeoff/ttgattriblist.h"
#include "takeoff/ttgattribute.h"

namespace {

constexpr const char* kGuid = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";

// How the attribute of that property type is to be filled in: "measured" (source 0, read-only),
// "typed" (source 1, editable), "none" without one, "other" for any other mix.
std::string Mode(const TObjectTemplate& t, int proptype) {
  const TTGAttribute* a = t.GetAttribute(proptype);
  if (a == nullptr) return "none";
  if (a->Propsource() == kPropSourceMeasured && a->ReadOnly()) return "measured";
  if (a->Propsource() == kPropSourceUser && !a->ReadOnly()) return "typed";
  return "other";
}

// "tag=value" of each attribute in list order.
std::string Attribs(const TObjectTemplate& t) {
  std::string out;
  for (const TTGAttribItem* i = t.GetAttribList()->Head(); i != nullptr; i = i->Next()) {
    char* value = i->Attrib()->GetValue();
    Append(out, std::string(i->Attrib()->GetTag()) + "=" + (value ? value : "?"));
    delete[] value;
  }
  return out;
}

TObjectTemplate Make(const char* name, int type) {
  return TObjectTemplate(name, type, 0, 0, 1, -1, -2);
}

}  // namespace

TEST(TObjectTemplate, FreshTemplateTakesTheProfileOfItsType) {
  const TObjectTemplate walkpad("Walkpad", 6139, 3, 2, 4, 5, 6);
  EXPECT_EQ(Attribs(walkpad), "Length=8.00,Width=10.00,Spacing=1.00");
  EXPECT_EQ(walkpad.Tool(), 21);
  EXPECT_EQ(Mode(walkpad, kPropSpacing), "measured");
  EXPECT_EQ(walkpad.Fields(), kFieldArea | kFieldLength | kFieldCount);
  EXPECT_EQ(walkpad.Linetype(), 2);
  EXPECT_EQ(walkpad.FillPattern(), 6);

  // Generic has no profile: no attributes, no quantities, the starting tool.
  const TObjectTemplate generic = Make(std::string(60, 'g').c_str(), 6100);
  EXPECT_EQ(generic.GetAttribList()->Count(), 0);
  EXPECT_EQ(generic.Fields(), 0);
  EXPECT_EQ(generic.Tool(), 19);
  EXPECT_EQ(std::string(generic.Name()), std::string(49, 'g'));
}

TEST(TObjectTemplate, ToolDecidesWhichSizesAreMeasured) {
  TObjectTemplate curb = Make("Curb", 6108);
  EXPECT_EQ(Mode(curb, kPropLength) + Mode(curb, kPropWidth), "typedtyped");  // tool 21
  curb.Tool(8);
  EXPECT_EQ(Mode(curb, kPropLength) + Mode(curb, kPropWidth), "measuredmeasured");
  curb.Tool(2);  // not a tool of box items: nothing changes
  EXPECT_EQ(Mode(curb, kPropLength), "measured");
  curb.Tool(10);
  EXPECT_EQ(Mode(curb, kPropWidth), "typed");

  TObjectTemplate area = Make("Patch", 6176);
  area.Tool(29);
  EXPECT_EQ(Mode(area, kPropLength) + Mode(area, kPropWidth), "measuredmeasured");

  TObjectTemplate length = Make("Run", 6116);
  EXPECT_EQ(Mode(length, kPropLength) + Mode(length, kPropWidth), "measuredtyped");  // tool 1
  length.Tool(29);
  EXPECT_EQ(Mode(length, kPropLength), "typed");

  TObjectTemplate walkpad = Make("Walkpad", 6139);
  walkpad.Tool(22);  // outside the walkpad's tools: still measured
  EXPECT_EQ(Mode(walkpad, kPropSpacing), "measured");
  walkpad.Tool(9);
  EXPECT_EQ(Mode(walkpad, kPropSpacing), "typed");

  TObjectTemplate screen = Make("Screen", 6143);
  screen.Tool(19);
  EXPECT_EQ(Mode(screen, kPropLength) + Mode(screen, kPropWidth), "measuredtyped");

  // Not to scale: a measured size stays measured but the user must be able to enter it.
  curb.Tool(8);
  curb.NotToScale(true);
  EXPECT_FALSE(curb.IsReadOnly(kPropLength));
  EXPECT_EQ(curb.GetAttribute(kPropLength)->Propsource(), kPropSourceMeasured);
  curb.NotToScale(false);
  EXPECT_EQ(Mode(curb, kPropLength), "measured");
}

TEST(TObjectTemplate, CountConditionCountsByOnCenterAlongALine) {
  for (const int type : {6117, 6178}) {
    TObjectTemplate count = Make("Count", type);
    EXPECT_EQ(Attribs(count), "Length=1.00,Width=1.00,Count=1.00");
    count.SetAttrib(kPropSourceUser, kPropCount, kDataTypeDouble, "4");
    count.Tool(1);
    EXPECT_EQ(Attribs(count), "Length=1.00,Width=1.00,On Center=4.00");
    EXPECT_EQ(Mode(count, kPropSpacing), "typed");
    count.ValidateAttribs();  // the spacing stands for the count: nothing is added
    EXPECT_EQ(count.GetAttribList()->Count(), 3);
    count.Tool(21);
    EXPECT_EQ(Attribs(count), "Length=1.00,Width=1.00,Count=4.00");
    EXPECT_EQ(Mode(count, kPropCount), "typed");
  }
}

TEST(TObjectTemplate, ValidateAttribsAddsOnlyWhatIsMissing) {
  TObjectTemplate curb = Make("Curb", 6108);
  curb.ClearAttribs();
  curb.AddAttrib("Length", kPropLength, kDataTypeDouble, false, "3.5");
  curb.Tool(8);
  curb.ValidateAttribs();
  EXPECT_EQ(Attribs(curb), "Length=3.50,Width=10.00");
  EXPECT_EQ(Mode(curb, kPropWidth), "measured");  // the new size follows the tool too

  TObjectTemplate walkpad = Make("Walkpad", 6139);
  walkpad.ClearAttribs();
  walkpad.ValidateAttribs();
  EXPECT_EQ(Attribs(walkpad), "Spacing=1.00");

  TObjectTemplate count = Make("Count", 6117);
  count.ClearAttribs();
  count.ValidateAttribs();
  EXPECT_EQ(Attribs(count), "Count=1.00");

  // Read-only attributes are the ones cleared; the editable count follows.
  TObjectTemplate opening = Make("Opening", 6151);
  opening.AddAttrib("Note", kPropNone, kDataTypeString, false, "x");
  EXPECT_EQ(opening.HasAttributes(), 1);
  opening.ClearReadOnlyAttribs();
  EXPECT_EQ(Attribs(opening), "Note=x");
}

TEST(TObjectTemplate, RepairAfterReadBringsOldTemplatesUpToDate) {
  TObjectTemplate line = Make("Edge", 6100);
  line.Tool(11);
  line.RepairAfterRead(0);
  EXPECT_EQ(line.Tool(), 11);
  line.RepairAfterRead(kTemplateFileBefore31);
  EXPECT_EQ(line.Tool(), 1);

  TObjectTemplate eave = Make("Eave", 6105);
  eave.ClearAttribs();
  eave.RepairAfterRead(0);
  EXPECT_EQ(Attribs(eave), "Pitch=0.00,Height=0.00,Overhang=0.00");
  TObjectTemplate rake = Make("Rake", 6107);
  rake.ClearAttribs();
  rake.RepairAfterRead(0);
  EXPECT_EQ(Attribs(rake), "Overhang=0.00");

  TObjectTemplate roof = Make("roof PERIMETER (dig)", 6101);
  roof.AddAttrib("Height", kPropHeight, kDataTypeDouble, false, "2");
  roof.AddAttrib("Pitch", kPropPitch, kDataTypeDouble, false, "6");
  roof.RepairAfterRead(0);
  EXPECT_EQ(roof.RFlag(), 6114);
  EXPECT_EQ(Attribs(roof), "Name=Roof A");

  // An opening named as a pitched one becomes one; its roof reference names the roof plane.
  TObjectTemplate named = Make("PITCHED OPENING", 6110);
  named.RepairAfterRead(0);
  EXPECT_EQ(named.RFlag(), 6151);
  EXPECT_EQ(Attribs(named), "RoofPlaneID=0,Pitch=0.00");
  EXPECT_TRUE(named.IsReadOnly(kPropRoofPlaneId));
  EXPECT_TRUE(named.IsReadOnly(kPropPitch));
  EXPECT_EQ(named.GetAttribute(kPropPitch)->Propsource(), kPropSourceUser);

  // Any other opening decides by its pitch.
  TObjectTemplate steep = Make("Vent hole", 6110);
  steep.AddAttrib("Pitch", kPropPitch, kDataTypeDouble, false, "4");
  steep.RepairAfterRead(0);
  EXPECT_EQ(steep.RFlag(), 6151);
  EXPECT_EQ(Attribs(steep), "RoofPlaneID=0,Pitch=4.00");
  TObjectTemplate flat = Make("Vent hole", 6110);
  flat.AddAttrib("Pitch", kPropPitch, kDataTypeDouble, false, "0");
  flat.RepairAfterRead(0);
  EXPECT_EQ(flat.RFlag(), 6110);
  EXPECT_EQ(Attribs(flat), "RoofID=0");

  TObjectTemplate filled = Make("Fill", 6100);
  filled.FillPattern(3);
  filled.RepairAfterRead(0);
  EXPECT_EQ(filled.FillPattern(), -2);  // no fill colour, so no pattern
}

TEST(TObjectTemplate, OwnsItsSymbolAndLabelAndCopiesThemDeeply) {
  const int blocks = Block3D::LiveCount();
  const int texts = Text3D::LiveCount();
  {
    TObjectTemplate drain = Make("Drain", 6109);
    drain.SetSymbol(new Block3D("Drain", kTemplateBlocktype, 0, 1.0, nullptr));
    drain.SetSymbol(new Block3D("Drain 2", kTemplateBlocktype, 0, 1.0, nullptr));
    drain.SetText(new Text3D(nullptr, "D", 10.0, 0.0));
    drain.Layername("");
    EXPECT_EQ(drain.Layername(), nullptr);
    drain.Layername("Drains");
    EXPECT_EQ(Block3D::LiveCount(), blocks + 1);

    TObjectTemplate copy(drain);
    ASSERT_NE(copy.GetSymbol(), drain.GetSymbol());
    EXPECT_STREQ(copy.GetSymbol()->Blockname(), "Drain 2");
    EXPECT_STREQ(copy.GetText()->GetText(), "D");
    EXPECT_STREQ(copy.Layername(), "Drains");
    copy.SetAttrib(kPropSourceUser, kPropDiameter, kDataTypeDouble, "9");
    EXPECT_EQ(Attribs(drain), "Diameter=1.00");

    copy.SetText(nullptr);  // the label never goes away, it becomes empty
    ASSERT_NE(copy.GetText(), nullptr);
    EXPECT_EQ(copy.GetText()->NumLines(), 0);
    copy.Set(&drain);
    EXPECT_EQ(Attribs(copy), "Diameter=1.00");
    EXPECT_STREQ(copy.GetText()->GetText(), "D");
    delete drain.Copy();
    EXPECT_EQ(Block3D::LiveCount(), blocks + 2);
  }
  EXPECT_EQ(Block3D::LiveCount(), blocks);
  EXPECT_EQ(Text3D::LiveCount(), texts);
}

TEST(TObjectTemplate, ItemsBuiltFromATemplateTakeItsTypedAttributes) {
  TObjectTemplate curb = Make("Curb", 6108);
  curb.Tool(8);  // length and width become measured: the item measures its own
  curb.GetAttribList()->SetSort("Height");
  curb.SetGuid(kGuid);
  curb.SetRoofGuid("{00000000-0000-0000-0000-000000000000}");
  curb.SetRoofId(7);
  curb.LegendOrder(3);
  curb.NotToScale(true);

  const TSmartObject item(&curb);
  EXPECT_STREQ(item.Name(), "Curb");
  EXPECT_EQ(item.RFlag(), 6108);
  EXPECT_EQ(item.GetAttribList()->Count(), 1);
  EXPECT_STREQ(item.GetAttribList()->Head()->Attrib()->GetTag(), "Height");
  EXPECT_STREQ(item.SortValue(), "0.00");
  EXPECT_STREQ(item.GetGuid(), kGuid);
  EXPECT_STREQ(item.GetRoofGuid(), "");  // not a valid GUID
  EXPECT_EQ(item.GetUserRId(), 7);
  EXPECT_EQ(item.GetRId(), 0);
  EXPECT_EQ(item.LegendOrder(), 3);
  EXPECT_TRUE(item.NotToScale());
}
