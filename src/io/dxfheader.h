#pragma once
// The header variables of a drawing file: named, typed values ("$ACADVER", "$CLAYER",
// "$TEGOLUXSCALE" and whatever else a file brings) and the ordered list that owns them. Each
// variable remembers the group code it was read with, so it is written back the same way.

#include <memory>

#include "geometry/point3d.h"

class DXFGroup;

// Result of saving a variable or the list without a stream.
inline constexpr int kHeaderNoStream = 6;

// Group codes around a variable.
inline constexpr short kHeaderNameCode = 9;
inline constexpr short kHeaderXCode = 10;
inline constexpr short kHeaderYCode = 20;
inline constexpr short kHeaderZCode = 30;

// The code a new point variable keeps: that of its last coordinate.
inline constexpr short kHeaderPoint2DCode = kHeaderYCode;
inline constexpr short kHeaderPoint3DCode = kHeaderZCode;

// A value code a variable may carry: one whose value reads back as it was written in both
// forms of the stream (1 to 8, 10 to 79, 210 to 239). Code 0 and 9 would end the variable when
// read back, and the other ranges are read as raw lines or cannot be written in one byte.
bool IsHeaderValueCode(short code);

// One variable. The base holds the name and code and has no value: its getters return 0, null
// or 0.0 and its setters refuse (0). Each kind overrides the pair that fits its value.
class DXFHeader {
 public:
  // A null name stays null; Name() is also null when the copy could not be allocated.
  DXFHeader(const char* name, short code);
  virtual ~DXFHeader();
  DXFHeader(const DXFHeader&) = delete;
  DXFHeader& operator=(const DXFHeader&) = delete;

  // Writes group 9 with the name, then the value groups: 0, the first failure of a group write,
  // or kHeaderNoStream.
  virtual int Save(DXFGroup* stream);
  virtual const char* GetHeaderSValue() const;
  // Setters return 1 when the value was taken, 0 when the kind has no such value or memory ran
  // out (the old value is then kept).
  virtual int SetHeaderSValue(const char* value);
  virtual int GetHeaderIValue() const;
  virtual int SetHeaderIValue(int value);
  virtual double GetHeaderDValue() const;
  virtual int SetHeaderDValue(double value);
  // Fills the point and returns 1; the base sets it to the origin and returns 0.
  virtual int GetHeaderPoint(Point3D* point) const;
  virtual int SetHeaderPoint(const Point3D* point);

  const char* Name() const { return name_.get(); }
  short Code() const { return code_; }

  DXFHeader* Prev() const { return prev_; }
  DXFHeader* Next() const { return next_; }
  void Prev(DXFHeader* header) { prev_ = header; }
  void Next(DXFHeader* header) { next_ = header; }

 protected:
  // Group 9 with the name (empty when there is none).
  int SaveName(DXFGroup* stream) const;
  // One value group with this variable's code. Every value field of the stream is set, so a
  // code whose written type differs from the kind still writes this variable's value.
  int SaveValue(DXFGroup* stream, short code, const char* text, int integer, double real) const;

 private:
  std::unique_ptr<char[]> name_;
  short code_ = 0;
  DXFHeader* prev_ = nullptr;
  DXFHeader* next_ = nullptr;
};

// A string, which may be null (written as the empty text).
class DXFHeaderStr : public DXFHeader {
 public:
  DXFHeaderStr(const char* name, short code, const char* value);
  int Save(DXFGroup* stream) override;
  const char* GetHeaderSValue() const override { return value_.get(); }
  int SetHeaderSValue(const char* value) override;

  // False when a non-null value could not be copied.
  bool HasValueStored() const { return stored_; }

 private:
  std::unique_ptr<char[]> value_;
  bool stored_ = true;
};

// A 32-bit integer, written as a 16-bit group (clamped, never wrapped).
class DXFHeaderInt : public DXFHeader {
 public:
  DXFHeaderInt(const char* name, short code, int value);
  int Save(DXFGroup* stream) override;
  int GetHeaderIValue() const override { return value_; }
  int SetHeaderIValue(int value) override;

 private:
  int value_ = 0;
};

// One real.
class DXFHeaderD1 : public DXFHeader {
 public:
  DXFHeaderD1(const char* name, short code, double value);
  int Save(DXFGroup* stream) override;
  double GetHeaderDValue() const override { return x_; }
  int SetHeaderDValue(double value) override;

 protected:
  double x_ = 0.0;
};

// A plan point, written as 10 x and 20 y; its real value is x.
class DXFHeaderD2 : public DXFHeaderD1 {
 public:
  DXFHeaderD2(const char* name, short code, double x, double y);
  int Save(DXFGroup* stream) override;
  int GetHeaderPoint(Point3D* point) const override;
  int SetHeaderPoint(const Point3D* point) override;

 protected:
  double y_ = 0.0;
};

// A point in space, written as 10 x, 20 y and 30 z.
class DXFHeaderD3 : public DXFHeaderD2 {
 public:
  DXFHeaderD3(const char* name, short code, double x, double y, double z);
  int Save(DXFGroup* stream) override;
  int GetHeaderPoint(Point3D* point) const override;
  int SetHeaderPoint(const Point3D* point) override;

 private:
  double z_ = 0.0;
};

// The variables of a header section in insertion order. The list owns its variables; names are
// matched exactly (case-sensitive).
class DXFHeaderList {
 public:
  DXFHeaderList() = default;
  virtual ~DXFHeaderList();
  DXFHeaderList(const DXFHeaderList&) = delete;
  DXFHeaderList& operator=(const DXFHeaderList&) = delete;

  // First() starts a walk at the first variable; Next() advances it (null at the end, and after
  // the variable the walk stands on was deleted).
  virtual DXFHeader* First();
  virtual DXFHeader* Next();
  virtual DXFHeader* Find(const char* name) const;
  // Appends and takes ownership. Null for null or for a variable already in the list.
  virtual DXFHeader* Add(DXFHeader* header);
  // Removes and deletes the first variable of that name: 1, or 0 when there is none.
  virtual int Delete(const char* name);
  // Deletes every variable.
  virtual void Free();
  // Writes the name group 2 "HEADER", then every variable in order: 0, the first failure, or
  // kHeaderNoStream.
  virtual int Save(DXFGroup* stream);

  // Copies at most size - 1 characters into buffer and returns it; null when the variable is
  // missing, holds no string, or its string is empty (or there is no buffer).
  virtual char* GetHeaderSValue(const char* name, char* buffer, int size) const;
  virtual int GetHeaderIValue(const char* name) const;
  virtual double GetHeaderDValue(const char* name) const;
  // Fills the point (z 0 for a plan point) and returns 1; otherwise the origin and 0.
  virtual int GetHeaderPoint(const char* name, Point3D* point) const;

  // An existing variable takes the value (its kind and code are kept; a kind without that value
  // refuses); otherwise a variable of the matching kind with this code is appended. 1 when the
  // value was stored; 0 for a null name, a code that is not a value code, a refusal or no memory.
  virtual int SetHeaderSValue(const char* name, short code, const char* value);
  virtual int SetHeaderIValue(const char* name, short code, int value);
  virtual int SetHeaderDValue(const char* name, short code, double value);
  // An existing variable takes the point (a plan point keeps x and y); a new one is a
  // DXFHeaderD3 with code 30 when threeD is set, else a DXFHeaderD2 with code 20.
  virtual int SetHeaderPoint(const char* name, const Point3D* point, bool threeD);

  int Count() const { return count_; }

 private:
  // Appends a newly made variable; false (and the variable deleted) when it is unusable.
  bool AppendNew(DXFHeader* header);

  DXFHeader* first_ = nullptr;
  DXFHeader* last_ = nullptr;
  DXFHeader* cursor_ = nullptr;
  int count_ = 0;
};
