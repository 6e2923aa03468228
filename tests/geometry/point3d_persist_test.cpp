// Vertex records of a single point through the group-code stream.

#include <gtest/gtest.h>

#include <string>

#include "geometry/point3d.h"
#include "support/stream_fixture.h"

TEST(Point3DPersist, SaveAndTpsaveWriteVertexRecords) {
  const Point3D p(2, 0.5, 1.25);
  EXPECT_EQ(WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(p.save(&s), 0); }),
            "  0\nVERTEX\n  8\n0\n 10\n2\n 20\n0.5\n 30\n1.25\n");
  // The exchange form is in inches, with the layer name made acceptable to it.
  EXPECT_EQ(WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(p.tpsave(&s, "roof a.1"), 0); }),
            "  0\nVERTEX\n  8\nROOF_A_1\n 10\n24\n 20\n6\n 30\n15\n");
  const std::string unnamed = WrittenBytes(false, [&](DXFGroup& s) { p.tpsave(&s); });
  EXPECT_NE(unnamed.find("  8\n0\n"), std::string::npos);
  EXPECT_EQ(WrittenBytes(false, [&](DXFGroup& s) { p.tpsave(&s, ""); }), unnamed);
}

TEST(Point3DPersist, RoundTripsInBothFormsAndPushesTheNextKeywordBack) {
  for (const bool binary : {false, true}) {
    const Point3D p(123.456789012, -0.001, 7);
    StreamOver in(WrittenBytes(binary,
                               [&](DXFGroup& s) {
                                 p.save(&s);
                                 s.PutKeyword(kDxfSeqend);
                               }),
                  binary);
    ASSERT_EQ(in.stream.GetGroup(), 0);
    ASSERT_EQ(in.stream.Code(), kDxfVertex);
    Point3D back;
    EXPECT_EQ(back.AddToken(&in.stream), 0) << "binary " << binary;
    EXPECT_NEAR(back.x, p.x, 1e-9);
    EXPECT_EQ(back.y, p.y);
    EXPECT_EQ(back.z, p.z);
    EXPECT_EQ(in.stream.GetGroup(), 0);
    EXPECT_EQ(in.stream.Code(), kDxfSeqend);
  }
}

TEST(Point3DPersist, AddTokenReadsTheTagLikeAtoiAndSkipsOtherGroups) {
  const struct {
    const char* text;
    int id;
  } cases[] = {{"  17", 17},
               {"-3", -3},
               {"12abc", 12},
               {"abc", 0},
               {"99999999999999999999", 2147483647},
               {"-99999999999999999999", -2147483647 - 1}};
  for (const auto& c : cases) {
    StreamOver in(std::string("  5\n") + c.text + "\n 50\n90.0\n 62\n3\n 20\n2\n  0\nSEQEND\n",
                  false);
    Point3D p;
    EXPECT_EQ(p.AddToken(&in.stream), 0) << c.text;
    EXPECT_EQ(p.Id(), c.id) << c.text;
    EXPECT_EQ(p.y, 2.0) << c.text;
  }
}

TEST(Point3DPersist, AddTokenReturnsWhatEndedTheStream) {
  const struct {
    const char* bytes;
    int result;
  } cases[] = {{" 10\n4\n  0\nEOF\n", kDxfEnd},  // the end of the drawing is not pushed back
               {" 10\n4\n 20\n", kDxfLineEof},
               {" 10\n4\n 20\nabc\n", kDxfBadReal}};
  for (const auto& c : cases) {
    StreamOver in(c.bytes, false);
    Point3D p;
    EXPECT_EQ(p.AddToken(&in.stream), c.result) << c.bytes;
    EXPECT_EQ(p.x, 4.0) << c.bytes;
  }
  Point3D p(1, 2, 3);
  EXPECT_EQ(p.save(nullptr), kDxfEnd);
  EXPECT_EQ(p.tpsave(nullptr, "a"), kDxfEnd);
  EXPECT_EQ(p.AddToken(nullptr), kDxfEnd);
  EXPECT_EQ(p.x, 1.0);
}
