#pragma once
// The catalogue of takeoff item types. Every item (a roof area, a hip, an eave, a drain, a
// condition...) carries one of 82 integer type codes, 6100 to 6181. Files store the type by its
// internal name, never by number, so those names are fixed letter for letter. Everything here is
// a free function over constant tables; nothing is kept per drawing.

inline constexpr int kSmartObjectTypeCount = 82;
// The drawing tool a fresh template starts with (the host's outline tool).
inline constexpr int kDefaultTool = 19;

// Quantity flags of a template's Fields: which quantities a type reports.
inline constexpr int kFieldArea = 1;
inline constexpr int kFieldLength = 2;
inline constexpr int kFieldCount = 4;

// The internal name and the display name of a type. The row is the remainder of code divided by
// 6100, so the full code and the code minus 6100 give the same row; a remainder outside 0..81
// gives "Generic".
const char* GetSmartObjectName(int code);
const char* GetSmartObjectDisplayName(int code);
// The code whose internal name equals name exactly (case counts); 6100 for null or no match.
// Display names are not keys.
int GetSmartObjectType(const char* name);
int GetSmartObjectTypeNum();  // 82

bool IsRoof(int code);                  // the two outline types a roof can carry
bool IsOpeningSmartObject(int code);    // holes in a roof
bool IsPerimeterSmartObject(int code);  // types that sit on the sides of a roof outline
bool IsPitchedSmartObject(int code);
// Types newer than the older template layout can hold: every code above 6148.
bool IsV5SmartObject(int code);
// Types drawn and measured as a band along their line. Eaves, rake edges and parapet walls are
// such a band only when flag is false.
bool IsDoubleLineSmartObject(int code, bool flag);
bool IsConditionSmartObject(int code);
// Every catalogue type except Generic and the conditions.
bool IsRoofSystemSmartObject(int code);

// Writes "Roof A", "Roof B" ... "Roof Z", "Roof a" ... for index 0, 1 ... into buffer (at most 50
// characters with the terminator) and returns buffer; null buffer: writes nothing, returns null.
char* GenerateRoofName(int index, char* buffer);

// The user-facing name of an entity kind code, "Unknown Graphic Type" for any code that has none.
const char* GetGraphicTypeName(int type);

// One attribute a fresh template of a type receives, in the order it is saved and shown.
struct AttributeDefault {
  const char* tag;
  int proptype;
  int datatype;
  const char* text;
  bool read_only;
};

// What a template of a type is reset to: its attributes, the quantity flags ORed into Fields,
// and its drawing tool.
struct SmartObjectProfile {
  const AttributeDefault* attributes;  // null when attribute_count is 0
  int attribute_count;
  int fields;
  int tool;
};

// The default profile of a type; null for 6100 and codes outside 6101..6181, which leave a
// template's attributes empty and its flags unchanged.
const SmartObjectProfile* GetSmartObjectProfile(int code);
