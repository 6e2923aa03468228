#pragma once
// The tables of a drawing file: a table holds the entries of one kind (application ids, layers,
// line types, text styles, views, viewports, coordinate systems, dimension styles). Each entry
// kind carries the DXF groups of its table, kept by group code and written in a fixed order.

#include <memory>
#include <span>

class DXFGroup;
class LayerItem;

// Group codes shared by every table and entry.
inline constexpr short kTableNameCode = 2;
inline constexpr short kTableFlagsCode = 70;
// The line type groups that carry the dashes.
inline constexpr short kLTypeDashCountCode = 73;
inline constexpr short kLTypeDashCode = 49;

// Result of saving a table, entry or the list without a stream.
inline constexpr int kTableNoStream = 6;

// The most extra groups an entry kind has (the dimension style).
inline constexpr int kMaxTableGroups = 37;

// One dash of a line type pattern.
class LTypeDash {
 public:
  explicit LTypeDash(double length = 0.0) : length_(length) {}
  double Length() const { return length_; }
  void Length(double length) { length_ = length; }
  LTypeDash* Next() const { return next_; }
  void Next(LTypeDash* dash) { next_ = dash; }

 private:
  double length_ = 0.0;
  LTypeDash* next_ = nullptr;
};

// One table entry. The base is the application id ("APPID"), which has no extra groups; the
// kinds below add theirs. Extra groups are kept by code: codes 1 to 9 hold text, 10 to 59 reals,
// 60 to 79 and the dimension-style codes 140 to 145 and 170 to 175 integers.
class DXFTableItem {
 public:
  explicit DXFTableItem(const char* name = nullptr, int flags = 0);
  virtual ~DXFTableItem();
  DXFTableItem(const DXFTableItem&) = delete;
  DXFTableItem& operator=(const DXFTableItem&) = delete;

  // Reads the entry's groups up to the next keyword, which is pushed back: 1 then, or the
  // stream's failure code. Codes the kind does not know are skipped. 0 without a stream.
  virtual int AddToken(DXFGroup* stream);
  // Writes code 0 with the table name (the kind's keyword when null), 2 the name, 70 the flags,
  // then the kind's groups: 0, the first failure of a group write, or kTableNoStream.
  virtual int Save(DXFGroup* stream, const char* tableName);

  // The keyword code of the kind (kDxfAppid, kDxfLayer...).
  short Kind() const { return kind_; }
  int Flags() const { return flags_; }
  void Flags(int flags) { flags_ = flags; }
  const char* Name() const { return name_.get(); }
  // 1, or 0 when the copy could not be allocated (the name is then null).
  int Name(const char* name);

  // The extra groups. Getters give "", 0.0 or 0 for a code the kind lacks or of another type;
  // setters return 1, or 0 for such a code (or no memory for the text).
  bool HasGroup(short code) const;
  const char* Text(short code) const;
  int Text(short code, const char* text);
  double Real(short code) const;
  int Real(short code, double value);
  int Integer(short code) const;
  int Integer(short code, int value);

  DXFTableItem* Prev() const { return prev_; }
  DXFTableItem* Next() const { return next_; }
  void Prev(DXFTableItem* item) { prev_ = item; }
  void Next(DXFTableItem* item) { next_ = item; }

 protected:
  // A kind with the given keyword code and extra group codes, in the order they are written.
  DXFTableItem(short kind, std::span<const short> codes, const char* name, int flags);
  // Takes the current group when it is one of the kind's: true then.
  virtual bool TakeGroup(const DXFGroup& stream);
  // Writes the kind's groups: 0 or the first failure.
  virtual int SaveGroups(DXFGroup* stream);

 private:
  struct GroupValue {
    std::unique_ptr<char[]> text;
    double real = 0.0;
    int integer = 0;
  };
  int SlotOf(short code) const;

  short kind_;
  int flags_ = 0;
  std::unique_ptr<char[]> name_;
  std::span<const short> codes_;
  GroupValue values_[kMaxTableGroups];
  DXFTableItem* prev_ = nullptr;
  DXFTableItem* next_ = nullptr;
};

// "LAYER": 6 line type name, 67.
class DXFTableLayer : public DXFTableItem {
 public:
  explicit DXFTableLayer(const char* name = nullptr, int flags = 0);
  // The entry of a document layer: its name, flags and the name of its line style.
  explicit DXFTableLayer(const LayerItem* layer);
};

// "LTYPE": 3 description, 40 pattern length, 72 alignment, 73 number of dashes, one 49 per dash.
// The number of dashes is always that of the dash list; a read 73 is not trusted.
class DXFTableLType : public DXFTableItem {
 public:
  explicit DXFTableLType(const char* name = nullptr, int flags = 0);
  ~DXFTableLType() override;

  // Appends a dash: 1, or 0 when out of memory.
  int AddDash(double length);
  LTypeDash* FirstDash() const { return first_dash_; }
  int NoofDashes() const { return dash_count_; }
  void ClearDashes();

 protected:
  bool TakeGroup(const DXFGroup& stream) override;
  int SaveGroups(DXFGroup* stream) override;

 private:
  LTypeDash* first_dash_ = nullptr;
  LTypeDash* last_dash_ = nullptr;
  int dash_count_ = 0;
};

// "STYLE": 3, 4, 40, 41, 42, 50, 71.
class DXFTableStyle : public DXFTableItem {
 public:
  explicit DXFTableStyle(const char* name = nullptr, int flags = 0);
};

// "VIEW": 10, 11, 12, 20, 21, 22, 31, 32, 40 to 44, 50, 71.
class DXFTableView : public DXFTableItem {
 public:
  explicit DXFTableView(const char* name = nullptr, int flags = 0);
};

// "VPORT": 10 to 17, 20 to 27, 36, 37, 40 to 44, 50, 51, 68, 69, 71 to 78.
class DXFTableVPort : public DXFTableItem {
 public:
  explicit DXFTableVPort(const char* name = nullptr, int flags = 0);
};

// "UCS": 10, 11, 12, 20, 21, 22, 30, 31, 32.
class DXFTableUCS : public DXFTableItem {
 public:
  explicit DXFTableUCS(const char* name = nullptr, int flags = 0);
};

// "DIMSTYLE": 3 to 7, 40 to 48, 67, 68, 69, 71 to 78, 140 to 145, 170 to 175; the last twelve
// are held and written as integers. The stream reads those codes as raw lines, so they are
// parsed from the line on reading and, in the binary form, written as their decimal text.
class DXFTableDimStyle : public DXFTableItem {
 public:
  explicit DXFTableDimStyle(const char* name = nullptr, int flags = 0);
};

// A new entry of the kind a table keyword code names ("APPID" to "UCS"); null for any other code
// or when out of memory.
DXFTableItem* MakeTableItem(short keywordCode);

// One table: its name, the maximum-entries value (group 70) and its entries in order, which it
// owns.
class DXFTable {
 public:
  explicit DXFTable(const char* name = nullptr, int maxEntries = 0);
  virtual ~DXFTable();
  DXFTable(const DXFTable&) = delete;
  DXFTable& operator=(const DXFTable&) = delete;

  // Reads 2 (name) and 70 (maximum entries) up to the next keyword, which is pushed back: 1, or
  // the stream's failure code; 0 without a stream.
  virtual int AddToken(DXFGroup* stream);
  // Writes "TABLE", 2 the name (empty if none), 70, every entry, "ENDTAB": 0 or the first
  // failure, or kTableNoStream.
  virtual int Save(DXFGroup* stream);

  const char* Name() const { return name_.get(); }
  int Name(const char* name);
  int MaxEntries() const { return max_entries_; }
  void MaxEntries(int value) { max_entries_ = value; }

  // Appends and takes ownership; null for null or an entry already linked into a table.
  DXFTableItem* Add(DXFTableItem* item);
  DXFTableItem* First() const { return first_; }
  // The first entry of that name, compared without regard to case; null when there is none.
  DXFTableItem* Find(const char* name) const;
  // Removes and deletes an entry of this table: 1, or 0 when it is not one.
  int Delete(DXFTableItem* item);
  void Free();
  int Count() const { return count_; }

  DXFTable* Prev() const { return prev_; }
  DXFTable* Next() const { return next_; }
  void Prev(DXFTable* table) { prev_ = table; }
  void Next(DXFTable* table) { next_ = table; }

 private:
  std::unique_ptr<char[]> name_;
  int max_entries_ = 0;
  DXFTableItem* first_ = nullptr;
  DXFTableItem* last_ = nullptr;
  int count_ = 0;
  DXFTable* prev_ = nullptr;
  DXFTable* next_ = nullptr;
};

// The tables of a drawing in order; the list owns them.
class DXFTableList {
 public:
  DXFTableList() = default;
  virtual ~DXFTableList();
  DXFTableList(const DXFTableList&) = delete;
  DXFTableList& operator=(const DXFTableList&) = delete;

  // Appends and takes ownership; null for null or a table already linked into a list.
  virtual DXFTable* Add(DXFTable* table);
  virtual DXFTable* First() const { return first_; }
  // The first table of that name, compared without regard to case.
  virtual DXFTable* Find(const char* name) const;
  // Removes and deletes a table of this list: 1, or 0 when it is not one.
  virtual int Delete(DXFTable* table);
  virtual void Free();
  // Writes every table in order: 0, the first failure, or kTableNoStream.
  virtual int Save(DXFGroup* stream);
  int Count() const { return count_; }

 private:
  DXFTable* first_ = nullptr;
  DXFTable* last_ = nullptr;
  int count_ = 0;
};
