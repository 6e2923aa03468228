// Header variables: their kinds, how each writes itself, and the list that finds and sets them
// by name.

#include "io/dxfheader.h"

#include <cmath>
#include <cstring>
#include <new>

#include "detail/listlinks.h"
#include "io/dxfgroup.h"

namespace {

constexpr short kHeaderSectionNameCode = 2;
constexpr char kHeaderSectionName[] = "HEADER";

// A heap copy of text; null for null text or when out of memory.
std::unique_ptr<char[]> CopyText(const char* text) {
  if (text == nullptr) return nullptr;
  const size_t size = std::strlen(text) + 1;
  std::unique_ptr<char[]> copy(new (std::nothrow) char[size]);
  if (copy) std::memcpy(copy.get(), text, size);
  return copy;
}

// The real as the nearest integer group value, for codes that are written as integers.
short RealAsGroupInteger(double value) {
  if (!std::isfinite(value)) return 0;
  if (value >= 32767.0) return 32767;
  if (value <= -32768.0) return -32768;
  return static_cast<short>(std::lround(value));
}

}  // namespace

bool IsHeaderValueCode(short code) {
  if (code >= 1 && code <= 79) return code != kHeaderNameCode;
  return code >= 210 && code <= 239;
}

// ---- DXFHeader ----

DXFHeader::DXFHeader(const char* name, short code) : name_(CopyText(name)), code_(code) {}

DXFHeader::~DXFHeader() = default;

int DXFHeader::Save(DXFGroup* stream) {
  if (stream == nullptr) return kHeaderNoStream;
  return SaveName(stream);
}

const char* DXFHeader::GetHeaderSValue() const {
  return nullptr;
}

int DXFHeader::SetHeaderSValue(const char*) {
  return 0;
}

int DXFHeader::GetHeaderIValue() const {
  return 0;
}

int DXFHeader::SetHeaderIValue(int) {
  return 0;
}

double DXFHeader::GetHeaderDValue() const {
  return 0.0;
}

int DXFHeader::SetHeaderDValue(double) {
  return 0;
}

int DXFHeader::GetHeaderPoint(Point3D* point) const {
  if (point != nullptr) *point = Point3D();
  return 0;
}

int DXFHeader::SetHeaderPoint(const Point3D*) {
  return 0;
}

int DXFHeader::SaveName(DXFGroup* stream) const {
  return stream->PutString(kHeaderNameCode, name_.get());
}

int DXFHeader::SaveValue(DXFGroup* stream, short code, const char* text, int integer,
                         double real) const {
  stream->Code(code);
  stream->StringValue(text);
  stream->IntValue(ClampToGroupInteger(integer));
  stream->RealValue(real);
  return stream->PutGroup();
}

// ---- DXFHeaderStr ----

DXFHeaderStr::DXFHeaderStr(const char* name, short code, const char* value)
    : DXFHeader(name, code), value_(CopyText(value)), stored_(value == nullptr || value_) {}

int DXFHeaderStr::Save(DXFGroup* stream) {
  if (stream == nullptr) return kHeaderNoStream;
  const int result = SaveName(stream);
  if (result != kDxfOk) return result;
  return SaveValue(stream, Code(), value_.get(), 0, 0.0);
}

int DXFHeaderStr::SetHeaderSValue(const char* value) {
  std::unique_ptr<char[]> copy = CopyText(value);
  if (value != nullptr && !copy) return 0;
  value_ = std::move(copy);
  return 1;
}

// ---- DXFHeaderInt ----

DXFHeaderInt::DXFHeaderInt(const char* name, short code, int value)
    : DXFHeader(name, code), value_(value) {}

int DXFHeaderInt::Save(DXFGroup* stream) {
  if (stream == nullptr) return kHeaderNoStream;
  const int result = SaveName(stream);
  if (result != kDxfOk) return result;
  return SaveValue(stream, Code(), "", value_, value_);
}

int DXFHeaderInt::SetHeaderIValue(int value) {
  value_ = value;
  return 1;
}

// ---- DXFHeaderD1, D2, D3 ----

DXFHeaderD1::DXFHeaderD1(const char* name, short code, double value)
    : DXFHeader(name, code), x_(value) {}

int DXFHeaderD1::Save(DXFGroup* stream) {
  if (stream == nullptr) return kHeaderNoStream;
  const int result = SaveName(stream);
  if (result != kDxfOk) return result;
  return SaveValue(stream, Code(), "", RealAsGroupInteger(x_), x_);
}

int DXFHeaderD1::SetHeaderDValue(double value) {
  x_ = value;
  return 1;
}

DXFHeaderD2::DXFHeaderD2(const char* name, short code, double x, double y)
    : DXFHeaderD1(name, code, x), y_(y) {}

int DXFHeaderD2::Save(DXFGroup* stream) {
  if (stream == nullptr) return kHeaderNoStream;
  int result = SaveName(stream);
  if (result == kDxfOk) result = stream->PutReal(kHeaderXCode, x_);
  if (result == kDxfOk) result = stream->PutReal(kHeaderYCode, y_);
  return result;
}

int DXFHeaderD2::GetHeaderPoint(Point3D* point) const {
  if (point == nullptr) return 0;
  point->x = x_;
  point->y = y_;
  point->z = 0.0;
  return 1;
}

int DXFHeaderD2::SetHeaderPoint(const Point3D* point) {
  if (point == nullptr) return 0;
  x_ = point->x;
  y_ = point->y;
  return 1;
}

DXFHeaderD3::DXFHeaderD3(const char* name, short code, double x, double y, double z)
    : DXFHeaderD2(name, code, x, y), z_(z) {}

int DXFHeaderD3::Save(DXFGroup* stream) {
  const int result = DXFHeaderD2::Save(stream);
  if (result != kDxfOk) return result;
  return stream->PutReal(kHeaderZCode, z_);
}

int DXFHeaderD3::GetHeaderPoint(Point3D* point) const {
  if (DXFHeaderD2::GetHeaderPoint(point) == 0) return 0;
  point->z = z_;
  return 1;
}

int DXFHeaderD3::SetHeaderPoint(const Point3D* point) {
  if (DXFHeaderD2::SetHeaderPoint(point) == 0) return 0;
  z_ = point->z;
  return 1;
}

// ---- DXFHeaderList ----

DXFHeaderList::~DXFHeaderList() {
  Free();
}

DXFHeader* DXFHeaderList::First() {
  cursor_ = first_;
  return cursor_;
}

DXFHeader* DXFHeaderList::Next() {
  if (cursor_ != nullptr) cursor_ = cursor_->Next();
  return cursor_;
}

DXFHeader* DXFHeaderList::Find(const char* name) const {
  if (name == nullptr) return nullptr;
  for (DXFHeader* header = first_; header != nullptr; header = header->Next()) {
    if (header->Name() != nullptr && std::strcmp(header->Name(), name) == 0) return header;
  }
  return nullptr;
}

DXFHeader* DXFHeaderList::Add(DXFHeader* header) {
  if (header == nullptr || header->Prev() != nullptr || header->Next() != nullptr ||
      header == first_) {
    return nullptr;
  }
  return ListLinkAtTail(first_, last_, count_, header);
}

int DXFHeaderList::Delete(const char* name) {
  DXFHeader* header = Find(name);
  if (header == nullptr) return 0;
  if (cursor_ == header) cursor_ = nullptr;
  ListUnlink(first_, last_, count_, header);
  delete header;
  return 1;
}

void DXFHeaderList::Free() {
  DXFHeader* header = first_;
  while (header != nullptr) {
    DXFHeader* next = header->Next();
    delete header;
    header = next;
  }
  first_ = last_ = cursor_ = nullptr;
  count_ = 0;
}

int DXFHeaderList::Save(DXFGroup* stream) {
  if (stream == nullptr) return kHeaderNoStream;
  int result = stream->PutString(kHeaderSectionNameCode, kHeaderSectionName);
  for (DXFHeader* header = first_; header != nullptr && result == kDxfOk; header = header->Next()) {
    result = header->Save(stream);
  }
  return result;
}

char* DXFHeaderList::GetHeaderSValue(const char* name, char* buffer, int size) const {
  if (buffer == nullptr || size <= 0) return nullptr;
  const DXFHeader* header = Find(name);
  const char* value = header != nullptr ? header->GetHeaderSValue() : nullptr;
  if (value == nullptr || value[0] == '\0') return nullptr;
  const size_t length = strnlen(value, static_cast<size_t>(size) - 1);
  std::memcpy(buffer, value, length);
  buffer[length] = '\0';
  return buffer;
}

int DXFHeaderList::GetHeaderIValue(const char* name) const {
  const DXFHeader* header = Find(name);
  return header != nullptr ? header->GetHeaderIValue() : 0;
}

double DXFHeaderList::GetHeaderDValue(const char* name) const {
  const DXFHeader* header = Find(name);
  return header != nullptr ? header->GetHeaderDValue() : 0.0;
}

int DXFHeaderList::GetHeaderPoint(const char* name, Point3D* point) const {
  const DXFHeader* header = Find(name);
  if (header != nullptr) return header->GetHeaderPoint(point);
  if (point != nullptr) *point = Point3D();
  return 0;
}

bool DXFHeaderList::AppendNew(DXFHeader* header) {
  if (header == nullptr) return false;
  if (header->Name() == nullptr || Add(header) == nullptr) {
    delete header;
    return false;
  }
  return true;
}

int DXFHeaderList::SetHeaderSValue(const char* name, short code, const char* value) {
  if (name == nullptr || !IsHeaderValueCode(code)) return 0;
  if (DXFHeader* header = Find(name)) return header->SetHeaderSValue(value);
  auto* header = new (std::nothrow) DXFHeaderStr(name, code, value);
  if (header != nullptr && !header->HasValueStored()) {
    delete header;
    return 0;
  }
  return AppendNew(header) ? 1 : 0;
}

int DXFHeaderList::SetHeaderIValue(const char* name, short code, int value) {
  if (name == nullptr || !IsHeaderValueCode(code)) return 0;
  if (DXFHeader* header = Find(name)) return header->SetHeaderIValue(value);
  return AppendNew(new (std::nothrow) DXFHeaderInt(name, code, value)) ? 1 : 0;
}

int DXFHeaderList::SetHeaderDValue(const char* name, short code, double value) {
  if (name == nullptr || !IsHeaderValueCode(code)) return 0;
  if (DXFHeader* header = Find(name)) return header->SetHeaderDValue(value);
  return AppendNew(new (std::nothrow) DXFHeaderD1(name, code, value)) ? 1 : 0;
}

int DXFHeaderList::SetHeaderPoint(const char* name, const Point3D* point, bool threeD) {
  if (name == nullptr || point == nullptr) return 0;
  if (DXFHeader* header = Find(name)) return header->SetHeaderPoint(point);
  DXFHeader* header = threeD ? static_cast<DXFHeader*>(new (std::nothrow) DXFHeaderD3(
                                   name, kHeaderPoint3DCode, point->x, point->y, point->z))
                             : new (std::nothrow)
                                   DXFHeaderD2(name, kHeaderPoint2DCode, point->x, point->y);
  return AppendNew(header) ? 1 : 0;
}
