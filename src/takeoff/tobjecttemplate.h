#pragma once
// A takeoff template: the named, reusable definition of a takeoff item. It holds the item's type,
// its default attributes, the display properties an entity takes when it receives the item, an
// optional symbol and a label text, and the drawing tool that places it. The tool decides which
// size attributes are measured from the drawing and which the user types in.

class Block3D;
class Text3D;
class TTGAttribList;
class TTGAttribute;

inline constexpr int kTemplateNameSize = 50;  // 49 characters and the terminator
inline constexpr int kTemplateGuidSize = 39;  // 38 characters and the terminator

// Version flag of the template reader: the file is older than 3.1 (its tool 11 means 1).
inline constexpr int kTemplateFileBefore31 = 4;

// Display defaults of a fresh template.
inline constexpr int kTemplateThickness = 1;
inline constexpr int kTemplateNoFillColour = -1;
inline constexpr int kTemplateNoFillPattern = -2;

class TObjectTemplate {
 public:
  // Empty name, type Generic, tool 19, the display defaults, no attributes.
  TObjectTemplate();
  // Sets the fields, tool 19, an empty label and no attributes, then SetupTemplate(type).
  TObjectTemplate(const char* name, int type, int colour, int linetype, int thickness,
                  int fillColour, int fillPattern);
  // Deep copies of the attributes, the label, the symbol and the layer name.
  TObjectTemplate(const TObjectTemplate& other);
  TObjectTemplate& operator=(const TObjectTemplate& other);
  ~TObjectTemplate();

  // A new deep copy (null when out of memory).
  TObjectTemplate* Copy() const;
  // Becomes a deep copy of other (null: nothing).
  void Set(const TObjectTemplate* other);

  // ---- Plain fields ----
  // Null when the template has no layer of its own.
  const char* Layername() const { return layername_; }
  void Layername(const char* name);  // a heap copy; null or empty clears it
  const char* Name() const { return name_; }
  void Name(const char* name);  // cut to 49 characters; null empties it
  int RFlag() const { return type_; }
  void RFlag(int type) { type_ = type; }
  bool NotToScale() const { return not_to_scale_; }
  // Sets the flag and re-applies the tool.
  void NotToScale(bool flag);
  int Colour() const { return colour_; }
  void Colour(int colour) { colour_ = colour; }
  int Linetype() const { return linetype_; }
  void Linetype(int linetype) { linetype_ = linetype; }
  int Thickness() const { return thickness_; }
  void Thickness(int thickness) { thickness_ = thickness; }
  int FillColour() const { return fill_colour_; }
  void FillColour(int colour) { fill_colour_ = colour; }
  int FillPattern() const { return fill_pattern_; }
  void FillPattern(int pattern) { fill_pattern_ = pattern; }
  int LegendOrder() const { return legend_order_; }
  void LegendOrder(int order) { legend_order_ = order; }
  int Fields() const { return fields_; }
  void Fields(int fields) { fields_ = fields; }
  // The integer kept with the template under group code 64; its meaning is the host's.
  int Option() const { return option_; }
  void Option(int option) { option_ = option; }
  // The roof identifier each new item receives as UserRId.
  int GetRoofId() const { return roof_id_; }
  void SetRoofId(int id) { roof_id_ = id; }

  // GUIDs copied into each new item: its own, its roof's and a third. Stored as given (cut to 38
  // characters; null empties); the item takes only valid ones.
  const char* GetGuid() const { return guid_; }
  void SetGuid(const char* guid);
  const char* GetRoofGuid() const { return roof_guid_; }
  void SetRoofGuid(const char* guid);
  const char* GetGuid3() const { return guid3_; }
  void SetGuid3(const char* guid);

  // ---- Symbol and label (owned) ----
  Block3D* GetSymbol() const { return symbol_; }
  // Takes the block (null: none) and deletes the one held before.
  void SetSymbol(Block3D* symbol);
  // Never null: the label, possibly without text.
  Text3D* GetText() const { return text_; }
  // Takes the text and deletes the one held before; null gives an empty label.
  void SetText(Text3D* text);

  // ---- Type, tool and attributes ----
  // Sets the type and resets to its default profile: the attributes are replaced, the profile's
  // quantity flags ORed into Fields and its tool applied. Generic and codes outside the catalogue
  // leave no attributes and Fields and the tool unchanged.
  void SetupTemplate(int type);
  int Tool() const { return tool_; }
  // Sets the tool and makes the size attributes of the type measured or typed by it.
  int Tool(int tool);
  // Adds the size attributes the type needs and lacks, then re-applies the tool.
  void ValidateAttribs();

  TTGAttribList* GetAttribList() const { return attribs_; }
  // Appends a new attribute with property source 1; returns it, null when out of memory.
  TTGAttribute* AddAttrib(const char* tag, int proptype, int datatype, bool readOnly,
                          const char* text);
  // Appends the attribute (taken; null ignored).
  void AddAttrib(TTGAttribute* attrib);
  // Format the found attribute's value into buffer (size characters with the terminator); 1
  // when written. By tag the attribute must have property source 1.
  int GetAttrib(const char* tag, int datatype, char* buffer, int size) const;
  int GetAttrib(int propsource, int proptype, int datatype, char* buffer, int size) const;
  TTGAttribute* GetAttribute(int propsource, int proptype) const;
  TTGAttribute* GetAttribute(int proptype) const;  // any property source
  // Set the found attribute's value; 1 when found, else 0.
  int SetAttrib(const char* tag, int datatype, const char* text);
  int SetAttrib(int propsource, int proptype, int datatype, const char* text);
  // The first attribute of that property type (any source) takes the source, the value and the
  // read-only flag; 1 when found, else 0.
  int SetAttribProps(int proptype, int propsource, int datatype, const char* text, bool readOnly);
  // The first attribute of that property type takes the source; 1 when found, else 0.
  int SetPropertySource(int proptype, int propsource);
  // The first attribute of that property type takes the read-only flag and the source.
  int SetReadOnly(int proptype, bool readOnly, int propsource);
  // False when no attribute has that property type.
  bool IsReadOnly(int proptype) const;
  // The number of editable attributes.
  int HasAttributes() const;
  void ClearAttribs();
  void ClearReadOnlyAttribs();

  // ---- Reading ----
  // Brings a template read from a file up to date: old tool codes, attributes older files lack
  // or should not have, types that were split since, the fill, then ValidateAttribs. The
  // template file reader calls it last for every template record.
  void RepairAfterRead(int versionFlags);

 private:
  void CopyFrom(const TObjectTemplate& other);
  TTGAttribList* EnsureAttribList();
  void ApplyToolRules();
  void AddMissing(int proptype, const char* tag, const char* text);
  void RemoveTag(const char* tag);
  void MakePitchedOpening();

  char* layername_ = nullptr;
  char name_[kTemplateNameSize] = {};
  int type_;
  int tool_;
  Block3D* symbol_ = nullptr;
  Text3D* text_ = nullptr;
  TTGAttribList* attribs_ = nullptr;
  bool not_to_scale_ = false;
  int colour_ = 0;
  int linetype_ = 0;
  int thickness_ = kTemplateThickness;
  int fill_colour_ = kTemplateNoFillColour;
  int fill_pattern_ = kTemplateNoFillPattern;
  int legend_order_ = 0;
  int fields_ = 0;
  int option_ = 0;
  int roof_id_ = 0;
  char guid_[kTemplateGuidSize] = {};
  char roof_guid_[kTemplateGuidSize] = {};
  char guid3_[kTemplateGuidSize] = {};
};
