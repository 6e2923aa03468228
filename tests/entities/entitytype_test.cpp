#include "entities/entitytype.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct KindRow {
  int code;
  const char* record;   // nullptr: no record of its own
  const char* display;  // nullptr: never shown
};

// The kind table as the file format and the takeoff display know it.
const KindRow kKinds[] = {
    {2000, nullptr, "Unknown Graphic Type"},
    {2001, "LINE", "Line"},
    {2002, "VERTEX", nullptr},
    {2003, "ELLIPSE", "Ellipse"},
    {2004, "CIRCLE", "Circle"},
    {2005, "ARC", "Arc"},
    {2006, "POLYLINE", "Polygon"},
    {2007, nullptr, "Polyline"},
    {2008, "TEXT", "Text"},
    {2009, "DIMENSION", "Dimension"},
    {2010, nullptr, "Leader"},
    {2011, "INSERT", "Symbol"},
    {2012, "REDGE", "Pitched Edge"},
    {2013, "PCURVE", "Freestyle"},
    {2014, "IMAGE", "Image"},
    {2015, "EDGE", "Edge"},
    {2016, "BLOCK", "SybolDef"},
    {2017, "CHORD", "Unknown Graphic Type"},
    {2018, "TRACE", nullptr},
    {2019, "SEGMENT", nullptr},
    {2020, "SOLID", nullptr},
};

std::string Text(const char* s) {
  return s != nullptr ? s : "(none)";
}

}  // namespace

TEST(EntityType, EveryKindHasItsRecordAndDisplayName) {
  for (const KindRow& row : kKinds) {
    EXPECT_EQ(Text(EntityRecordName(row.code)), Text(row.record)) << row.code;
    EXPECT_EQ(Text(EntityDisplayName(row.code)), Text(row.display)) << row.code;
  }
}

TEST(EntityType, CodesOutsideTheTableAreUnknown) {
  for (int code : {-1, 0, 1999, 2021, 6101}) {
    EXPECT_EQ(EntityRecordName(code), nullptr) << code;
    EXPECT_STREQ(EntityDisplayName(code), "Unknown Graphic Type") << code;
  }
}
