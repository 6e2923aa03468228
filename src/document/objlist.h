#pragma once
// The drawing document. It owns every entity of a drawing, each wrapped in an ObjItem, together
// with the layer table, block table, section list, legend, undo history and viewport, and the
// drawing settings. An item sits on the chain of all items, on its layer's chain, and while
// selected or carrying smart objects on the selection and roof-object chains.
//
// Identifiers: every entity added through Add gets an identifier no other entity of the document
// uses; the used identifiers are kept in a hash set. Look-up by identifier (GetObj, GetObjItem)
// means "the first entity in chain order with that identifier". An index from identifier to item
// answers that in constant time; a hit is verified against the item before it is trusted, a miss
// or a failed check falls back to the walk, and an identifier that two items were seen to share
// is always answered by the walk. Entity identifiers are meant to change only through the
// document; an identifier changed behind its back is still found, by the walk.

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "document/layertable.h"
#include "document/objitem.h"
#include "document/undolist.h"
#include "geometry/box3d.h"
#include "geometry/point3d.h"
#include "platform/win32.h"

class Block3D;
class DblPlist;
class DblRlist;
class Insert3D;
class Multi3D;
class Text3D;

class BlockTable;
class Curve3D;
class Dblclist;
class TLegendList;
class TSectionList;
class Viewport;

// The layer that holds the drawing format; it survives clearing and stays out of the legend.
inline constexpr const char* kFormatLayerName = "$FORMAT";
// The layer new entities go to when the table has no current layer, and its colour (also the
// colour of layers created by naming them).
inline constexpr const char* kDefaultLayerName = "0";
inline constexpr int kDefaultLayerColour = 7;
// File versions written with the drawing: with smart objects of the newer catalogue, and without.
inline constexpr const char* kFileVersionV5 = "5.0.56.0";
inline constexpr const char* kFileVersionV4 = "4.5.0.15";
// Size of the buffer ObjLayer fills: a layer name and its terminator.
inline constexpr int kObjLayerBufferSize = 51;

class Objlist {
 public:
  Objlist();
  ~Objlist();

  // A member-by-member copy would share the chains and owned objects of the source and delete
  // them twice; handing settings from one document to another gets an explicit operation when
  // it is needed.
  Objlist(const Objlist&) = delete;
  Objlist& operator=(const Objlist&) = delete;

  // ---- Adding ---------------------------------------------------------------------------------

  // Adds e on the named layer (created with colour 7 when missing) or, without a name (null or
  // empty), on the current layer ("0" is created when there is none). Gives e and its parts free
  // identifiers. Returns the new item, which owns e; null when e is null, already in this
  // document, or no layer could be had (the caller then still owns e).
  ObjItem* Add(Curve3D* e, const char* layerName = nullptr);
  // Appends an item that is on no chain of this document and holds an entity. Null otherwise.
  ObjItem* AddItem(ObjItem* item);
  LayerBag* Add_Layer(const char* name, int flags, int colour, int style);
  // The table's answer: when a layer of that name exists it is returned and layer is not stored
  // (the caller still owns it).
  LayerBag* Add_Layer(LayerBag* layer);
  // Enters an item of this document into the chain of items whose entity carries smart objects;
  // returns it (null for an item that is not in the document).
  ObjItem* Add_RoofObject(ObjItem* item);

  // ---- Removing -------------------------------------------------------------------------------

  // Unlinks the item from the chain of all items only; null for an item not on it.
  ObjItem* RemoveItem(ObjItem* item);
  // Takes the item off every chain of the document without deleting it: the caller owns it. An
  // item that is not on the chain of all items is returned untouched.
  ObjItem* Remove(ObjItem* item);
  // Removes and deletes the item (and, with withDimensions, the unselected dimensions that
  // measure its entity). Entities of the document that still list a deleted entity as a child,
  // exclusion or dimension are made to forget it first, so no entity refers to a deleted one.
  // Returns 1, or 0 for an item that is not in this document.
  int DeleteItem(ObjItem* item, int withDimensions);
  // DeleteItem for many items at once: the references are cleaned in one pass over the
  // document, so deleting many items costs one walk, not one walk per item. Null entries and
  // items not in the document are passed over. Returns the number of items deleted.
  int DeleteItems(const std::vector<ObjItem*>& items, int withDimensions);
  // Leaves the chain of roof objects; returns the item, or null when it was not on it.
  ObjItem* RemoveRoofObject(ObjItem* item);
  // Empties the document. Items on "$FORMAT" stay unless clearBlocks is non-zero; clearing the
  // layers keeps the layers that still hold such items, so no kept entity loses its layer.
  void Clear(int deleteItems, int clearLayers, int clearBlocks);

  // ---- Identifiers ----------------------------------------------------------------------------

  bool ValidateTGID(int id) const;
  int SetIdno(int n, bool reserve);
  void FreeIDs(Curve3D* e);
  Curve3D* GetObj(int id) const;
  ObjItem* GetObjItem(int id) const;
  int GetIdno() const { return idno_; }

  // ---- Chains and queries ---------------------------------------------------------------------

  ObjItem* GetHead() const { return head_; }
  ObjItem* GetLast() const { return tail_; }
  ObjItem* GetSHead() const { return shead_; }
  ObjItem* GetRHead() const { return rhead_; }
  int Noofobjs() const { return count_; }
  int NumSelected() const { return num_selected_; }
  bool IsSelected() const { return num_selected_ > 0; }
  // Exactly one item is selected and its entity is closed.
  bool IsClosed() const;
  int Count(int type) const;
  int Count(const char* name) const;
  // The corners of the union of the entity boxes of non-zero size; "$FORMAT" entities count
  // only with includeFormat. The origin for both when nothing counts.
  void CalcExtents(Point3D* min, Point3D* max, int includeFormat) const;
  const char* GetFileVersion() const;

  // ---- Selection ------------------------------------------------------------------------------
  //
  // Only items on a visible layer, or on the current layer, take part in picking and window
  // selection; items on a frozen layer can be snapped to but are never selected. Pick
  // tolerances are in screen pixels, turned into drawing units through GetScale() x GetStretch().

  // Selects (select true) or deselects the entity's item with that identifier; 1 when the item
  // was found, else 0.
  int SelectItemById(int id, bool select);
  // Clears the selection: every selected item is unlinked and unmarked, its segment marks
  // flushed; count 0, the selection box zeroed and the grips flushed.
  void DeSelectAll(int all);
  const Box3D* GetSelectionBox() const { return &selection_box_; }
  // which 0: every pickable item of the current layer; otherwise every item not on an Eplan
  // layer. The selection is cleared first. Returns the number selected.
  int SelectAll(int which);
  // With exactly one item selected, selects the next (previous) item in document order instead,
  // wrapping around. 1 when the selection moved, else 0.
  int SelectNext();
  int SelectPrev();
  // Adds every item whose entity is the roof or carries a smart object of that roof (outlines
  // whole); returns the number of items added.
  int SelectRoofItems(int roof);
  // Adds (removes) the entities carrying a smart object of that name (compared without regard to
  // case): a whole entity when it carries it itself, else the outline with just the segments
  // that carry it. Returns the number of items whose selection changed.
  int SelectSmartObject(const char* name);
  int DeselectSmartObject(const char* name);
  // The same by smart-object type code (6100 to 6181).
  int SelectSmartObjectByProp(int type);
  int DeselectSmartObjectByProp(int type);
  // Recounts the selection and rebuilds its box from the selected entities.
  void ReScanSelected();

  // True unless e carries smart objects and is an arc, a circle or an outline with arc segments
  // (their quantities would not follow a stretch).
  bool IsItemStretchable(Curve3D* e) const;
  // Every selected entity stretchable (true for an empty selection).
  bool IsSelectionStretchable() const;
  // 1 when an insert is selected.
  int IsInsertSelected() const;
  // The single selected text or dimension; null otherwise.
  Curve3D* IsSelectedObjText() const;
  Curve3D* IsSelectedObjDimension() const;
  // The one outline (image) of the selection when everything else selected is a dimension.
  Curve3D* IsSelectedObjMultiLine() const;
  Curve3D* IsSelectedObjImage() const;
  // "<No Object Selected>", "<Multiple Selection>" or the selected entity's name.
  const char* ObjectDescription();
  // The same into buffer (cut to size - 1 characters); a single image gives its file name.
  // Returns buffer (null for a null buffer or size below 1).
  char* ObjectName(char* buffer, int size);

  // ---- Locating -------------------------------------------------------------------------------

  // Selects by rectangle (box) or by point (p); without add the selection is cleared first.
  // Returns the selection box when something was found, else null.
  const Box3D* Locate(Box3D* box, Point3D* p, int add);
  // The line, roof edge or open outline with an end point within 5 pixels of p (nearest wins);
  // out receives the end point.
  Curve3D* LocateEndPt(Point3D* p, Point3D* out);
  // The nearest straight piece within 30 pixels; with target, the result only when a side of
  // target lies on the same line (that side is marked).
  Curve3D* LocateLine(Point3D* p, int withOutlines, Multi3D* target);
  // The nearest outline within 30 pixels (closed ones only with closedOnly); select adds it to
  // the selection whole.
  Multi3D* LocateMulti(Point3D* p, int closedOnly, int select);
  Curve3D* LocateDimensionableItem(Point3D* p);
  Curve3D* LocateHipValleyTarget(Point3D* p);
  // The entities the last point pick came near, in document order.
  const std::vector<Curve3D*>& FoundList() const { return found_; }

  // ---- Snapping -------------------------------------------------------------------------------
  //
  // Each converts lp to world, searches own first (when given) and then every entity on a
  // visible layer, and on success writes the snapped point to out (when given) and back to lp.

  int SnapToLine(tagLPOINT* lp, Point3D* ref, Point3D* out, Multi3D* own);
  int SnapToMidPt(tagLPOINT* lp, Point3D* out, Multi3D* own);
  int SnapToVertex(tagLPOINT* lp, Point3D* out, Multi3D* own);
  // Grid snap through the viewport; without one, lp converted to world unchanged.
  void SnapToGrid(tagLPOINT* lp, Point3D* out);

  // ---- Grips ----------------------------------------------------------------------------------

  // Rebuilds the grips: mode 0 the two ends of a single selected line (-10, -11) or the eight
  // grips of the selection rectangle (-1 to -8, opposite grips four apart); mode 1 one grip per
  // vertex of a single selected outline (1, 2, ...). Returns the number of grips.
  int SetCornerBoxes(int mode);
  // The grip containing the device point, else 0.
  int PtInCornerBoxes(const tagPOINT* dp);
  // The grip opposite to grip (0 for grip 0 or an unknown grip), the one that stays fixed while
  // grip is dragged: a receives its centre, b and c the lower-left and upper-right corners of the
  // selection rectangle (logical coordinates), so a side grip can keep the other axis.
  int GetRectOppositeCorner(int grip, tagLPOINT* a, tagLPOINT* b, tagLPOINT* c);
  DblRlist* GetCornerBoxes() const { return corner_boxes_.get(); }
  // The vertex list of the outline whose vertex grips are shown (mode 1), else null.
  DblPlist* GetGripVertices() const { return grip_vertices_.get(); }

  // ---- Viewport and coordinate mapping --------------------------------------------------------
  //
  // Each conversion goes through the viewport; without one, world and screen coordinates are the
  // same numbers (doubles truncated to integers).

  // Replaces the viewport by a new one on the window.
  Viewport* SetupViewport(HWND window, int border);
  double LXToW(int x);
  double LYToW(int y);
  double DXToW(int x);
  double DYToW(int y);
  int WXToL(double x);
  int WYToL(double y);
  int WXToD(double x);
  int WYToD(double y);
  int LXToD(int x);
  int LYToD(int y);
  int DXToL(int x);
  int DYToL(int y);
  tagLPOINT* DpToLp(const tagPOINT* dp, tagLPOINT* lp);
  tagPOINT* LpToDp(const tagLPOINT* lp, tagPOINT* dp);
  Point3D* DpToWp(const tagPOINT* dp, Point3D* wp);
  Point3D* LpToWp(const tagLPOINT* lp, Point3D* wp);
  tagLPOINT* WpToLp(const Point3D* wp, tagLPOINT* lp);
  tagPOINT* WpToDp(const Point3D* wp, tagPOINT* dp);
  // A device rectangle as a world box (min at the lower left) and back.
  Box3D* RectToBox(const tagRECT* r, Box3D* b);
  tagRECT* BoxToRect(const Box3D* b, tagRECT* r);
  // The scale and stretch pixels are measured with: the viewport's, else the drawing scale and 1.
  double GetScale() const;
  double GetStretch() const;
  // The stretch; republishes the drawing settings. Returns the previous stretch.
  double SetStretch(double s);
  // mode kZoomBox with a box zooms to the box, other modes by the zoom step about at. Texts,
  // dimensions and inserts then follow the new stretch. Returns the previous stretch (0 without
  // a viewport).
  double SetZoom(int mode, Box3D* b, tagPOINT* at);
  double SetZoom(Box3D* b);
  int GetZoomStep() const { return zoom_step_; }
  int SetZoomStep(int percent) { return zoom_step_ = percent; }
  // Sets the drawing scale. With base, the "$FORMAT" layer's entities are scaled about base by
  // old / s so the drawing format keeps its paper size; the third argument is reserved. Returns
  // the stored scale.
  double SetDrawingScale(double s, Point3D* base, int reserved);
  // The viewport's client size is re-read and its extents set from the document's.
  void Size();
  // The screen offset of the mapping (the viewport's GetWCOffset), kept and copied to out.
  Point3D* GetOffset(Point3D* out);

  // ---- Layers ---------------------------------------------------------------------------------

  LayerBag* Layer(const char* name) const;
  int NoofLayers() const;
  LayerTable* GetLayerTable() const { return layers_.get(); }
  LayerBag* CurrentLayer() const;
  // Null when the name is unknown (the current layer then stays).
  LayerBag* CurrentLayer(const char* name);
  LayerBag* CurrentLayer(LayerBag* layer);
  const char* LayerName() const;
  // Renames the current layer and every entity on it; null when refused (see LayerTable).
  const char* LayerName(const char* name);
  // The layer name shared by all selected items, or the emptied buffer (51 characters).
  char* ObjLayer(char* buffer) const;
  // Moves every selected item to the existing layer of that name; null when there is none.
  LayerBag* SetObjLayer(const char* name);
  // Deletes every item on the layer; the layer stays. 1 when the layer exists.
  int DeleteByLayer(const char* name);
  // Deletes the layer (with deleteItems, its items first). A layer that still holds items is
  // kept when deleteItems is 0: deleting it would leave entities on no layer. 1 when deleted.
  int DeleteLayer(const char* name, int deleteItems);
  int DeleteLayer(LayerBag* layer, int deleteItems);
  void DeSelectLayer();
  // Deletes every item on an Eplan layer, then the Eplan layers.
  void ClearEplan();

  // ---- Blocks -----------------------------------------------------------------------------------

  // Adds a block definition (taken) to the block table and marks the document dirty. Null (the
  // caller keeps the block) for a null block or a name the table cannot file or already holds.
  Block3D* Add_Block(Block3D* block);
  // Deletes the block of that name with every insert of it, and the nested blocks that thereby
  // lose their last reference. 1 when the block was in the table, else 0.
  int DeleteBlock(const char* name);
  // Marks the block of the insert, and every block nested in it, as used.
  void FlagBlocks(Insert3D* insert);
  // Deletes the blocks no insert uses (keeping template symbols' marks cleared); with mode 1 a
  // second insert of a block already marked by the walk is taken out and destroyed.
  void CleanupSymbols(int mode);

  // ---- Texts of the selection -----------------------------------------------------------------
  //
  // Each acts on the selected texts and, where said, on the selected dimensions' texts.

  // Texts SetFontSize, dimensions their point size; 1 when any changed (the document is then
  // dirty).
  int SetFontSize(double points);
  // The size shared by the selected texts and dimensions; 0 when they differ or there is none.
  int FontSize() const;
  // Texts SetFontName, dimensions their face name; 1 when any changed.
  int SetFont(const char* faceName);
  // Texts SetFont(record, points, flags), dimensions the record's face name and the size; 1 when
  // any changed.
  int SetFont(const LOGFONTA* font, double points, int flags);
  // The alignment code shared by the selected texts; 0 when they differ or none is selected.
  int FontAlignment() const;
  int SetFontAlignment(int code);
  // The style bits shared by the selected texts; 0 when they differ or none is selected.
  int FontAttributes() const;
  int SetFontAttributes(int bits);
  // The font record of the first selected text, else of the first selected dimension's text;
  // null when neither is selected.
  const LOGFONTA* GetFont() const;

  // ---- Undo and redo ----------------------------------------------------------------------
  //
  // A record holds copies of the selected entities (and of extra's entities), matched with the
  // document by identifier. Undo and Redo leave the touched entities selected (or deleted) and
  // write the device rectangle to repaint into rect.

  // Records copies of the selection and of extra's entities with their unselected dimensions;
  // a delete record releases their identifiers so the entities can come back under them. Null
  // (and no record) when there is nothing to copy.
  UndoItem* AddUndoItem(int action, Dblclist* extra);
  void ClearUndoList();
  UndoItem* UndoAvailable() const { return undo_.IsUndoAvailable(); }
  UndoItem* RedoAvailable() const { return undo_.IsRedoAvailable(); }
  // 1 when a record was applied; 0 for a null rect or nothing to undo.
  int Undo(RECT* rect);
  // 1 when a record was applied; 0 when nothing can be redone. rect may be null.
  int Redo(RECT* rect);
  // Puts e into the item in place of its entity, moving roof, opening, exclusion and dimension
  // ties over to e; returns the old entity, which the caller then owns. Null (nothing changed)
  // for a null argument, an item not in this document, or e already the item's entity.
  Curve3D* ReplaceItem(ObjItem* item, Curve3D* e);

  // ---- Owned parts ----------------------------------------------------------------------------

  BlockTable* GetBlockTable() const { return blocks_.get(); }
  Dblclist* GetRoofList() const { return roof_list_; }
  Viewport* GetViewPort() const { return viewport_.get(); }
  TLegendList* GetLegend() const { return legend_.get(); }
  TSectionList* GetSectionList() const { return sections_.get(); }
  UndoList* GetUndoList() { return &undo_; }

  // ---- Settings -------------------------------------------------------------------------------

  int IsDirty() const { return dirty_; }
  int SetDirty(int n) { return dirty_ = n; }
  HWND SetParentHwnd(HWND hwnd) { return parent_ = hwnd; }
  HWND GetParentHwnd() const { return parent_; }
  int FileType(int n) { return file_type_ = n; }
  int FileType() const { return file_type_; }
  int GetUnits() const { return units_; }
  int SetUnits(int units) { return units_ = units; }
  double GetPrintScale() const { return print_scale_; }
  double SetPrintScale(double s) { return print_scale_ = s; }
  Point3D GetPrintOffset() const { return print_offset_; }
  Point3D SetPrintOffset(const Point3D& p) { return print_offset_ = p; }
  double GetPrintPageExtX() const { return print_page_ext_x_; }
  double GetPrintPageExtY() const { return print_page_ext_y_; }
  double SetPrintPageExtX(int n) { return print_page_ext_x_ = n; }
  double SetPrintPageExtY(int n) { return print_page_ext_y_ = n; }
  bool GetDimensionFeetInch() const { return dimension_feet_inch_; }
  // Stores the flag; when it changed, every dimension of the document gets it too.
  bool SetDimensionFeetInch(bool b);
  // Stores the flag in the legend.
  bool SetDisplayFeetInch(bool b);
  int GetCurrentRoofId() const { return current_roof_id_; }
  int SetCurrentRoofId(int id);
  void SetExtents(const Point3D* min, const Point3D* max);
  void SetLimits(const Point3D* min, const Point3D* max);
  void GetExtents(Point3D* min, Point3D* max) const;
  void GetLimits(Point3D* min, Point3D* max) const;
  // The refresh flags: read them, or (reset non-zero) clear them and return 0.
  int RefreshLegend(int reset);
  int RefreshSections(int reset);
  int LengthSnap(int n) { return length_snap_ = n; }
  int LengthSnap() const { return length_snap_; }
  double LengthSnapUnit(double x) { return length_snap_unit_ = x; }
  double LengthSnapUnit() const { return length_snap_unit_; }
  int Ortho(int n) { return ortho_ = n; }
  int Ortho() const { return ortho_; }
  double SetOrthoAngle(double degrees) { return ortho_angle_ = degrees; }
  double GetOrthoAngle() const { return ortho_angle_; }
  int SetSnap(int n) { return snap_ = n; }
  int GetSnap() const { return snap_; }

 private:
  using Batch = std::vector<ObjItem*>;

  // Layer and identifiers of Add.
  LayerBag* LayerForAdd(const char* layerName);
  void AssignIds(Curve3D* e);
  void AssignId(Curve3D* e);
  // Identifiers of the parts an entity holds: an outline's segments (nested outlines too), a
  // roof edge's overhang line, a pitched edge's base and edge.
  void AssignPartIds(Curve3D* e);
  void FreePartIds(Curve3D* e);
  Curve3D* FindPartWithId(Curve3D* e, int id) const;
  void CollectPartIds(Curve3D* e, std::vector<int>* ids) const;
  // The entity of the item, or one of its parts, that carries the identifier.
  Curve3D* EntityWithId(const ObjItem* item, int id) const;
  ObjItem* WalkForId(int id) const;
  std::vector<int> IdsOf(Curve3D* e) const;
  void IndexItem(ObjItem* item);
  void UnindexItem(ObjItem* item);
  void RebuildIndex();
  bool IsMember(const ObjItem* item) const { return members_.count(item) != 0; }
  // Identifiers reserved by SetIdno, kept as ranges so that reserving a huge span costs nothing.
  bool IsReserved(int id) const;
  void Reserve(int from, int to);
  void Unreserve(int id);
  // The first identifier from id on that no reserved range covers.
  int SkipReserved(int id) const;
  ObjItem* ItemOf(Curve3D* e) const;

  // Picking: whether the item takes part (visible or current layer; frozen layers only where
  // frozen is allowed), and whether it passes the current-roof filter.
  bool IsPickable(const ObjItem* item, bool allowFrozen) const;
  bool PassesRoofFilter(const ObjItem* item) const;
  // The two kinds of Locate; true when something was selected.
  bool LocateInBox(const Box3D* box);
  bool LocateAtPoint(Point3D* p);
  // Adds a picked item to the selection, an outline with every segment marked.
  void AddPicked(ObjItem* item);
  // What snapping searches: own first (when given), then the entities that take part.
  std::vector<Curve3D*> SnapCandidates(Multi3D* own) const;
  // Writes a snapped world point to out (when given) and back to lp; returns 1.
  int FinishSnap(const Point3D& snapped, tagLPOINT* lp, Point3D* out);
  // The zoom factor near tests are given: scale x stretch.
  double Zoom() const { return GetScale() * GetStretch(); }
  // Texts, dimensions and inserts follow a new stretch or scale; the selection is re-scanned
  // when any did.
  void FollowStretch(double stretch);
  void FollowDrawingScale(double scale);
  // Add's set-up of an insert: its block is filed in the block table (a copy, renamed "Block%d"
  // when its name is taken by a different definition) and the insert bound to the filed block.
  bool FileInsertBlock(Insert3D* insert);
  // The first free "Block%d" name.
  std::string FreeBlockName() const;
  // The selected texts, in selection order.
  std::vector<Text3D*> SelectedTexts() const;
  void PublishDrawingSettings();

  // Kind-specific set-up of Add: texts and dimensions take the document's scale, inserts enter
  // their block into the block table. False when the item cannot stay in the document.
  bool SetUpKind(ObjItem* item);

  // Chains.
  bool InSelection(const ObjItem* item) const;
  bool InRoofObjects(const ObjItem* item) const;
  void AddSelected(ObjItem* item);
  // Takes one selected item into the selection count and box.
  void CountSelected(const ObjItem* item);
  void RemoveSelected(ObjItem* item);
  void RebuildSelectionBox();
  ObjItem* Detach(ObjItem* item);
  void UnlinkFromLayer(ObjItem* item);

  // Deleting: the items of the batch are taken off the document, the references to their
  // entities are cleaned, then they are deleted.
  void Enlist(ObjItem* item, Batch* batch, std::unordered_set<ObjItem*>* listed) const;
  void EnlistDimensions(ObjItem* item, Batch* batch, std::unordered_set<ObjItem*>* listed) const;
  int DeleteBatch(Batch* batch, bool withTakeoff);
  void ForgetRoofs(const Batch& batch);
  Batch ItemsOnLayer(const LayerBag* layer) const;
  bool IsOnFormatLayer(const ObjItem* item) const;
  void ClearLayersKeepingUsed();

  // Takeoff steps of deleting and moving items; the roofs, openings, sections, legend and
  // blocks fill these in with their own work.
  void ReleaseOpeningRoofs(Curve3D* e);
  void ReleaseRoofExclusions(Curve3D* e, Batch* batch, std::unordered_set<ObjItem*>* listed);
  void UpdateOtherRoofObjects(Curve3D* e);
  void ReleaseBlockReference(Curve3D* e);
  void RemoveSectionArea(Curve3D* e);
  void DeletePendingBlock();
  void UpdateLegend(int rebuild);
  void SetSectionData(int all);
  void RemoveLegendItem(Curve3D* e);
  void AddLegendItem(Curve3D* e);
  void SetDimensionsFeetInch(bool b);

  // Selection by command: items on a frozen layer are locked against editing and never
  // selected. SelectWhole adds the item with every segment of an outline marked.
  bool CanSelect(const ObjItem* item) const;
  void SelectWhole(ObjItem* item);
  // The smart-object selections by name and by type share these; carries(e) tells whether an
  // entity carries the smart object asked for. Both return the number of items changed.
  template <typename Carries>
  int SelectCarrying(Carries carries);
  template <typename Carries>
  int DeselectCarrying(Carries carries);
  // With exactly one item selected, selects the next selectable item (forward or backward,
  // wrapping around the chain of all items).
  int StepSelection(bool forward);

  // Undo and redo steps. Each takes the record (the items and what the record knows about its
  // dimensions); rect may be null where the operation allows it.
  int UndoAddItems(UndoItem* rec, RECT* rect);
  int RedoAddItems(UndoItem* rec, RECT* rect);
  int UndoDeleteItems(UndoItem* rec);
  int RedoDeleteItems(UndoItem* rec, RECT* rect);
  // Undoing and redoing a change are the same swap between record and document.
  int SwapReplacedItems(UndoItem* rec, RECT* rect);
  // Adds the record's copy of e unless the record already holds that identifier; a dimension's
  // copy is recorded with what it measures (measured, or looked up when null).
  void RecordCopy(UndoItem* rec, Curve3D* e, Curve3D* measured, std::unordered_set<int>* held);
  // The document item of a record's entity: the one holding its identifier, or for an outline
  // that has given way to its one remaining segment, the item holding that segment.
  ObjItem* ItemForCopy(Curve3D* copy) const;
  // The document entity whose dimension list holds the dimension (an outline's segment too).
  Curve3D* MeasuredEntityOf(Curve3D* dimension) const;
  // An insert from a record is bound again to the table's block of its name (its own pointer
  // may have outlived the block); false when the table no longer has that block.
  bool RebindInsert(Curve3D* e) const;
  // Dimensions measure, and openings are excluded by, the entities they did before.
  void RestoreLinks(UndoItem* rec);
  // Releases the identifiers of the record's entities that are being deleted whole, so they
  // can come back under them (an outline losing only some segments keeps its own).
  void ReleaseDeletedIds(UndoItem* rec);
  // Adds a fresh copy of a record's entity on the current layer. Its identifiers that no item
  // holds are released first, so it comes back under them. Null when it cannot be added.
  ObjItem* AddFromRecord(Curve3D* held);
  // Deletes the selection: outlines with only some segments selected lose those segments,
  // every other selected item is deleted with its dimensions.
  void DeleteSelectionForUndo();
  void DeleteSelectedSegments(ObjItem* item, Multi3D* outline);
  // ReplaceItem's steps for the entity going out: it leaves the roof list, its section and its
  // roof's exclusions, and its exclusions and dimensions pass to e.
  void HandOverTies(Curve3D* old, Curve3D* e);
  void NotifyRoofsChanged();
  void RefreshAfterUndo();
  // Takeoff steps of undo; the roofs and sections fill these in with their own work.
  void RefreshRoofData();
  void RestoreSectionArea(Curve3D* e);
  void ReplaceSectionArea(Curve3D* old, Curve3D* e);

  ObjItem* head_ = nullptr;
  ObjItem* tail_ = nullptr;
  ObjItem* shead_ = nullptr;
  ObjItem* stail_ = nullptr;
  ObjItem* rhead_ = nullptr;
  ObjItem* rtail_ = nullptr;
  std::unique_ptr<TLegendList> legend_;
  std::unique_ptr<TSectionList> sections_;
  UndoList undo_;
  std::unordered_set<int> used_ids_;
  std::map<int, int> reserved_;  // first identifier -> one past the last, disjoint ranges
  HWND parent_ = nullptr;
  int dirty_ = 0;
  int file_type_ = 0;
  int units_ = 0;
  double scale_ = 1.0;
  double print_scale_ = 1.0;
  Point3D print_offset_;
  double print_page_ext_y_ = 0.0;
  double print_page_ext_x_ = 0.0;
  Point3D offset_;
  bool dimension_feet_inch_ = false;
  int current_roof_id_ = 0;
  int count_ = 0;
  int num_selected_ = 0;
  int idno_ = 1;
  std::unique_ptr<LayerTable> layers_;
  std::unique_ptr<BlockTable> blocks_;
  Dblclist* roof_list_ = nullptr;  // owned; lists roof entities it does not own
  std::unique_ptr<Viewport> viewport_;
  Box3D selection_box_;
  std::vector<Curve3D*> found_;
  std::unique_ptr<DblRlist> corner_boxes_;
  std::unique_ptr<DblPlist> grip_vertices_;
  int zoom_step_ = 25;
  Point3D ext_min_;
  Point3D ext_max_;
  Point3D lim_min_;
  Point3D lim_max_;
  int refresh_legend_ = 0;
  int refresh_sections_ = 0;
  int length_snap_ = 0;
  int snap_ = 0;
  int ortho_ = 1;
  double ortho_angle_ = 15.0;
  double length_snap_unit_ = 1.0;

  // Items of the chain of all items, and the identifier index (see the top of this file).
  std::unordered_set<const ObjItem*> members_;
  std::unordered_map<int, ObjItem*> id_index_;
  std::unordered_set<int> shared_ids_;
};
