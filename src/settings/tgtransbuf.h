#pragma once
// The transfer buffer: the record through which the drawing hands measured values, texts and
// entities to the host. The host reads the fields directly, so they are public and stay in this
// order; what each slot means is the host's business, only the storing rules live here.

#include <cstdint>
#include <memory>

class Objlist;
class TSmartObjectList;

// Every text slot holds up to 255 characters and its terminator.
inline constexpr int kTransferTextSize = 256;

class TGTransBuf {
 public:
  // Empty texts, the integer defaults below, and a new empty document and smart-object list.
  TGTransBuf();
  // Deletes the document and the smart objects.
  ~TGTransBuf();
  TGTransBuf(const TGTransBuf&) = delete;
  TGTransBuf& operator=(const TGTransBuf&) = delete;

  // Stores a measured value and records the flag. A non-zero bank ORs the flag into second_flags;
  // flags 1, 2, 4, 8, 16, 32 and 1024 keep the value truncated toward zero, 256 and 512 keep it
  // as text with two decimals. Bank 0 ORs into first_flags; flag -1 sets them all and stores
  // nothing; 1, 2, 4, 16, 32 and 256 keep the two-decimal text, 8 the truncated value. Other
  // flags are only recorded. Values beyond the integer range are clamped, NaN stores 0.
  void SetData(int flag, double value, int bank);
  // The same for a text (cut to the slot, null stored as empty): the second bank keeps flag 64's
  // text, the first bank flags 64 and 128; flag -1 in bank 0 sets every first-bank flag.
  void SetDataStr(int flag, const char* text, int bank);

  int32_t first_flags = 0;
  int32_t second_flags = 0;
  int32_t second_int1 = 0;
  int32_t second_int2 = 0;
  int32_t second_int4 = 0;
  int32_t second_int8 = -1;
  int32_t second_int16 = -2;
  int32_t second_int32 = 0;
  int32_t first_int8 = 0;
  int32_t second_int1024 = 0;
  int32_t more_ints[3] = {};
  int32_t integer = 0;
  double numbers[2] = {};
  char second_text64[kTransferTextSize] = {};
  std::unique_ptr<Objlist> document;
  char first_text1[kTransferTextSize] = {};
  char first_text2[kTransferTextSize] = {};
  char first_text4[kTransferTextSize] = {};
  char second_text256[kTransferTextSize] = {};
  char first_text16[kTransferTextSize] = {};
  char first_text32[kTransferTextSize] = {};
  char second_text512[kTransferTextSize] = {};
  char first_text256[kTransferTextSize] = {};
  char first_text64[kTransferTextSize] = {};
  char first_text128[kTransferTextSize] = {};
  char more_texts[3][kTransferTextSize] = {};
  std::unique_ptr<TSmartObjectList> smart_objects;
};
