#pragma once
// One typed attribute of a takeoff item: a tag ("Pitch", "Height", "No. of Stands"...), what
// kind of property it is, where its value comes from, and one value of its data type.

class DXFGroup;

inline constexpr int kAttribTagSize = 32;  // 31 characters and the terminator

// Data types.
inline constexpr int kDataTypeInteger = 1;
inline constexpr int kDataTypeDouble = 2;
inline constexpr int kDataTypeString = 3;

// Property sources.
inline constexpr int kPropSourceMeasured = 0;  // a value measured from the drawing
inline constexpr int kPropSourceUser = 1;      // from the template or the user (the default)

// Property types.
inline constexpr int kPropNone = 0;
inline constexpr int kPropLength = 1;
inline constexpr int kPropWidth = 2;
inline constexpr int kPropHeight = 3;
inline constexpr int kPropCount = 4;
inline constexpr int kPropArea = 5;
inline constexpr int kPropDiameter = 6;
inline constexpr int kPropPitch = 7;
inline constexpr int kPropOverhang = 8;
inline constexpr int kPropDoubleLine = 9;
inline constexpr int kPropSpacing = 10;
inline constexpr int kPropRoofName = 11;
inline constexpr int kPropCountLength = 12;
inline constexpr int kPropElevation = 13;
inline constexpr int kPropSupports = 18;
inline constexpr int kPropMeasuredCount = 20;
inline constexpr int kPropRoofPlaneId = 21;
inline constexpr int kPropDepth = 22;
inline constexpr int kPropEaveSlopeLength = 50;
inline constexpr int kPropLineNumber = 51;

class TTGAttribute {
 public:
  // Empty tag, data type 0, property source 1, every value zero.
  TTGAttribute();
  // Property source 1; the text is parsed by the data type.
  TTGAttribute(const char* tag, int proptype, int datatype, const char* text, int sortKey,
               bool readOnly);
  TTGAttribute(const char* tag, int propsource, int proptype, int datatype, const char* text,
               bool readOnly);
  TTGAttribute(const TTGAttribute& other);  // every field, the string duplicated
  TTGAttribute& operator=(const TTGAttribute& other);
  ~TTGAttribute();

  const char* GetTag() const { return tag_; }
  void SetTag(const char* tag);  // cut to 31 characters; null empties it
  int Datatype() const { return datatype_; }
  void Datatype(int datatype) { datatype_ = datatype; }
  int Proptype() const { return proptype_; }
  void Proptype(int proptype) { proptype_ = proptype; }
  int Propsource() const { return propsource_; }
  void Propsource(int propsource) { propsource_ = propsource; }
  int GetIValue() const { return ivalue_; }
  void SetIValue(int value) { ivalue_ = value; }
  double GetDValue() const { return dvalue_; }
  void SetDValue(double value) { dvalue_ = value; }
  const char* GetSValue() const { return svalue_; }
  void SetSValue(const char* text);  // a heap copy; null frees it
  int IsSortKey() const { return sort_key_; }
  void SetSortKey(int flag) { sort_key_ = flag; }
  bool ReadOnly() const { return read_only_; }
  void ReadOnly(bool flag) { read_only_ = flag; }

  // Parse text by the data type into its value slot, set the data type and zero the other two
  // slots. Set also sets tag, source, type and the read-only flag.
  void Set(const char* tag, int propsource, int proptype, int datatype, const char* text,
           bool readOnly);
  void SetAttrib(int datatype, const char* text);
  // Copies only the three values of other (null: nothing).
  void Set(const TTGAttribute* other);

  // Formats the value slot of the requested data type into buffer (size characters with the
  // terminator): integer in decimal, double with "%f", string copied. 1 when written; 0 for any
  // other data type, a null buffer or size below 1.
  int GetAttrib(int datatype, char* buffer, int size) const;
  // A new heap text of the value (integer in decimal, double with "%1.2f", string copied), or
  // null for any other data type. The caller frees it with delete[].
  char* GetValue() const;
  // A new copy on the heap (null when out of memory).
  TTGAttribute* Copy() const;

  // The "ATTRIB" record, keyword to "ENDATTRIB"; 0 or the stream's error. AddToken reads it
  // after its keyword, up to "ENDATTRIB" (consumed) or another keyword (pushed back), then
  // applies the tag repairs of old files.
  int Save(DXFGroup* stream) const;
  int AddToken(DXFGroup* stream);

 private:
  char tag_[kAttribTagSize] = {};
  int datatype_ = 0;
  int proptype_ = kPropNone;
  int propsource_ = kPropSourceUser;
  int ivalue_ = 0;
  double dvalue_ = 0.0;
  char* svalue_ = nullptr;
  int sort_key_ = 0;
  bool read_only_ = false;
};
