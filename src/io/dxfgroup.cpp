#include "io/dxfgroup.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace {

// ---- Process-wide state ----

// Advanced by every read; the file reader resets it before a load and reports it as progress.
uint32_t g_bytes_consumed = 0;

void CountBytes(size_t count) {
  g_bytes_consumed += static_cast<uint32_t>(count);
}

// ---- Sizes of the formats ----

// A text line holds at most this many characters; longer lines are cut.
constexpr size_t kMaxLineLength = kDxfLineSize - 1;
// Enough bytes to see the end of a line of maximum length, with "\r\n" after it.
constexpr size_t kLineWindow = kMaxLineLength + 2;
// The string size GetGroup passes to GetText; a binary string keeps size - 1 = 510 characters.
constexpr int kGroupTextSize = kDxfLineSize - 1;
// Code byte that announces a 2-byte code in the binary form.
constexpr unsigned char kEscapeCodeByte = 255;
constexpr size_t kBinaryIntSize = 2;
constexpr size_t kBinaryRealSize = 8;
// What a binary string cut off by the end of the file reads as.
constexpr char kEndOfFileText[] = "EOF";

// ---- Keyword tables ----

struct Keyword {
  const char* text;
  size_t length;
  short code;
};

// Sorted by length so that a look-up only compares entries of the text's own length.
constexpr Keyword kKeywords[] = {
    {"EOF", 3, kDxfEof},
    {"UCS", 3, kDxfUcs},
    {"ARC", 3, kDxfArc},
    {"VIEW", 4, kDxfView},
    {"BASE", 4, kDxfBase},
    {"LINE", 4, kDxfLine},
    {"TEXT", 4, kDxfText},
    {"EDGE", 4, kDxfEdge},
    {"TABLE", 5, kDxfTable},
    {"APPID", 5, kDxfAppid},
    {"LAYER", 5, kDxfLayer},
    {"LTYPE", 5, kDxfLtype},
    {"STYLE", 5, kDxfStyle},
    {"VPORT", 5, kDxfVport},
    {"REDGE", 5, kDxfRedge},
    {"IMAGE", 5, kDxfImage},
    {"BLOCK", 5, kDxfBlock},
    {"CHORD", 5, kDxfChord},
    {"TRACE", 5, kDxfTrace},
    {"SOLID", 5, kDxfSolid},
    {"ENDSEC", 6, kDxfEndsec},
    {"ENDTAB", 6, kDxfEndtab},
    {"ENDBLK", 6, kDxfEndblk},
    {"SEQEND", 6, kDxfSeqend},
    {"ATTRIB", 6, kDxfAttrib},
    {"VERTEX", 6, kDxfVertex},
    {"CIRCLE", 6, kDxfCircle},
    {"INSERT", 6, kDxfInsert},
    {"PCURVE", 6, kDxfPcurve},
    {"SECTION", 7, kDxfSection},
    {"ENDTEMP", 7, kDxfEndtemp},
    {"ENDBASE", 7, kDxfEndBase},
    {"ELLIPSE", 7, kDxfEllipse},
    {"SEGMENT", 7, kDxfSegment},
    {"DIMSTYLE", 8, kDxfDimstyle},
    {"TEMPLATE", 8, kDxfTemplate},
    {"RSECTION", 8, kDxfRSection},
    {"VIEWPORT", 8, kDxfViewport},
    {"POLYLINE", 8, kDxfPolyline},
    {"ENDATTRIB", 9, kDxfEndAttrib},
    {"DIMENSION", 9, kDxfDimension},
    {"ENDRSECTION", 11, kDxfEndRSection},
    {"SMARTOBJECT", 11, kDxfSmartObject},
    {"ENDSMARTOBJ", 11, kDxfEndSmartObj},
    {"SECTIONDATA", 11, kDxfSectionData},
    {"ENDSECTIONDATA", 14, kDxfEndSectionData},
};
constexpr size_t kKeywordCount = std::size(kKeywords);
constexpr size_t kLongestKeyword = 14;

// Names of a code-2 group that become section codes.
constexpr Keyword kSectionNames[] = {
    {"HEADER", 6, kDxfHeader},       {"TABLES", 6, kDxfTables},     {"BLOCKS", 6, kDxfBlocks},
    {"RSECTIONS", 9, kDxfRSections}, {"ENTITIES", 8, kDxfEntities},
};

constexpr size_t TextLength(const char* text) {
  size_t length = 0;
  while (text[length] != '\0')
    ++length;
  return length;
}

template <size_t kCount>
constexpr bool LengthsMatch(const Keyword (&table)[kCount]) {
  for (const Keyword& entry : table) {
    if (TextLength(entry.text) != entry.length) return false;
  }
  return true;
}

constexpr bool KeywordsSortedByLength() {
  for (size_t i = 1; i < kKeywordCount; ++i) {
    if (kKeywords[i - 1].length > kKeywords[i].length) return false;
  }
  return kKeywords[kKeywordCount - 1].length == kLongestKeyword;
}
static_assert(LengthsMatch(kKeywords) && LengthsMatch(kSectionNames));
static_assert(KeywordsSortedByLength());

// First table index of every length, and one past the last.
struct LengthBucket {
  unsigned char begin = 0;
  unsigned char end = 0;
};
constexpr std::array<LengthBucket, kLongestKeyword + 1> MakeLengthBuckets() {
  std::array<LengthBucket, kLongestKeyword + 1> buckets{};
  for (size_t i = kKeywordCount; i-- > 0;) {
    LengthBucket& bucket = buckets[kKeywords[i].length];
    if (bucket.end == 0) bucket.end = static_cast<unsigned char>(i + 1);
    bucket.begin = static_cast<unsigned char>(i);
  }
  return buckets;
}
constexpr auto kLengthBuckets = MakeLengthBuckets();

// Keyword codes lie in two compact ranges; the text of each is found by indexing.
constexpr int kStructureFirst = kDxfSection;
constexpr int kStructureLast = kDxfEndBase;
constexpr int kEntityFirst = kDxfLine;
constexpr int kEntityLast = kDxfSolid;

struct KeywordTexts {
  std::array<const char*, kStructureLast - kStructureFirst + 1> structure{};
  std::array<const char*, kEntityLast - kEntityFirst + 1> entity{};
};
constexpr KeywordTexts MakeKeywordTexts() {
  KeywordTexts texts;
  for (const Keyword& keyword : kKeywords) {
    if (keyword.code >= kEntityFirst) {
      texts.entity[keyword.code - kEntityFirst] = keyword.text;
    } else {
      texts.structure[keyword.code - kStructureFirst] = keyword.text;
    }
  }
  return texts;
}
constexpr KeywordTexts kKeywordTexts = MakeKeywordTexts();

short SectionCode(const char* name) {
  const size_t length = std::strlen(name);
  for (const Keyword& section : kSectionNames) {
    if (section.length == length && std::memcmp(section.text, name, length) == 0) {
      return section.code;
    }
  }
  return 0;
}

// ---- Value types by group code ----

enum class ValueType { kKeyword, kName, kString, kReal, kInteger, kRawLine };

// The type a group's value is read as, by the ranges of codes from 0 up.
constexpr ValueType ReadTypeByRange(int code) {
  if (code == 0) return ValueType::kKeyword;
  if (code == 2) return ValueType::kName;
  if (code < 10) return ValueType::kString;
  if (code < 60) return ValueType::kReal;
  if (code < 80) return ValueType::kInteger;
  if (code < 210) return ValueType::kRawLine;
  if (code < 240) return ValueType::kReal;
  if (code < 1000) return ValueType::kRawLine;
  if (code < 1010) return ValueType::kString;
  if (code < 1060) return ValueType::kReal;
  if (code < 1080) return ValueType::kInteger;
  return ValueType::kRawLine;
}

// Every code from 0 to 1079 looked up at once; the code of each group is classified.
constexpr int kTypedCodes = 1080;
constexpr std::array<ValueType, kTypedCodes> MakeReadTypes() {
  std::array<ValueType, kTypedCodes> types{};
  for (int code = 0; code < kTypedCodes; ++code)
    types[code] = ReadTypeByRange(code);
  return types;
}
constexpr auto kReadTypes = MakeReadTypes();

// The type a group's value is read as (for codes of 0 and above). A code reached through the
// binary escape has its own, shorter table: only the extended-data ranges have a type,
// everything else is a raw line.
ValueType ReadTypeOf(short code, bool escaped) {
  if (escaped) {
    if (code >= 1000 && code <= 1009) return ValueType::kString;
    if (code >= 1010 && code <= 1059) return ValueType::kReal;
    if (code >= 1060 && code <= 1079) return ValueType::kInteger;
    return ValueType::kRawLine;
  }
  return code < kTypedCodes ? kReadTypes[code] : ValueType::kRawLine;
}

// The type a group's value is written as. There is no raw-line type: those ranges are written
// as integers.
ValueType WriteTypeOf(short code) {
  if (code < 10) return ValueType::kString;
  if (code < 60) return ValueType::kReal;
  if (code < 210) return ValueType::kInteger;
  if (code < 240) return ValueType::kReal;
  if (code < 1000) return ValueType::kInteger;
  if (code < 1010) return ValueType::kString;
  if (code < 1060) return ValueType::kReal;
  return ValueType::kInteger;
}

// ---- Number parsing, independent of the locale ----

// The blanks that scanf skips before a number in the C locale: ' ' and '\t' '\n' '\v' '\f' '\r'.
bool IsBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

const char* SkipBlanks(const char* text) {
  while (IsBlank(*text))
    ++text;
  return text;
}

struct ParsedShort {
  bool found = false;     // at least one digit
  bool in_range = false;  // the number fits 16 bits without wrapping
  short value = 0;        // the number reduced to 16 bits (two's complement)
};

// Reads an integer like "%hd": blanks, an optional sign, digits; trailing characters are
// ignored. The value is kept modulo 2^16 while reading, so no digit count can overflow.
ParsedShort ParseShort(const char* text) {
  const char* p = text;
  while (*p == ' ')
    ++p;  // the padding of "%3d" and "%6d" lines
  p = SkipBlanks(p);
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  ParsedShort parsed;
  if (!IsDigit(*p)) return parsed;
  constexpr uint32_t kLimit = 32768;  // magnitude of the most negative short
  uint32_t wrapped = 0;
  uint32_t magnitude = 0;  // stops growing once past the limit
  for (; IsDigit(*p); ++p) {
    const uint32_t digit = static_cast<uint32_t>(*p - '0');
    wrapped = (wrapped * 10 + digit) & 0xFFFFu;
    if (magnitude <= kLimit) magnitude = magnitude * 10 + digit;
  }
  if (negative) wrapped = (0x10000u - wrapped) & 0xFFFFu;
  parsed.found = true;
  parsed.in_range = negative ? magnitude <= kLimit : magnitude < kLimit;
  parsed.value = static_cast<short>(static_cast<uint16_t>(wrapped));
  return parsed;
}

// Code lines are written "%3d": three characters, digits right-aligned after blanks.
constexpr size_t kWrittenCodeWidth = 3;

// Reads a code line of exactly that shape ("  0", " 10", "999") without a loop; false for any
// other line, which then takes the general way.
bool ParseWrittenCode(const char* line, short* code) {
  const unsigned first = static_cast<unsigned char>(line[0]) - '0';
  const unsigned second = static_cast<unsigned char>(line[1]) - '0';
  const unsigned third = static_cast<unsigned char>(line[2]) - '0';
  const bool firstDigit = first <= 9;
  const bool secondDigit = second <= 9;
  const bool firstBlank = line[0] == ' ';
  const bool secondBlank = line[1] == ' ';
  const bool shaped =
      (third <= 9) & (firstDigit | firstBlank) & (secondDigit | (secondBlank & firstBlank));
  if (!shaped) return false;
  const unsigned value = (firstDigit ? first * 100 : 0) + (secondDigit ? second * 10 : 0) + third;
  if (code != nullptr) *code = static_cast<short>(value);
  return true;
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
constexpr uint64_t kMaxExactMantissa = uint64_t{1} << 53;
constexpr int kMaxMantissaDigits = 19;  // fits 64 bits

// Appends the digits at q to the mantissa and advances q past them; false when there are more
// digits than 64 bits hold.
bool AccumulateDigits(const char*& q, const char* end, uint64_t& mantissa, int& digits) {
  const char* first = q;
  // Unsigned arithmetic wraps harmlessly on overlong runs; the count below rejects them.
  for (; q < end && IsDigit(*q); ++q)
    mantissa = mantissa * 10 + static_cast<uint64_t>(*q - '0');
  digits += static_cast<int>(q - first);
  return digits <= kMaxMantissaDigits;
}

// Most reals of a file are plain decimals such as "-12.3456789012". Their digits form an
// integer below 2^53 and their scale is a power of ten up to 10^22, both exact in a double, so
// one division gives the correctly rounded value, the same as a full parse. Anything else (an
// exponent, more digits, no digits) is left to the full parse: false.
bool ParsePlainDecimal(const char* p, const char* end, double* value) {
  const bool negative = p < end && *p == '-';
  if (negative) ++p;
  uint64_t mantissa = 0;
  int digits = 0;
  const char* q = p;
  if (!AccumulateDigits(q, end, mantissa, digits)) return false;
  bool anyDigit = q != p;
  int fraction = 0;
  if (q < end && *q == '.') {
    const char* first = ++q;
    if (!AccumulateDigits(q, end, mantissa, digits)) return false;
    fraction = static_cast<int>(q - first);
    anyDigit = anyDigit || fraction > 0;
  }
  if (!anyDigit || (q < end && (*q == 'e' || *q == 'E'))) return false;
  if (mantissa > kMaxExactMantissa || fraction > kMaxExactPower) return false;
  const double magnitude = static_cast<double>(mantissa) / kExactPowersOfTen[fraction];
  *value = negative ? -magnitude : magnitude;
  return true;
}

// Reads a real like "%lf" but without the locale: blanks, one optional '+', then the longest
// valid prefix. A value that is not finite (nan, inf, out of range) is refused so that it never
// reaches the geometry.
bool ParseReal(const char* text, const char* end, double* value) {
  const char* p = SkipBlanks(text);
  if (*p == '+') {
    ++p;
    if (*p == '+' || *p == '-') return false;
  }
  if (ParsePlainDecimal(p, end, value)) return true;
  double parsed = 0.0;
  const std::from_chars_result result = std::from_chars(p, end, parsed, std::chars_format::general);
  if (result.ec != std::errc() || !std::isfinite(parsed)) return false;
  *value = parsed;
  return true;
}

// ---- Number formatting, independent of the locale ----

// Integers right-aligned in a field like "%3d" / "%6d" (wider numbers are not cut), then '\n'.
size_t FormatInteger(int value, int width, char* out, size_t capacity) {
  char digits[16];
  const std::to_chars_result result = std::to_chars(digits, digits + sizeof digits, value);
  const size_t length = static_cast<size_t>(result.ptr - digits);
  const size_t field = static_cast<size_t>(width);
  const size_t padding = length < field ? field - length : 0;
  if (padding + length + 1 > capacity) return 0;
  std::memset(out, ' ', padding);
  std::memcpy(out + padding, digits, length);
  out[padding + length] = '\n';
  return padding + length + 1;
}

// Significant digits of a written real ("%.12lg").
constexpr int kRealDigits = 12;

// A real as "%.12lg" would print it in the C locale, except that zero is "0.0" ("%.1lf"),
// then '\n'.
size_t FormatReal(double value, char* out, size_t capacity) {
  if (value == 0.0) {
    const char* zero = std::signbit(value) ? "-0.0\n" : "0.0\n";
    const size_t length = std::strlen(zero);
    if (length > capacity) return 0;
    std::memcpy(out, zero, length);
    return length;
  }
  const std::to_chars_result result =
      std::to_chars(out, out + capacity - 1, value, std::chars_format::general, kRealDigits);
  if (result.ec != std::errc()) return 0;
  *result.ptr = '\n';
  return static_cast<size_t>(result.ptr - out) + 1;
}

// ---- Little-endian values ----

uint16_t LoadLittle16(const unsigned char* bytes) {
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint64_t LoadLittle64(const unsigned char* bytes) {
  uint64_t value = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&value, bytes, sizeof value);  // one load where the order already matches
  } else {
    for (int i = 7; i >= 0; --i)
      value = (value << 8) | bytes[i];
  }
  return value;
}

void StoreLittle16(uint16_t value, unsigned char* bytes) {
  bytes[0] = static_cast<unsigned char>(value & 0xFF);
  bytes[1] = static_cast<unsigned char>(value >> 8);
}

void StoreLittle64(uint64_t value, unsigned char* bytes) {
  for (int i = 0; i < 8; ++i)
    bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

// ---- Unlocked stdio where the C library has it ----

size_t ReadFile(void* data, size_t size, FILE* file) {
#ifdef __GLIBC__
  return fread_unlocked(data, 1, size, file);
#else
  return std::fread(data, 1, size, file);
#endif
}

size_t WriteFile(const void* data, size_t size, FILE* file) {
#ifdef __GLIBC__
  return fwrite_unlocked(data, 1, size, file);
#else
  return std::fwrite(data, 1, size, file);
#endif
}

// The first byte of the given value, or null. Most lines and strings of a group file are a few
// characters long, and a short loop finds their end sooner than a library call does.
template <class Byte>
const Byte* FindByte(const Byte* data, size_t size, Byte value) {
  constexpr size_t kShortRun = 16;
  const size_t quick = std::min(size, kShortRun);
  for (size_t i = 0; i < quick; ++i) {
    if (data[i] == value) return data + i;
  }
  if (size <= quick) return nullptr;
  return static_cast<const Byte*>(std::memchr(data + quick, value, size - quick));
}

// Copies a line of known length and terminates it. Short lines, by far the most common, are
// moved as one fixed-size block when the source has room for it: far cheaper than a library call
// for a few bytes. The bytes past the line are overwritten by the terminator or never read.
void CopyLine(char* dest, const void* source, size_t length, size_t sourceRoom) {
  constexpr size_t kBlock = 32;
  if (length < kBlock && sourceRoom >= kBlock) {
    std::memcpy(dest, source, kBlock);
  } else {
    std::memcpy(dest, source, length);
  }
  dest[length] = '\0';
}

// Copies at most capacity - 1 characters of a C string and terminates the copy.
void CopyBounded(char* dest, size_t capacity, const char* text) {
  if (capacity == 0) return;
  const size_t length = text == nullptr ? 0 : strnlen(text, capacity - 1);
  std::memcpy(dest, text == nullptr ? "" : text, length);
  dest[length] = '\0';
}

}  // namespace

// ---- Construction ----

DXFGroup::DXFGroup() = default;

DXFGroup::DXFGroup(FILE* file, bool binary) : binary_(binary), file_(file) {}

DXFGroup::~DXFGroup() = default;

void DXFGroup::File(FILE* file) {
  file_ = file;
  requeued_ = false;
  DropInput();
}

void DXFGroup::StringValue(const char* text) {
  CopyBounded(string_value_, kDxfLineSize, text);
}

// ---- Keyword tables ----

const char* DXFGroup::KeywordText(int code) {
  if (code >= kStructureFirst && code <= kStructureLast) {
    return kKeywordTexts.structure[code - kStructureFirst];
  }
  if (code >= kEntityFirst && code <= kEntityLast) return kKeywordTexts.entity[code - kEntityFirst];
  return nullptr;
}

short DXFGroup::KeywordCode(const char* text) {
  if (text == nullptr) return kDxfUnknownKeyword;
  size_t length = 0;
  while (length <= kLongestKeyword && text[length] != '\0')
    ++length;
  if (length > kLongestKeyword) return kDxfUnknownKeyword;
  const LengthBucket bucket = kLengthBuckets[length];
  for (size_t i = bucket.begin; i < bucket.end; ++i) {
    if (std::memcmp(kKeywords[i].text, text, length) == 0) return kKeywords[i].code;
  }
  return kDxfUnknownKeyword;
}

// ---- Bytes-consumed counter ----

uint32_t DXFGroup::BytesConsumed() {
  return g_bytes_consumed;
}

void DXFGroup::ResetBytesConsumed() {
  g_bytes_consumed = 0;
}

// ---- Groups ----

int DXFGroup::GetGroup() {
  if (requeued_) {
    requeued_ = false;
    return kDxfOk;
  }
  short code = 0;
  int result = GetCode(&code);
  if (result != kDxfOk) return result;
  code_ = code;
  if (code < 0) return kDxfNegativeCode;

  switch (ReadTypeOf(code, escaped_code_)) {
    case ValueType::kKeyword:
      result = GetText(string_value_, kGroupTextSize);
      if (result != kDxfOk) return result;
      code_ = KeywordCode(string_value_);
      // The EOF keyword is how the reader learns that the file ended normally.
      return code_ == kDxfEof ? kDxfEnd : kDxfOk;
    case ValueType::kName: {
      result = GetText(string_value_, kGroupTextSize);
      if (result != kDxfOk) return result;
      const short section = SectionCode(string_value_);
      if (section != 0) code_ = section;
      return kDxfOk;
    }
    case ValueType::kString:
      return GetText(string_value_, kGroupTextSize);
    case ValueType::kReal: {
      double value = 0.0;
      result = GetDouble(&value);
      if (result == kDxfOk) real_value_ = value;
      return result;
    }
    case ValueType::kInteger: {
      short value = 0;
      result = GetInt(&value);
      if (result == kDxfOk) int_value_ = value;
      return result;
    }
    case ValueType::kRawLine:
      return GetLine();
  }
  return kDxfOk;
}

int DXFGroup::PutGroup() {
  const char* keyword = KeywordText(code_);
  if (keyword != nullptr) {
    const int result = PutCode(0);
    return result != kDxfOk ? result : PutText(keyword);
  }
  const int result = PutCode(code_);
  if (result != kDxfOk) return result;
  switch (WriteTypeOf(code_)) {
    case ValueType::kReal:
      return PutDouble(real_value_);
    case ValueType::kInteger:
      return PutInt(int_value_);
    default:
      return PutText(string_value_);
  }
}

int DXFGroup::Requeue() {
  requeued_ = true;
  return kDxfOk;
}

int DXFGroup::PutString(short code, const char* text) {
  code_ = code;
  StringValue(text);
  return PutGroup();
}

int DXFGroup::PutReal(short code, double value) {
  code_ = code;
  real_value_ = value;
  return PutGroup();
}

int DXFGroup::PutInteger(short code, short value) {
  code_ = code;
  int_value_ = value;
  return PutGroup();
}

int DXFGroup::PutKeyword(short keywordCode) {
  code_ = keywordCode;
  // Keep the group as a reader would see it: the keyword text in the string value.
  const char* keyword = KeywordText(keywordCode);
  if (keyword != nullptr) StringValue(keyword);
  return PutGroup();
}

// ---- Reading primitives ----

int DXFGroup::GetCode(short* code) {
  escaped_code_ = false;
  if (!binary_) {
    const int result = GetTextLine();
    if (result != kDxfOk) return result;
    if (line_length_ == kWrittenCodeWidth && ParseWrittenCode(line_buffer_, code)) return kDxfOk;
    const ParsedShort parsed = ParseShort(line_buffer_);
    // A number outside 16 bits cannot be a group code.
    if (!parsed.found || !parsed.in_range) return kDxfBadCode;
    if (code != nullptr) *code = parsed.value;
    return kDxfOk;
  }
  if (!Have(1)) return kDxfBadCode;
  const unsigned char first = input_[input_pos_];
  Consume(1);
  if (first != kEscapeCodeByte) {
    if (code != nullptr) *code = first;
    return kDxfOk;
  }
  if (!Have(kBinaryIntSize)) {
    Consume(Buffered());
    return kDxfBadCode;
  }
  const uint16_t extended = LoadLittle16(input_ + input_pos_);
  Consume(kBinaryIntSize);
  escaped_code_ = true;
  if (code != nullptr) *code = static_cast<short>(extended);
  return kDxfOk;
}

int DXFGroup::GetInt(short* value) {
  if (!binary_) {
    const int result = GetTextLine();
    if (result != kDxfOk) return result;
    // Values outside 16 bits wrap like the C library's "%hd": other programs store 32-bit
    // extended-data integers, and wrapping keeps such a load going.
    const ParsedShort parsed = ParseShort(line_buffer_);
    if (!parsed.found) return kDxfBadInteger;
    if (value != nullptr) *value = parsed.value;
    return kDxfOk;
  }
  if (!Have(kBinaryIntSize)) {
    Consume(Buffered());
    return kDxfBadInteger;
  }
  const uint16_t bits = LoadLittle16(input_ + input_pos_);
  Consume(kBinaryIntSize);
  if (value != nullptr) *value = static_cast<short>(bits);
  return kDxfOk;
}

int DXFGroup::GetDouble(double* value) {
  double parsed = 0.0;
  if (!binary_) {
    const int result = GetTextLine();
    if (result != kDxfOk) return result;
    if (!ParseReal(line_buffer_, line_buffer_ + line_length_, &parsed)) return kDxfBadReal;
  } else {
    if (!Have(kBinaryRealSize)) {
      Consume(Buffered());
      return kDxfBadReal;
    }
    parsed = std::bit_cast<double>(LoadLittle64(input_ + input_pos_));
    Consume(kBinaryRealSize);
    if (!std::isfinite(parsed)) return kDxfBadReal;
  }
  if (value != nullptr) *value = parsed;
  return kDxfOk;
}

int DXFGroup::GetText(char* buffer, int size) {
  if (binary_) return ReadBinaryString(buffer, size);
  const int result = GetTextLine();
  if (result != kDxfOk) return result;
  if (buffer == nullptr || size <= 0) return kDxfOk;
  // The text form keeps the whole line in the string value (which has room for it); a caller's
  // own buffer gets at most size - 1 characters.
  if (buffer == string_value_) {
    CopyLine(string_value_, line_buffer_, line_length_, sizeof line_buffer_);
  } else {
    CopyBounded(buffer, static_cast<size_t>(size), line_buffer_);
  }
  return kDxfOk;
}

int DXFGroup::GetLine() {
  if (!binary_) return GetTextLine();
  // A raw value of the binary form is a zero-terminated string, kept in the line buffer.
  const int result = ReadBinaryString(line_buffer_, kGroupTextSize);
  if (result != kDxfOk) StringValue(kEndOfFileText);
  return result;
}

// One line of the text form into the line buffer. The terminator is cut, and a carriage return
// before it too, so files written on Windows read the same. A line longer than the buffer is cut
// and the rest of it skipped, which keeps codes and values paired.
int DXFGroup::GetTextLine() {
  Have(kLineWindow);
  const size_t available = Buffered();
  if (available == 0) return kDxfLineEof;
  string_value_[0] = '\0';

  const char* start = reinterpret_cast<const char*>(input_ + input_pos_);
  const size_t window = std::min(available, kLineWindow);
  const char* newline = FindByte(start, window, '\n');
  size_t length = 0;
  size_t consumed = 0;
  bool overlong = false;
  if (newline != nullptr) {
    length = static_cast<size_t>(newline - start);
    consumed = length + 1;
  } else if (available < kLineWindow) {
    // Fill stopped short, so the file ended: the last line has no terminator and is whole.
    length = available;
    consumed = available;
  } else {
    overlong = true;
    length = kMaxLineLength;
    consumed = kMaxLineLength;
  }
  if (!overlong && length > 0 && start[length - 1] == '\r') --length;
  length = std::min(length, kMaxLineLength);

  CopyLine(line_buffer_, start, length, kInputSize - input_pos_);
  line_length_ = length;
  input_pos_ += consumed;
  if (overlong) SkipPastNewline();
  // Counted as the platform's text mode did: the cut line and one terminator byte.
  CountBytes(length + 1);
  return kDxfOk;
}

// A zero-terminated string of the binary form. At most size - 1 characters are stored (510 for
// a group); a longer string is cut there and its rest stays in the file. The terminator is
// consumed when it lies within those characters or directly after them, so a string of exactly
// the kept length still reads as one group.
int DXFGroup::ReadBinaryString(char* dest, int size) {
  const size_t capacity = static_cast<size_t>(std::clamp(size, 0, kDxfLineSize));
  const size_t limit = capacity > 0 ? capacity - 1 : 0;
  Have(limit + 1);
  const size_t window = std::min(Buffered(), limit);
  const unsigned char* start = input_ + input_pos_;
  const unsigned char* zero = FindByte(start, window, static_cast<unsigned char>(0));

  size_t length = window;
  size_t consumed = window;
  int result = kDxfOk;
  if (zero != nullptr) {
    length = static_cast<size_t>(zero - start);
    consumed = length + 1;
  } else if (window < limit) {
    result = kDxfEnd;  // the file ended inside the string
  } else if (Buffered() > limit && start[limit] == 0) {
    consumed = limit + 1;
  }
  if (dest != nullptr && capacity > 0) {
    if (result == kDxfEnd) {
      CopyBounded(dest, capacity, kEndOfFileText);
    } else {
      std::memcpy(dest, start, length);
      dest[length] = '\0';
    }
  }
  Consume(consumed);
  return result;
}

// ---- Writing primitives ----

int DXFGroup::PutCode(short code) {
  if (binary_) {
    // Every code the engine writes is below 255; a larger one keeps its low byte only.
    const unsigned char byte = static_cast<unsigned char>(code & 0xFF);
    return WriteBytes(&byte, 1);
  }
  constexpr int kCodeWidth = 3;
  char line[16];
  const size_t length = FormatInteger(code, kCodeWidth, line, sizeof line);
  return length == 0 ? kDxfEnd : WriteBytes(line, length);
}

int DXFGroup::PutInt(short value) {
  if (binary_) {
    unsigned char bytes[kBinaryIntSize];
    StoreLittle16(static_cast<uint16_t>(value), bytes);
    return WriteBytes(bytes, sizeof bytes);
  }
  constexpr int kIntegerWidth = 6;
  char line[16];
  const size_t length = FormatInteger(value, kIntegerWidth, line, sizeof line);
  return length == 0 ? kDxfEnd : WriteBytes(line, length);
}

int DXFGroup::PutDouble(double value) {
  if (binary_) {
    unsigned char bytes[kBinaryRealSize];
    StoreLittle64(std::bit_cast<uint64_t>(value), bytes);
    return WriteBytes(bytes, sizeof bytes);
  }
  char line[40];
  const size_t length = FormatReal(value, line, sizeof line);
  if (length == 0) return kDxfEnd;
  return WriteBytes(line, length);
}

int DXFGroup::PutText(const char* text) {
  if (text == nullptr) text = "";
  const size_t length = std::strlen(text);
  // The binary form writes the terminator with the string, and never more characters than the
  // reader keeps: a longer string would leave its tail to be read as further groups.
  if (binary_) {
    const size_t kept = std::min(length, static_cast<size_t>(kGroupTextSize - 1));
    const int result = WriteBytes(text, kept);
    return result != kDxfOk ? result : WriteBytes("", 1);
  }
  const int result = WriteBytes(text, length);
  return result != kDxfOk ? result : WriteBytes("\n", 1);
}

int DXFGroup::WriteBytes(const void* data, size_t size) {
  if (file_ == nullptr) return kDxfEnd;
  if (size == 0) return kDxfOk;
  return WriteFile(data, size, file_) == size ? kDxfOk : kDxfEnd;
}

// ---- Input buffer ----

// Tries to have at least `wanted` bytes buffered; false when the file ends first.
bool DXFGroup::Fill(size_t wanted) {
  while (Buffered() < wanted && !input_ended_) {
    if (input_pos_ > 0) {
      const size_t kept = Buffered();
      std::memmove(input_, input_ + input_pos_, kept);
      input_pos_ = 0;
      input_end_ = kept;
    }
    const size_t got =
        file_ == nullptr ? 0 : ReadFile(input_ + input_end_, kInputSize - input_end_, file_);
    if (got == 0) input_ended_ = true;
    input_end_ += got;
  }
  return Buffered() >= wanted;
}

void DXFGroup::Consume(size_t count) {
  input_pos_ += count;
  CountBytes(count);
}

void DXFGroup::DropInput() {
  input_pos_ = 0;
  input_end_ = 0;
  input_ended_ = false;
  escaped_code_ = false;
}

// Skips the rest of an overlong text line, its terminator included. Not counted: the counter
// follows the lines as they were delivered.
void DXFGroup::SkipPastNewline() {
  for (;;) {
    const unsigned char* start = input_ + input_pos_;
    const void* newline = std::memchr(start, '\n', Buffered());
    if (newline != nullptr) {
      input_pos_ += static_cast<size_t>(static_cast<const unsigned char*>(newline) - start) + 1;
      return;
    }
    input_pos_ = input_end_;
    if (!Fill(1)) return;
  }
}
