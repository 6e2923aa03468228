#include "takeoff/ttgattribute.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>
#include <system_error>

#include "detail/fixedtext.h"
#include "io/dxfgroup.h"
#include "platform/win32.h"

namespace {

// Codes from here up are keywords: they belong to the next record.
constexpr short kFirstKeywordCode = 1500;

// Group codes of the attribute record.
constexpr short kCodeTag = 2;
constexpr short kCodeString = 3;
constexpr short kCodeDouble = 40;
constexpr short kCodeDatatype = 70;
constexpr short kCodeInteger = 71;
constexpr short kCodeSortKey = 72;
constexpr short kCodeReadOnly = 74;
constexpr short kCodeProptype = 75;

// Room for any int in decimal, and for any double in fixed notation (DBL_MAX has 309 digits).
constexpr int kIntegerTextSize = 32;
constexpr int kDoubleTextSize = 400;
constexpr int kAttribPrecision = 6;  // as "%f"
constexpr int kValuePrecision = 2;   // as "%1.2f"

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

const char* SkipBlanks(const char* text) {
  while (IsBlank(*text))
    ++text;
  return text;
}

// The leading decimal number of the text, as atoi reads it but without its undefined behaviour:
// garbage gives 0, values beyond int are held at its ends.
int ParseInteger(const char* text) {
  if (text == nullptr) return 0;
  const char* p = SkipBlanks(text);
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  unsigned long long magnitude = 0;
  const std::from_chars_result result = std::from_chars(p, p + std::strlen(p), magnitude);
  if (result.ec == std::errc::invalid_argument) return 0;
  if (result.ec == std::errc::result_out_of_range) magnitude = ULLONG_MAX;
  if (negative) {
    const unsigned long long limit = static_cast<unsigned long long>(INT_MAX) + 1;
    return magnitude >= limit ? INT_MIN : -static_cast<int>(magnitude);
  }
  return magnitude > static_cast<unsigned long long>(INT_MAX) ? INT_MAX
                                                              : static_cast<int>(magnitude);
}

// Whether a decimal text that does not fit a double is too large (rather than too small): the
// power of ten of its first significant digit decides.
bool DecimalTextOverflows(const char* p) {
  long long power = 0;
  bool significant = false;
  for (; IsDigit(*p); ++p) {
    if (*p != '0') significant = true;
    if (significant) ++power;
  }
  if (*p == '.') {
    for (++p; IsDigit(*p); ++p) {
      if (*p != '0') significant = true;
      if (!significant) --power;
    }
  }
  if (*p == 'e' || *p == 'E') {
    ++p;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    long long exponent = 0;
    for (; IsDigit(*p); ++p)
      if (exponent < 1000000) exponent = exponent * 10 + (*p - '0');
    power += negative ? -exponent : exponent;
  }
  return power > 0;
}

// The leading floating number of the text, as atof reads it but independent of the locale:
// garbage gives 0, a value too large gives infinity and one too small gives 0.
double ParseDouble(const char* text) {
  if (text == nullptr) return 0.0;
  const char* p = SkipBlanks(text);
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  if (*p == '+' || *p == '-') return 0.0;
  double value = 0.0;
  const std::from_chars_result result =
      std::from_chars(p, p + std::strlen(p), value, std::chars_format::general);
  if (result.ec == std::errc::invalid_argument) return 0.0;
  if (result.ec == std::errc::result_out_of_range) value = DecimalTextOverflows(p) ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

// A heap copy of the text (null for null or when out of memory).
char* DuplicateText(const char* text) {
  if (text == nullptr) return nullptr;
  const size_t size = std::strlen(text) + 1;
  char* copy = new (std::nothrow) char[size];
  if (copy != nullptr) std::memcpy(copy, text, size);
  return copy;
}

// Fixed notation with the given number of decimals, terminated; buffer holds kDoubleTextSize.
void FormatFixed(double value, int precision, char* buffer) {
  const std::to_chars_result result = std::to_chars(buffer, buffer + kDoubleTextSize - 1, value,
                                                    std::chars_format::fixed, precision);
  *(result.ec == std::errc() ? result.ptr : buffer) = '\0';
}

void FormatInteger(int value, char* buffer) {
  const std::to_chars_result result = std::to_chars(buffer, buffer + kIntegerTextSize - 1, value);
  *(result.ec == std::errc() ? result.ptr : buffer) = '\0';
}

// Old files named some attributes differently or left their property type out.
struct TagProperty {
  const char* tag;
  int proptype;
};
constexpr TagProperty kPropertyOfTag[] = {
    {"Length", kPropLength},     {"Width", kPropWidth},         {"Height", kPropHeight},
    {"Diameter", kPropDiameter}, {"Pitch", kPropPitch},         {"Overhang", kPropOverhang},
    {"Edge", kPropDoubleLine},   {"Elevation", kPropElevation},
};
constexpr const char* kDoubleLineTag = "Show double line";

struct TagRename {
  const char* from;
  const char* to;
};
constexpr TagRename kRenamedTags[] = {
    {"Leg Diameter", "Stand Diameter"},
    {"Leg Height", "Stand Height"},
    {"No. of Legs", "No. of Stands"},
};

// Brings an attribute read from an old file up to date: a missing property type is derived from
// the tag, and the supports once called legs get their current names.
void RepairOldTag(TTGAttribute& attrib) {
  if (attrib.Proptype() == kPropNone) {
    for (const TagProperty& entry : kPropertyOfTag) {
      if (lstrcmpiA(attrib.GetTag(), entry.tag) != 0) continue;
      attrib.Proptype(entry.proptype);
      if (entry.proptype == kPropDoubleLine) attrib.SetTag(kDoubleLineTag);
      break;
    }
  }
  for (const TagRename& entry : kRenamedTags) {
    if (lstrcmpiA(attrib.GetTag(), entry.from) != 0) continue;
    attrib.SetTag(entry.to);
    break;
  }
}

}  // namespace

TTGAttribute::TTGAttribute() = default;

TTGAttribute::TTGAttribute(const char* tag, int proptype, int datatype, const char* text,
                           int sortKey, bool readOnly) {
  Set(tag, kPropSourceUser, proptype, datatype, text, readOnly);
  sort_key_ = sortKey;
}

TTGAttribute::TTGAttribute(const char* tag, int propsource, int proptype, int datatype,
                           const char* text, bool readOnly) {
  Set(tag, propsource, proptype, datatype, text, readOnly);
}

TTGAttribute::TTGAttribute(const TTGAttribute& other)
    : datatype_(other.datatype_),
      proptype_(other.proptype_),
      propsource_(other.propsource_),
      ivalue_(other.ivalue_),
      dvalue_(other.dvalue_),
      svalue_(DuplicateText(other.svalue_)),
      sort_key_(other.sort_key_),
      read_only_(other.read_only_) {
  CopyFixedText(tag_, other.tag_);
}

TTGAttribute& TTGAttribute::operator=(const TTGAttribute& other) {
  if (this == &other) return *this;
  CopyFixedText(tag_, other.tag_);
  datatype_ = other.datatype_;
  proptype_ = other.proptype_;
  propsource_ = other.propsource_;
  sort_key_ = other.sort_key_;
  read_only_ = other.read_only_;
  Set(&other);
  return *this;
}

TTGAttribute::~TTGAttribute() {
  delete[] svalue_;
}

void TTGAttribute::SetTag(const char* tag) {
  CopyFixedText(tag_, tag);
}

void TTGAttribute::SetSValue(const char* text) {
  // Copy before freeing: the text may be this attribute's own value.
  char* const copy = DuplicateText(text);
  delete[] svalue_;
  svalue_ = copy;
}

void TTGAttribute::Set(const char* tag, int propsource, int proptype, int datatype,
                       const char* text, bool readOnly) {
  SetTag(tag);
  propsource_ = propsource;
  proptype_ = proptype;
  read_only_ = readOnly;
  SetAttrib(datatype, text);
}

void TTGAttribute::SetAttrib(int datatype, const char* text) {
  datatype_ = datatype;
  ivalue_ = datatype == kDataTypeInteger ? ParseInteger(text) : 0;
  dvalue_ = datatype == kDataTypeDouble ? ParseDouble(text) : 0.0;
  SetSValue(datatype == kDataTypeString ? text : nullptr);
}

void TTGAttribute::Set(const TTGAttribute* other) {
  if (other == nullptr || other == this) return;
  ivalue_ = other->ivalue_;
  dvalue_ = other->dvalue_;
  SetSValue(other->svalue_);
}

int TTGAttribute::GetAttrib(int datatype, char* buffer, int size) const {
  if (buffer == nullptr || size < 1) return 0;
  const size_t room = static_cast<size_t>(size);
  switch (datatype) {
    case kDataTypeInteger: {
      char text[kIntegerTextSize];
      FormatInteger(ivalue_, text);
      CopyFixedText(buffer, room, text);
      return 1;
    }
    case kDataTypeDouble: {
      char text[kDoubleTextSize];
      FormatFixed(dvalue_, kAttribPrecision, text);
      CopyFixedText(buffer, room, text);
      return 1;
    }
    case kDataTypeString:
      CopyFixedText(buffer, room, svalue_);
      return 1;
    default:
      return 0;
  }
}

char* TTGAttribute::GetValue() const {
  switch (datatype_) {
    case kDataTypeInteger: {
      char text[kIntegerTextSize];
      FormatInteger(ivalue_, text);
      return DuplicateText(text);
    }
    case kDataTypeDouble: {
      char text[kDoubleTextSize];
      FormatFixed(dvalue_, kValuePrecision, text);
      return DuplicateText(text);
    }
    case kDataTypeString:
      // A string attribute without a value shows as empty text.
      return DuplicateText(svalue_ != nullptr ? svalue_ : "");
    default:
      return nullptr;
  }
}

TTGAttribute* TTGAttribute::Copy() const {
  return new (std::nothrow) TTGAttribute(*this);
}

int TTGAttribute::Save(DXFGroup* stream) const {
  if (stream == nullptr) return kDxfEnd;
  int rc = stream->PutKeyword(kDxfAttrib);
  if (rc == 0) rc = stream->PutString(kCodeTag, tag_);
  if (rc == 0 && svalue_ != nullptr) rc = stream->PutString(kCodeString, svalue_);
  if (rc == 0 && dvalue_ != 0.0) rc = stream->PutReal(kCodeDouble, dvalue_);
  if (rc == 0) rc = stream->PutInteger(kCodeDatatype, ClampToGroupInteger(datatype_));
  if (rc == 0 && ivalue_ != 0) rc = stream->PutInteger(kCodeInteger, ClampToGroupInteger(ivalue_));
  if (rc == 0 && sort_key_ != 0)
    rc = stream->PutInteger(kCodeSortKey, ClampToGroupInteger(sort_key_));
  if (rc == 0 && read_only_) rc = stream->PutInteger(kCodeReadOnly, 1);
  if (rc == 0) rc = stream->PutInteger(kCodeProptype, ClampToGroupInteger(proptype_));
  if (rc == 0) rc = stream->PutKeyword(kDxfEndAttrib);
  return rc;
}

int TTGAttribute::AddToken(DXFGroup* stream) {
  if (stream == nullptr) return kDxfEnd;
  for (;;) {
    const int rc = stream->GetGroup();
    if (rc != 0) return rc;
    switch (stream->Code()) {
      case kCodeTag:
        SetTag(stream->StringValue());
        break;
      case kCodeString:
        SetSValue(stream->StringValue());
        break;
      case kCodeDouble:
        dvalue_ = stream->RealValue();
        break;
      case kCodeDatatype:
        datatype_ = stream->IntValue();
        break;
      case kCodeInteger:
        ivalue_ = stream->IntValue();
        break;
      case kCodeSortKey:
        sort_key_ = stream->IntValue();
        break;
      case kCodeReadOnly:
        if (stream->IntValue() == 1) read_only_ = true;
        break;
      case kCodeProptype:
        proptype_ = stream->IntValue();
        break;
      case kDxfEndAttrib:
        RepairOldTag(*this);
        return 0;
      default:
        if (stream->Code() >= kFirstKeywordCode) {
          stream->Requeue();
          RepairOldTag(*this);
          return 0;
        }
        break;
    }
  }
}
