#pragma once
// The quantities of one takeoff item inside one roof section, and the item's list of them.

class DXFGroup;

// Flags of an entry.
inline constexpr int kSODataComputed = 0;  // made by the section assignment
inline constexpr int kSODataMovedIn = 1;   // moved into this section by the user
inline constexpr int kSODataMovedOut = 2;  // moved out of this section by the user

class TSOData {
 public:
  TSOData() = default;
  TSOData(const char* section, double area, double length, int count, int flag);
  TSOData(const TSOData& other);  // the values and a copy of the name; not the links
  TSOData& operator=(const TSOData&) = delete;
  ~TSOData();

  const char* SectionName() const { return section_; }
  void SectionName(const char* name);  // a heap copy; null frees it
  double Area() const { return area_; }
  void Area(double area) { area_ = area; }
  double Length() const { return length_; }
  void Length(double length) { length_ = length; }
  int Count() const { return count_; }
  void Count(int count) { count_ = count; }
  int GetFlag() const { return flag_; }
  void SetFlag(int flag) { flag_ = flag; }
  TSOData* Next() const { return next_; }
  TSOData* Prev() const { return prev_; }

  // The "SECTIONDATA" record: keyword; 2 section name if present; 40 area, 41 length, 70
  // count, 71 flag, each if not 0; keyword "ENDSECTIONDATA". AddToken reads it after its
  // keyword, up to "ENDSECTIONDATA" (consumed) or another keyword (pushed back). 0 or the
  // stream's error.
  int Save(DXFGroup* stream) const;
  int AddToken(DXFGroup* stream);

 private:
  friend class TSODataList;
  char* section_ = nullptr;
  double area_ = 0.0;
  double length_ = 0.0;
  int count_ = 0;
  int flag_ = kSODataComputed;
  TSOData* next_ = nullptr;
  TSOData* prev_ = nullptr;
};

class TSODataList {
 public:
  TSODataList() = default;
  TSODataList(const TSODataList& other);  // copies every entry
  TSODataList& operator=(const TSODataList& other);
  ~TSODataList();

  // Appends the entry (the list takes it; null is ignored).
  void Add(TSOData* data);
  // Unlinks the entry and returns it (the caller owns it); null when it is not in this list.
  TSOData* Remove(TSOData* data);
  // Empties the list, deleting the entries when asked.
  void Clear(bool deleteEntries);
  // The first entry of that section (ignoring case; null finds the entry without a name).
  TSOData* Search(const char* section) const;

  TSOData* Head() const { return head_; }
  TSOData* Tail() const { return tail_; }
  int NoofObjs() const { return count_; }

 private:
  TSOData* head_ = nullptr;
  TSOData* tail_ = nullptr;
  int count_ = 0;
};
