#pragma once
// A takeoff item (smart object) attached to one drawing entity: its type from the catalogue, a
// user name, the roof it belongs to, typed attributes and per-section quantities. An entity owns
// at most one TSmartObjectList, which owns its items.

#include "takeoff/tsodata.h"

class DXFGroup;
class TObjectTemplate;
class TTGAttribList;
class TTGAttribute;

inline constexpr int kSmartObjectNameSize = 50;  // 49 characters and the terminator
inline constexpr int kSmartObjectGuidSize = 39;  // 38 characters and the terminator
inline constexpr int kGenericSmartObject = 6100;

class TSmartObject {
 public:
  TSmartObject();
  // A new item of the template: its name, type, NotToScale, Fields, legend order, roof
  // identifier (as UserRId) and valid GUIDs, and copies of its attributes with property source
  // 1, in order; RId 0. A null template gives the defaults.
  explicit TSmartObject(const TObjectTemplate* tpl);
  // Every field: deep copies of the attributes, the section data and the sort value; not the
  // list links.
  TSmartObject(const TSmartObject& other);
  TSmartObject& operator=(const TSmartObject&) = delete;
  ~TSmartObject();

  // The number of live smart objects in the process.
  static int GetNum();

  const char* Name() const { return name_; }
  void Name(const char* name);  // cut to 49 characters; null empties it
  int GetRId() const { return rid_; }
  int GetUserRId() const { return user_rid_; }
  bool NotToScale() const { return not_to_scale_; }
  // When the flag changes: stores it and makes every attribute with property source 0 read-only
  // exactly when the item is to scale.
  void NotToScale(bool flag);
  int RFlag() const { return type_; }
  void RFlag(int type) { type_ = type; }
  TTGAttribList* GetAttribList() const { return attribs_; }
  TSODataList* GetSODataList() { return &section_data_; }
  const TSODataList* GetSODataList() const { return &section_data_; }
  int LegendOrder() const { return legend_order_; }
  void LegendOrder(int order) { legend_order_ = order; }
  int Fields() const { return fields_; }
  void Fields(int fields) { fields_ = fields; }
  TSmartObject* Next() const { return next_; }
  TSmartObject* Prev() const { return prev_; }

  // GUID texts: the setters copy a valid GUID (ValidateGuid) and ignore anything else; the
  // getters give the stored text (empty when none).
  const char* GetRoofGuid() const { return roof_guid_; }
  void SetRoofGuid(const char* guid);
  const char* GetGuid() const { return guid_; }
  void SetGuid(const char* guid);
  const char* GetGuid3() const { return guid3_; }
  void SetGuid3(const char* guid);

  // Roof identifiers: RId is set when rid > -1, UserRId when userRid >= -1; returns UserRId
  // when it was set, else RId.
  int SetRoofId(int rid, int userRid);
  // UserRId when non-zero, else RId.
  int GetRoofId() const;
  // all: zeroes both and returns 1; else zeroes each that equals id, 1 when one was zeroed.
  int ClearRoofId(int id, int all);

  // ---- Attributes ----
  // Appends the attribute (taken; null ignored); a sort key refreshes the cached sort value.
  void AddAttrib(TTGAttribute* attrib);
  // Updates the attribute of that property type (property source 1) or appends a new one with
  // property source 1, read-only when flag is non-zero; a non-zero flag refreshes the sort value.
  void AddAttrib(const char* tag, int proptype, int datatype, const char* text, int flag);
  // Set the value of the found attribute; 0 when none is found, else 1. A changed sort key
  // rebuilds the cached sort value.
  int SetAttrib(const char* tag, int datatype, const char* text);
  int SetAttrib(int proptype, int datatype, const char* text);  // property source 1
  int SetAttrib(int propsource, int proptype, int datatype, const char* text);
  // As above; when none is found and create is true, appends a new attribute, read-only when
  // its property source is not 1 (an item not to scale keeps source-0 attributes editable).
  int SetAttrib(const char* tag, int propsource, int proptype, int datatype, const char* text,
                bool create);
  // Format the found attribute's value by the requested data type into buffer (size characters
  // with the terminator); 1 when written, else 0.
  int GetAttrib(const char* tag, int datatype, char* buffer, int size) const;
  int GetAttrib(int proptype, int datatype, char* buffer, int size) const;
  int GetAttrib(int propsource, int proptype, int datatype, char* buffer, int size) const;
  TTGAttribute* GetAttribute(int propsource, int proptype) const;
  TTGAttribute* HasAttrib(const char* tag) const;
  TTGAttribute* HasAttrib(int proptype) const;
  // The number of editable attributes.
  int HasAttributes() const;
  // Removes (and deletes) the first attribute of that tag; 1 when one was removed.
  int RemoveAttrib(const char* tag);
  void ClearAttribs();
  // The sort-key attribute's tag, and the cached text of its value (null when none).
  const char* SortTag() const;
  const char* SortValue() const { return sort_value_; }

  // ---- Section data ----
  // Updates the entry of that section (ignoring case; null matches the entry without name) or
  // appends a new one with flag 0; returns the entry (null when out of memory).
  TSOData* SetSectionData(const char* section, double area, double length, int count);
  TSOData* GetSectionData(const char* section) const;
  void AddSectionData(TSOData* data);    // appended, taken
  int RemoveSectionData(TSOData* data);  // deleted; 1 when it was an entry of this item
  // all: every entry; a section: its entries; neither: the computed entries (flag without bit 1
  // or 2). Returns the number deleted.
  int ClearSectionData(const char* section, int all);
  // Sums the entries that have a section name and a flag other than 2; returns how many.
  int GetSectionTotals(double& area, double& length, int& count) const;
  // Moves the quantities from one section to another (the entity's MoveSmartObject); 1 when
  // moved, 0 without an entry for the source section.
  int MoveSectionData(const char* fromSection, const char* toSection);

  // The "SMARTOBJECT" record, keyword to "ENDSMARTOBJ"; 0 or the stream's error. AddToken
  // reads it after its keyword and then repairs what older files lack.
  int Save(DXFGroup* stream) const;
  int AddToken(DXFGroup* stream);

 private:
  friend class TSmartObjectList;
  void RefreshSortValue();
  TTGAttribList* EnsureAttribList();
  int SetFound(TTGAttribute* attrib, int datatype, const char* text);
  int ReadAttribute(DXFGroup* stream);
  int ReadSectionData(DXFGroup* stream);
  void RepairOldRecord();
  void AddMissingDouble(const char* tag, int proptype);
  void KeepFirstTag(const char* tag);

  char name_[kSmartObjectNameSize] = {};
  int rid_ = 0;
  int user_rid_ = 0;
  bool not_to_scale_ = false;
  int type_ = kGenericSmartObject;
  TTGAttribList* attribs_ = nullptr;  // always present
  TSmartObject* next_ = nullptr;
  TSmartObject* prev_ = nullptr;
  TSODataList section_data_;
  int legend_order_ = 0;
  int fields_ = 0;
  char* sort_value_ = nullptr;
  char roof_guid_[kSmartObjectGuidSize] = {};
  char guid_[kSmartObjectGuidSize] = {};
  char guid3_[kSmartObjectGuidSize] = {};
};

class TSmartObjectList {
 public:
  TSmartObjectList() = default;
  explicit TSmartObjectList(TSmartObject* one);     // holds just it (taken; null: empty)
  TSmartObjectList(const TSmartObjectList& other);  // deep copies of every item
  TSmartObjectList& operator=(const TSmartObjectList&) = delete;
  ~TSmartObjectList();

  // Appends the item (taken; null or an item already in a list is ignored).
  void Add(TSmartObject* item);
  // Unlinks the item and returns it (the caller owns it); null when it is not in this list.
  TSmartObject* Remove(TSmartObject* item);
  // The first item whose name equals name ignoring case; null for a null name or no match.
  TSmartObject* Search(const char* name) const;
  // The item at a 1-based position; null below 1 and past the end.
  TSmartObject* Search(int index) const;
  // The same names in the same order, ignoring case; two empty lists are identical.
  bool Ident(const TSmartObjectList* other) const;
  // Empties the list, deleting the items when asked.
  void Clear(bool deleteItems);
  // Replaces the content with deep copies of other's items; returns the new count.
  int Import(const TSmartObjectList* other);

  TSmartObject* Head() const { return head_; }
  TSmartObject* Tail() const { return tail_; }
  int Num() const { return count_; }

 private:
  TSmartObject* head_ = nullptr;
  TSmartObject* tail_ = nullptr;
  int count_ = 0;
};
