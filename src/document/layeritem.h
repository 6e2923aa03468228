#pragma once
// A layer's own settings: name, flags, colour, line style and GUID. LayerBag adds the chain of
// the document items that lie on the layer; the layer table stores LayerBags.

class Curve3D;
class DXFGroup;
class ObjItem;

// Layer names hold 50 characters; GUID texts 38 (each with its terminator).
inline constexpr int kLayerNameSize = 51;
inline constexpr int kLayerGuidSize = 39;

// Flag bits of a layer.
inline constexpr int kLayerOff = 1;     // hidden
inline constexpr int kLayerFrozen = 2;  // locked against editing
inline constexpr int kLayerEplan = 4;   // an imported plan: never saved with the drawing

// The stream mode whose layer records carry names converted for the DXF exchange format.
inline constexpr int kLayerDxfNameMode = 2;

class LayerItem {
 public:
  explicit LayerItem(const char* name = nullptr, int flags = 0, int colour = 0, int style = 0);
  // Name, flags, colour, style and spare integer; the GUID only when it is a valid one. A null
  // src gives an unnamed layer with default settings.
  explicit LayerItem(const LayerItem* src);
  LayerItem(const LayerItem& src) : LayerItem(&src) {}
  // Assignment copies the name, the four integers and the GUID as they are.
  LayerItem& operator=(const LayerItem& src);
  virtual ~LayerItem() = default;

  // A plain layer keeps no chain: the item's entity is returned unchanged (null for null).
  virtual Curve3D* Add(ObjItem* item);
  // Reads the groups of a layer record up to the next keyword, which is pushed back: 1 then, or
  // the stream's failure code when it fails first.
  virtual int AddToken(DXFGroup* stream);
  virtual int FreezeLayer();
  virtual int ShowLayer(bool show);
  virtual int SetEplanLayer();
  virtual bool IsEplanLayer() const;
  virtual bool IsLayerFrozen() const;
  virtual bool IsLayerVisible() const;
  // Copies the name (cut to 50 characters; null gives the empty name) and returns it.
  virtual const char* LayerName(const char* name);
  virtual const char* LayerName() const;
  virtual int LayerColour(int colour);
  virtual int LayerColour() const;
  // The flags are changed only through the named operations; this form reports them.
  virtual int LayerFlags(int flags);
  virtual int LayerFlags() const;
  virtual int LayerStyle(int style);
  virtual int LayerStyle() const;
  // Writes the layer record; 0, or the first failure of a group write.
  virtual int Save(DXFGroup* stream);
  // Clears every flag: visible, not frozen, not an Eplan layer.
  virtual int ThawLayer();

  const char* Guid() const { return guid_; }
  // Stores a valid GUID; anything else empties the field. Returns the stored text.
  const char* Guid(const char* guid);
  int Spare() const { return spare_; }
  int Spare(int value) { return spare_ = value; }

 private:
  char name_[kLayerNameSize] = {};
  int flags_ = 0;
  int colour_ = 0;
  int style_ = 0;
  int spare_ = 0;
  char guid_[kLayerGuidSize] = {};
};
