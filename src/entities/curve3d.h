#pragma once
// Base class of every drawing entity. It holds what all kinds share (end points, extent box,
// display attributes, identity, change state, layer link, GUID texts, takeoff items and the three
// reference lists) and defines the whole virtual interface, in a fixed slot order, with the base
// behaviour that each kind overrides where it needs to.
//
// Entities live on the heap and are owned by the document or by the entity list of an outline,
// block or undo record; an owning list deletes them through the virtual destructor. The child,
// exclusion and associated-dimension lists only refer to entities owned elsewhere.
//
// Pointer arguments may be null: an operation then does nothing and returns its failure value.

#include <memory>
#include <vector>

#include "entities/entitytype.h"
#include "geometry/box3d.h"
#include "geometry/dblclist.h"
#include "geometry/point3d.h"
#include "platform/win32.h"
#include "takeoff/tsmartobject.h"

class DXFGroup;
class LayerBag;
class TObjectTemplate;
class TSOData;
class TSODataList;

// Entity names hold 50 characters, GUID texts 38 (each with its terminator).
inline constexpr int kEntityNameSize = 51;
inline constexpr int kEntityGuidSize = 39;

// The change states recorded by State (see State(int) for the rules between them).
inline constexpr int kStateUnchanged = 0;
inline constexpr int kStateAdded = 1;
inline constexpr int kStateDeleted = 2;
inline constexpr int kStateChanged = 3;          // no effect on quantities
inline constexpr int kStateGeometryChanged = 4;  // may change quantities

// "Not near" result of the nearness queries.
inline constexpr double kNotNear = -1.0;

class Curve3D {
 public:
  // Both points at the origin.
  explicit Curve3D(int colour = 0, int lineType = 0, int thickness = 1, int fillColour = -1,
                   int fillPattern = -2);
  // The points are copied as given (a null point is the origin).
  Curve3D(const Point3D* spt, const Point3D* ept, int colour, int lineType, int thickness,
          int fillColour, int fillPattern);
  // The points are snapped.
  Curve3D(double x1, double y1, double z1, double x2, double y2, double z2, int colour,
          int lineType, int thickness, int fillColour, int fillPattern);
  // Copies as the copy constructor does; a null source gives a default entity.
  explicit Curve3D(const Curve3D* src);
  Curve3D(const Curve3D& src);
  // Assignment is Set: it keeps this entity's reference lists, layer and section name.
  Curve3D& operator=(const Curve3D& src);

  // ---- Virtual interface, in slot order ----------------------------------------------------

  virtual ~Curve3D();
  // Returns the number of children.
  virtual int AddChild(Curve3D* e, bool keepPosition);
  // Returns the number of associated dimensions.
  virtual int AddDimension(Curve3D* d);
  // Returns the number of exclusions.
  virtual int AddExclusion(Curve3D* e);
  // Record readers and writers: 0 for success or a result code of the group-code stream.
  virtual int AddDXFToken(DXFGroup* stream, int versionFlags);
  virtual int AddTGGToken(DXFGroup* stream, int versionFlags);
  virtual double Area(const char* name, int all);
  virtual double Area(int index, int all);
  virtual double Area(int all);
  virtual double Area(TSmartObject* so, int all);
  virtual double Angle();
  // With withDimensions non-zero the box is united with the boxes of the associated dimensions.
  // Written into out, which is returned; with a null out the entity's own box is returned.
  virtual Box3D* Box(int withDimensions, Box3D* out);
  virtual void Calcbox();
  // The Clear operations of the reference lists forget the entities (never deleting them) and
  // delete the list; each returns 1.
  virtual int ClearChildren();
  virtual int ClearDimensions();
  virtual int ClearExclusions();
  virtual int ClearSectionData(const char* section, int all);
  // Return 1 when the entity has no item left and its list was deleted, else 0.
  virtual int ClearSmartObject(const char* name);
  virtual int ClearSmartObjectByGuid(const char* guid);
  virtual int ClearSmartObjectByRoof(int roofId);
  virtual int ClearSmartObjectByType(int type);
  // Joins this entity's ends to its neighbours in an outline; true when an end was joined.
  virtual bool Connect(Curve3D* prev, Curve3D* next, Curve3D* outline);
  virtual int Count(int all);
  virtual int Count(const char* name, int all);
  virtual int Count(int index, int all);
  virtual int Count(TSmartObject* so, int all);
  // The colour index (-1 not set) and the fill colour index (negative: not filled).
  virtual int GetColour();
  virtual int GetFillColour();
  // Store the index; return the RGB value of the colour table entry.
  virtual COLORREF Colour(int c);
  virtual COLORREF Colour();
  // The fill colour's RGB value, as an int because lines report -1 ("never filled").
  virtual int FillColour(int c);
  virtual int FillColour();
  virtual int FillPattern(int p);
  virtual int FillPattern();
  virtual int ClearRoofId(int id, int all);
  // A new heap copy of this entity, of the entity's own class; null when out of memory.
  virtual Curve3D* Copy();
  // Painting. offset is the device position of the world origin; height (when non-zero) flips
  // device y; colourOverride is a colour index or -1 for none.
  virtual void Display(HDC dc, double scale, double stretch, Point3D* offset, int height,
                       int printing, int colourOverride);
  virtual void DisplayToClipboard(HDC dc, double scale, double stretch, Point3D* offset, int height,
                                  int printing, int colourOverride, RECT* clip);
  virtual void DisplayFilled(HDC dc, double scale, double stretch, Point3D* offset, int height,
                             int printing, int colourOverride, COLORREF fill);
  virtual double Depth();
  // Store the end point (snapped) and return it.
  virtual Point3D* Ept(double x, double y, double z);
  virtual Point3D* Ept(const Point3D* p);
  virtual Point3D* Ept();
  virtual int SectFlag(int n);
  virtual int SectFlag();
  // With a null list, the entity's own list (null when it has none); otherwise each dimension is
  // added to list, which is returned.
  virtual Dblclist* GetAssociatedDimensions(Dblclist* list);
  virtual Dblclist* GetExcludeList();
  // The number of live objects of the entity's class; 0 for the base.
  virtual int GetNum();
  // Attribute access through the takeoff items; 0 when no item answers or changes.
  virtual int GetAttr(int source, int type, char* buffer);
  virtual int GetAttr(const char* name, const char* tag, int dataType, char* buffer);
  virtual int SetAttr(int source, int type, int dataType, const char* text);
  virtual int SetAttr(int source, int type, const char* text);
  virtual int SetAttr(const char* name, const char* tag, int dataType, const char* text);
  virtual const char* GetSmartObjectID();
  virtual Dblclist* GetChildList();
  virtual TSODataList* GetDataList(int index);
  virtual HRGN GetRegion(double scale, double stretch, Point3D* offset, int height,
                         int patternFlag);
  virtual int GetRoofId(int index);
  virtual const char* GetRoofGuid(const char* name);
  virtual int GetOwnerRoofId(int force);
  virtual const char* GetOwnerGuid();
  virtual TSOData* GetSectionData(const char* name, const char* section);
  virtual TSOData* GetSectionData(int index, const char* section);
  virtual int GetSectionTotals(int index, double& area, double& length, int& count);
  // Counts of the reference lists.
  virtual int HasChildren();
  virtual int HasExclusions();
  virtual int HasSectionData();
  virtual int HasTotals();
  virtual TSmartObject* GetSmartObject(const char* name);
  virtual TSmartObject* GetSmartObject(int index);
  virtual TSmartObject* GetSmartObjectByGuid(const char* guid);
  virtual TSmartObjectList* GetSmartObjectList();
  // message, when given, is a caller's buffer of 256 characters for a refusal text.
  virtual bool CanAddSmartObjectType(int type, char* message);
  virtual int AddSmartObjectTPL(TObjectTemplate* tpl, int& nextId, int replace);
  virtual int AddSmartObjectSO(TSmartObject* so, int& nextId, int replace, bool copy);
  virtual int HasRoofId(int roofId);
  virtual int HasRoofGuid(const char* guid);
  // The number of takeoff items.
  virtual int HasSmartObject();
  virtual TSmartObject* HasSmartObjectType(int type);
  virtual TSmartObject* HasRoofSmartObject();
  virtual TSmartObject* HasOpeningSmartObject();
  virtual bool HasPitchedSmartObject();
  virtual int HasDoubleLineSmartObject(int n);
  virtual int HasV5SmartObject();
  virtual double Height();
  // Stores n and returns n + 1, the next free number (m is used by outlines).
  virtual int Id(int n, int m);
  virtual int Id();
  // Same kind, and both end points the same within kIdentTolerance.
  virtual bool Ident(Curve3D* other);
  // The plan intersection of the infinite lines through the two entities' end points, written
  // into out (z 0) and returned; null when parallel or when an argument is null.
  virtual Point3D* Intersect2D(Curve3D* other, Point3D* out);
  // As Intersect2D, but only when the point lies between the other entity's end points.
  virtual Point3D* Intersect2DSeg(Curve3D* other, Point3D* out);
  // True when an end of this entity meets an end of other; at receives this entity's end.
  virtual bool IsConnected(Curve3D* other, Point3D* at);
  virtual bool IsClosed();
  virtual int IsInside(Curve3D* c, double scale, double size);
  // Inside the extent box.
  virtual int IsInside(Point3D* p);
  virtual int IsInsideEx(Point3D* p);
  // Nearness queries: a non-negative distance, or kNotNear. The pick size is in screen units
  // and scale maps it to world units (tolerance size / scale).
  virtual double IsNear(Point3D* p, double scale, double size);
  virtual double IsNearMidPt(Point3D* p, Point3D* out, double scale);
  virtual double IsNearVertex(Point3D* p, Point3D* out, int& index, double scale, double size);
  virtual bool IsSection();
  virtual bool IsVertex(Point3D* p);
  // Links the layer and takes its name and GUID; null unlinks and forgets the layer name.
  virtual LayerBag* Layer(LayerBag* layer);
  virtual LayerBag* Layer();
  // Replaces the stored layer name without touching the link.
  virtual const char* Layername(const char* text);
  // The linked layer's name, else the stored name (null when neither).
  virtual const char* Layername();
  virtual const char* SetLayerGuid(const char* text);
  virtual double Length(const char* name, int all);
  virtual double Length(int index, int all);
  virtual double Length(TSmartObject* so, int all);
  virtual double Length(int all);
  // Distance from Spt to Ept.
  virtual double FlatLength(int all);
  virtual int GetLinetype();
  // A non-zero line type forces the thickness to 1: patterned lines are one pixel wide.
  virtual int Linetype(int n);
  // The line type's name.
  virtual const char* Linetype();
  virtual Point3D* LocalEpt(const Point3D* p);
  virtual Point3D* LocalEpt();
  virtual Point3D* LocalSpt(const Point3D* p);
  virtual Point3D* LocalSpt();
  // Reflects in the plane {q : q . normal = distance}.
  virtual Curve3D* Mirror(const Point3D* normal, double distance);
  virtual int MoveSmartObject(const char* name, const char* fromSection, const char* toSection);
  virtual const char* Name(const char* text);
  virtual const char* Name(int index, char* buffer);
  virtual Curve3D* NextSegment();
  // The number of associated dimensions.
  virtual int Dimensions();
  virtual bool Overlap(Curve3D* c, double zoom);
  // A new entity (owned by the caller) for the part two collinear entities share, or null.
  virtual Curve3D* OverlappedSegment(Curve3D* other, double scale, double size);
  virtual int OverlapTotals(int index, Curve3D* other, double& area, double& length, int& count,
                            double zoom);
  virtual void Paint(HDC dc, double scale, double stretch, Point3D* offset, int height,
                     int printing, int colourOverride);
  virtual void PaintFilled(HDC dc, double scale, double stretch, Point3D* offset, int height,
                           int printing, int colourOverride, COLORREF fill);
  virtual void PaintToClipboard(HDC dc, double scale, double stretch, Point3D* offset, int height,
                                int printing, int colourOverride, RECT* clip);
  virtual double Pitch();
  virtual double PtOnLine(Point3D* p, double scale, double size);
  // Asks each associated dimension to recompute itself from this entity.
  virtual void ReCalcDimensions();
  // Return the number of entities left in the list.
  virtual int RemoveChild(Curve3D* e);
  virtual int RemoveDimension(Curve3D* d);
  virtual int RemoveExclusion(Curve3D* e);
  virtual void ResetLocalCoords(const Point3D* origin);
  virtual void ResetChildCoords();
  virtual void ResetGlobalCoords(const Point3D* origin);
  virtual int RestoreData(int index);
  virtual const char* RName(int index);
  virtual int TFlag(int n);
  virtual int TFlag();
  // Rotations about the line through centre along axis; the angle in radians.
  virtual Curve3D* Rotate(const Point3D* centre, const Point3D* axis, double angle);
  virtual Curve3D* Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn);
  // Record writers: the own form, and the exchange form on the given layer (null: the entity
  // chooses). 0 for success or the first failure of a group write.
  virtual int TGGSave(DXFGroup* stream, int mode);
  virtual int TPSave(DXFGroup* stream, const char* layerName);
  virtual Curve3D* Scale(const Point3D* centre, const Point3D* factors);
  virtual Curve3D* Scale(const Point3D* centre, double s);
  // A heap copy of text (null clears it); records State(4).
  virtual const char* Sectionname(const char* text);
  virtual const char* Sectionname();
  virtual Curve3D* Segment(int n);
  virtual int Segment();
  virtual void SegmentFlush();
  virtual int IsSelected();
  virtual int Selected(int n);
  // Copies src's geometry, display and identity into this entity (see the .cpp for the fields).
  virtual Curve3D* Set(Curve3D* src);
  virtual double SetAngle(double a);
  virtual double SetDepth(double d);
  virtual double SetHeight(double h);
  virtual double SetLength(double l);
  virtual double SetWidth(double w);
  virtual double SetPitch(double p);
  // Stores a valid GUID, else empties the field; returns the field.
  virtual const char* SetOwnerGuid(const char* text);
  virtual int SetRoofId(int index, int roofId, int ownerId);
  virtual int SetRoofId(const char* name, int roofId, int ownerId);
  virtual int SetRoofGuid(const char* name, const char* guid);
  virtual int SetSectionData(int index, const char* section, double area, double length, int count);
  // Replaces the list by a deep copy of list (the caller keeps list); null or an empty list
  // leaves the entity without one. Returns the number of items.
  virtual int SetSmartObjectList(TSmartObjectList* list);
  virtual int SmartObjectNum();
  virtual const char* SortTag(const char* name);
  virtual const char* SortTag(int index);
  virtual const char* SortValue(const char* name);
  virtual const char* SortValue(int index);
  // Store the start point (snapped) and return it.
  virtual Point3D* Spt(double x, double y, double z);
  virtual Point3D* Spt(const Point3D* p);
  virtual Point3D* Spt();
  virtual int State();
  // Applies the change-state rules and returns the resulting state.
  virtual int State(int n);
  virtual int SuppressData(int index);
  virtual int Type(int n);
  virtual int Type();
  // A thickness above 1 forces the line type to continuous: thick lines are always solid.
  virtual int Thickness(int t);
  virtual int Thickness();
  virtual Curve3D* Translate(const Point3D* v, bool moveLocal);
  virtual double Width();
  // Plan direction of other minus that of this entity, in degrees 0 to under 360.
  virtual double XYangle(Curve3D* other);
  virtual double XYangle();
  // Resets the entity to empty; keeps the exclusions, the name and the GUID texts.
  virtual void Zero();

  // ---- Plain accessors ---------------------------------------------------------------------

  bool Frozen(bool b) { return frozen_ = b; }
  bool Frozen() const { return frozen_; }
  int FillPatternValue() const { return fill_pattern_; }
  const char* Guid() const { return guid_; }
  // Stores the text as it is (cut to 38 characters); used when reading records.
  const char* Guid(const char* text);
  const char* LayerGuid() const { return layer_guid_; }
  const char* OwnerGuidText() const { return owner_guid_; }
  int SegmentPosition() const { return segment_position_; }
  int SegmentPosition(int n) { return segment_position_ = n; }
  int LegacyType() const { return legacy_type_; }
  int LegacyType(int n) { return legacy_type_ = n; }
  double LegacyPitch() const { return legacy_pitch_; }
  double LegacyPitch(double p) { return legacy_pitch_ = p; }
  // The layer name stored on the entity itself (null when none), whatever the link.
  const char* StoredLayername() const { return layer_name_.get(); }

  // Ends the same point within kIdentTolerance.
  bool operator==(const Curve3D& other) const;
  // Start points compared exactly: by z, then y, then x.
  bool operator<(const Curve3D& other) const;

 private:
  // The reference lists never own their entities: they are emptied with Clear(0) before the list
  // itself is deleted.
  struct RefListDeleter {
    void operator()(Dblclist* list) const;
  };
  using RefList = std::unique_ptr<Dblclist, RefListDeleter>;

  void InitBox();
  void CopyFrom(const Curve3D& src);
  static std::unique_ptr<TSmartObjectList> CopySmartObjects(const TSmartObjectList* src);
  static void CopyGuidIfSet(char (&dst)[kEntityGuidSize], const char* src);
  // Ends every clearing of takeoff items: records the change when deleted > 0 and drops the
  // list once empty. 1 when the entity has no item left, else 0.
  int AfterClearing(int deleted);
  // Every change to the three reference lists goes through these four, which keep each listed
  // entity's record of who lists it (referrers_). That record lets an entity that is deleted
  // leave every list that still names it, in time proportional to the lists it is on.
  // Adds e to list (created on first use); returns the count, or 0 when out of memory.
  int AddToRefList(RefList& list, Curve3D* e);
  // Detaches e; deletes the list when it becomes empty. Returns the count left.
  int DetachFromRefList(RefList& list, Curve3D* e);
  // Empties and deletes the list.
  void ResetRefList(RefList& list);
  // Takes e out of all three lists without telling anybody: e is being destroyed.
  void ForgetDestroyed(Curve3D* e);
  void DropReferrer(Curve3D* referrer);
  // Applies op to each child that is not selected, marked selected while op runs.
  template <typename Op>
  void MoveUnselectedChildren(Op op);
  // Tells every associated dimension it is no longer associated, then forgets the list.
  void ForgetDimensions();
  // The one place where a dimension learns that it measures this entity, no longer measures
  // it, or must recompute itself from it.
  enum class DimensionNotice { kAssociated, kDissociated, kRecalculate };
  void TellDimension(Curve3D* dimension, DimensionNotice notice);

  int fill_colour_;
  int fill_pattern_;
  int colour_;
  int line_type_;
  int id_ = 0;
  char guid_[kEntityGuidSize] = {};
  char owner_guid_[kEntityGuidSize] = {};
  char layer_guid_[kEntityGuidSize] = {};
  int segment_position_ = 0;
  std::unique_ptr<TSmartObjectList> smart_objects_;
  int thickness_;
  int state_ = kStateUnchanged;
  Box3D box_;
  Point3D spt_;
  Point3D ept_;
  Point3D local_spt_;
  Point3D local_ept_;
  int type_ = kEntityUnknown;
  int selected_ = 0;
  int segment_ = 0;
  bool frozen_ = false;
  int tflag_ = 0;
  int legacy_type_ = 0;
  int sect_flag_ = 0;
  std::unique_ptr<char[]> section_name_;
  double legacy_pitch_ = 0.0;
  char name_[kEntityNameSize] = {};
  LayerBag* layer_ = nullptr;
  std::unique_ptr<char[]> layer_name_;
  RefList dimensions_;
  RefList exclusions_;
  RefList children_;
  // The entities whose child, exclusion or dimension list holds this one, once per list.
  std::vector<Curve3D*> referrers_;
};
