#include "settings/tgtransbuf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "document/objlist.h"
#include "settings/hostglobals.h"
#include "support/entity_builders.h"
#include "takeoff/tsmartobject.h"

namespace {

// Installs a buffer of its own as the host's transfer buffer for one test.
class TransferBufferTest : public testing::Test {
 protected:
  void SetUp() override { saved_ = SetTransferBuffer(&buffer_); }
  void TearDown() override { SetTransferBuffer(saved_); }

  TGTransBuf buffer_;

 private:
  TGTransBuf* saved_ = nullptr;
};

}  // namespace

TEST(TGTransBuf, StartsWithItsDefaultsAndOwnsItsParts) {
  TGTransBuf buffer;
  EXPECT_EQ(buffer.first_flags, 0);
  EXPECT_EQ(buffer.second_flags, 0);
  EXPECT_EQ(buffer.second_int8, -1);
  EXPECT_EQ(buffer.second_int16, -2);
  EXPECT_STREQ(buffer.first_text128, "");
  ASSERT_NE(buffer.document, nullptr);
  EXPECT_EQ(buffer.document->Noofobjs(), 0);
  ASSERT_NE(buffer.smart_objects, nullptr);
  EXPECT_EQ(buffer.smart_objects->Num(), 0);
  // What it holds goes with it (the leak checker watches).
  buffer.document->Add(new Line3D(MakeLine(0, 0, 4, 0)));
  buffer.smart_objects->Add(new TSmartObject());

  TGTransBuf* saved = SetTransferBuffer(nullptr);
  EXPECT_EQ(SetTGTransferBufferData(16, 2.5, 0), 0);
  EXPECT_EQ(SetTGTransferBufferDataStr(64, "x", 1), 0);
  SetTransferBuffer(saved);
}

TEST_F(TransferBufferTest, FirstBankValues) {
  EXPECT_EQ(SetTGTransferBufferData(16, 2.5, 0), 1);
  EXPECT_STREQ(buffer_.first_text16, "2.50");
  EXPECT_EQ(buffer_.first_flags, 16);
  SetTGTransferBufferData(256, -0.004, 0);
  EXPECT_STREQ(buffer_.first_text256, "-0.00");
  SetTGTransferBufferData(8, -7.9, 0);
  EXPECT_EQ(buffer_.first_int8, -7);
  // A flag without a slot is only recorded; 8 has no text.
  SetTGTransferBufferData(2048, 3.0, 0);
  EXPECT_EQ(buffer_.first_flags, 16 | 256 | 8 | 2048);
  EXPECT_STREQ(buffer_.first_text1, "");
  // Too long for a slot: kept in scientific form, still terminated inside it.
  SetTGTransferBufferData(1, 1e300, 0);
  EXPECT_LT(std::string(buffer_.first_text1).size(), size_t{kTransferTextSize});
  EXPECT_DOUBLE_EQ(std::stod(buffer_.first_text1), 1e300);
  SetTGTransferBufferData(-1, 9.0, 0);
  EXPECT_EQ(buffer_.first_flags, -1);
  EXPECT_EQ(buffer_.first_int8, -7);
}

TEST_F(TransferBufferTest, SecondBankValues) {
  SetTGTransferBufferData(8, 7.99, 1);
  SetTGTransferBufferData(1024, -3.5, 2);
  SetTGTransferBufferData(512, 12.346, 1);
  EXPECT_EQ(buffer_.second_int8, 7);
  EXPECT_EQ(buffer_.second_int1024, -3);
  EXPECT_STREQ(buffer_.second_text512, "12.35");
  EXPECT_EQ(buffer_.second_flags, 8 | 1024 | 512);
  // Hostile values are clamped rather than overflowing.
  SetTGTransferBufferData(1, 1e20, 1);
  SetTGTransferBufferData(2, -1e20, 1);
  SetTGTransferBufferData(4, std::nan(""), 1);
  EXPECT_EQ(buffer_.second_int1, INT32_MAX);
  EXPECT_EQ(buffer_.second_int2, INT32_MIN);
  EXPECT_EQ(buffer_.second_int4, 0);
  // 16 has no first-bank integer: the second bank's stays as it was.
  SetTGTransferBufferData(16, 4.0, 0);
  EXPECT_EQ(buffer_.second_int16, -2);
  EXPECT_EQ(buffer_.first_flags, 16);
}

TEST_F(TransferBufferTest, Texts) {
  SetTGTransferBufferDataStr(64, "ridge", 1);
  SetTGTransferBufferDataStr(128, std::string(300, 'a').c_str(), 0);
  SetTGTransferBufferDataStr(64, nullptr, 0);
  EXPECT_STREQ(buffer_.second_text64, "ridge");
  EXPECT_EQ(std::string(buffer_.first_text128), std::string(kTransferTextSize - 1, 'a'));
  EXPECT_STREQ(buffer_.first_text64, "");
  EXPECT_EQ(buffer_.second_flags, 64);
  EXPECT_EQ(buffer_.first_flags, 128 | 64);
}
