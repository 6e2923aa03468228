#include "settings/tgtransbuf.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <span>

#include "detail/fixedtext.h"
#include "document/objlist.h"
#include "takeoff/tsmartobject.h"

namespace {

constexpr int kAllFlags = -1;
constexpr int kValueDecimals = 2;

// The value toward zero, clamped to the integer range; NaN gives 0.
int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT32_MAX)) return INT32_MAX;
  if (value <= static_cast<double>(INT32_MIN)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// The value with two decimals, as the host's "%1.2f" shows it, whatever the process locale.
// A value too long for the slot keeps its scientific form.
void FormatValue(char (&slot)[kTransferTextSize], double value) {
  auto [end, ec] = std::to_chars(slot, slot + kTransferTextSize - 1, value,
                                 std::chars_format::fixed, kValueDecimals);
  if (ec != std::errc()) {
    end = std::to_chars(slot, slot + kTransferTextSize - 1, value, std::chars_format::scientific,
                        kValueDecimals)
              .ptr;
  }
  *end = '\0';
}

// Which slot keeps the value of which flag, bank by bank.
using TextField = char (TGTransBuf::*)[kTransferTextSize];
using IntField = int32_t TGTransBuf::*;
struct TextSlot {
  int flag;
  TextField field;
};
struct IntSlot {
  int flag;
  IntField field;
};

constexpr IntSlot kSecondBankIntegers[] = {
    {1, &TGTransBuf::second_int1},      {2, &TGTransBuf::second_int2},
    {4, &TGTransBuf::second_int4},      {8, &TGTransBuf::second_int8},
    {16, &TGTransBuf::second_int16},    {32, &TGTransBuf::second_int32},
    {1024, &TGTransBuf::second_int1024}};
constexpr TextSlot kSecondBankValueTexts[] = {{256, &TGTransBuf::second_text256},
                                              {512, &TGTransBuf::second_text512}};
constexpr TextSlot kSecondBankTexts[] = {{64, &TGTransBuf::second_text64}};

constexpr IntSlot kFirstBankIntegers[] = {{8, &TGTransBuf::first_int8}};
constexpr TextSlot kFirstBankValueTexts[] = {
    {1, &TGTransBuf::first_text1},   {2, &TGTransBuf::first_text2},
    {4, &TGTransBuf::first_text4},   {16, &TGTransBuf::first_text16},
    {32, &TGTransBuf::first_text32}, {256, &TGTransBuf::first_text256}};
constexpr TextSlot kFirstBankTexts[] = {{64, &TGTransBuf::first_text64},
                                        {128, &TGTransBuf::first_text128}};

// Where one bank records its flags and keeps its values.
struct Bank {
  IntField flags;
  std::span<const IntSlot> integers;      // measured values, truncated
  std::span<const TextSlot> value_texts;  // measured values, with two decimals
  std::span<const TextSlot> texts;        // texts
};

constexpr Bank kFirstBank{&TGTransBuf::first_flags, kFirstBankIntegers, kFirstBankValueTexts,
                          kFirstBankTexts};
constexpr Bank kSecondBank{&TGTransBuf::second_flags, kSecondBankIntegers, kSecondBankValueTexts,
                           kSecondBankTexts};

template <typename Slot>
auto FieldOf(std::span<const Slot> slots, int flag) -> decltype(slots[0].field) {
  for (const Slot& slot : slots) {
    if (slot.flag == flag) return slot.field;
  }
  return nullptr;
}

}  // namespace

TGTransBuf::TGTransBuf()
    : document(std::make_unique<Objlist>()), smart_objects(std::make_unique<TSmartObjectList>()) {}

TGTransBuf::~TGTransBuf() = default;

void TGTransBuf::SetData(int flag, double value, int bank) {
  if (bank == 0 && flag == kAllFlags) {
    first_flags = kAllFlags;
    return;
  }
  const Bank& slots = bank != 0 ? kSecondBank : kFirstBank;
  this->*slots.flags |= flag;
  if (IntField number = FieldOf(slots.integers, flag)) this->*number = TruncateToInt32(value);
  if (TextField text = FieldOf(slots.value_texts, flag)) FormatValue(this->*text, value);
}

void TGTransBuf::SetDataStr(int flag, const char* text, int bank) {
  if (bank == 0 && flag == kAllFlags) {
    first_flags = kAllFlags;
    return;
  }
  const Bank& slots = bank != 0 ? kSecondBank : kFirstBank;
  this->*slots.flags |= flag;
  if (TextField slot = FieldOf(slots.texts, flag)) CopyFixedText(this->*slot, text);
}
