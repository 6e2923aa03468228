// Vertex records of a single point through the group-code stream.

#include <gtest/gtest.h>

#include <string>

#include "geometry/point3d.h"
#include "support/stream_fixture.h"

TEST(Point3DPersist, SaveWritesAVertexRecordOnLayerZero) {
  const Point3D p(1.5, -2, 0);
  const std::string text = WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(p.save(&s), 0); });
  EXPECT_EQ(text, "  0\nVERTEX\n  8\n0\n 10\n1.5\n 20\n-2\n 30\n0.0\n");
}

TEST(Point3DPersist, TpsaveWritesInchesAndTheConvertedLayerName) {
  const Point3D p(2, 0.5, 1.25);
  const std::string named =
      WrittenBytes(false, [&](DXFGroup& s) { EXPECT_EQ(p.tpsave(&s, "roof a.1"), 0); });
  EXPECT_EQ(named, "  0\nVERTEX\n  8\nROOF_A_1\n 10\n24\n 20\n6\n 30\n15\n");
  const std::string unnamed = WrittenBytes(false, [&](DXFGroup& s) { p.tpsave(&s); });
  EXPECT_NE(unnamed.find("  8\n0\n"), std::string::npos);
  const std::string empty = WrittenBytes(false, [&](DXFGroup& s) { p.tpsave(&s, ""); });
  EXPECT_EQ(empty, unnamed);
}

TEST(Point3DPersist, RoundTripsInBothForms) {
  for (const bool binary : {false, true}) {
    const Point3D p(123.456789012, -0.001, 7);
    std::string bytes = WrittenBytes(binary, [&](DXFGroup& s) {
      p.save(&s);
      s.PutKeyword(kDxfSeqend);
      s.PutKeyword(kDxfEof);
    });
    StreamOver in(bytes, binary);
    ASSERT_EQ(in.stream.GetGroup(), 0);
    ASSERT_EQ(in.stream.Code(), kDxfVertex);
    Point3D back;
    EXPECT_EQ(back.AddToken(&in.stream), 0) << "binary " << binary;
    EXPECT_NEAR(back.x, p.x, 1e-9);
    EXPECT_DOUBLE_EQ(back.y, p.y);
    EXPECT_DOUBLE_EQ(back.z, p.z);
    // The keyword that ended the vertex was pushed back for the next record.
    EXPECT_EQ(in.stream.GetGroup(), 0);
    EXPECT_EQ(in.stream.Code(), kDxfSeqend);
    EXPECT_EQ(in.stream.GetGroup(), kDxfEnd);
    EXPECT_EQ(in.stream.Code(), kDxfEof);
  }
}

TEST(Point3DPersist, AddTokenReadsTheTagAndSkipsOtherGroups) {
  StreamOver in(" 5\n42\n 50\n90.0\n 10\n1\n 62\n3\n 20\n2\n999\ncomment\n  0\nSEQEND\n", false);
  Point3D p;
  EXPECT_EQ(p.AddToken(&in.stream), 0);
  EXPECT_EQ(p.Id(), 42);
  EXPECT_EQ(p.x, 1.0);
  EXPECT_EQ(p.y, 2.0);
  EXPECT_EQ(p.z, 0.0);
  EXPECT_TRUE(in.stream.Requeued());
  EXPECT_EQ(in.stream.Code(), kDxfSeqend);
}

TEST(Point3DPersist, AddTokenTagTextIsReadLikeAtoiWithoutOverflow) {
  const struct {
    const char* text;
    int id;
  } cases[] = {{"  17", 17},
               {"-3", -3},
               {"12abc", 12},
               {"abc", 0},
               {"", 0},
               {"99999999999999999999", 2147483647},
               {"-99999999999999999999", -2147483647 - 1}};
  for (const auto& c : cases) {
    StreamOver in(std::string("  5\n") + c.text + "\n  0\nSEQEND\n", false);
    Point3D p;
    EXPECT_EQ(p.AddToken(&in.stream), 0) << c.text;
    EXPECT_EQ(p.Id(), c.id) << c.text;
  }
}

TEST(Point3DPersist, AddTokenEndsWithTheEndOfTheFile) {
  // The EOF keyword is the stream's own end result, not a keyword to push back.
  StreamOver in(" 10\n4\n  0\nEOF\n", false);
  Point3D p;
  EXPECT_EQ(p.AddToken(&in.stream), kDxfEnd);
  EXPECT_EQ(in.stream.Code(), kDxfEof);
  EXPECT_EQ(p.x, 4.0);
}

TEST(Point3DPersist, AddTokenReturnsTheStreamFailure) {
  StreamOver truncated(" 10\n1.5\n 20\n", false);
  Point3D p;
  EXPECT_EQ(p.AddToken(&truncated.stream), kDxfLineEof);
  EXPECT_EQ(p.x, 1.5);
  StreamOver badReal(" 10\nabc\n", false);
  EXPECT_EQ(p.AddToken(&badReal.stream), kDxfBadReal);
}

TEST(Point3DPersist, NullStreamIsRefused) {
  Point3D p(1, 2, 3);
  EXPECT_EQ(p.save(nullptr), kDxfEnd);
  EXPECT_EQ(p.tpsave(nullptr, "a"), kDxfEnd);
  EXPECT_EQ(p.AddToken(nullptr), kDxfEnd);
  EXPECT_EQ(p.x, 1.0);
}
