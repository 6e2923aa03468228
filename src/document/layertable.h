#pragma once
// The layers of a document: a hash table of LayerBags by name (ignoring case) with a current
// layer, which receives new entities. The table owns its layers.
//
// Names are stored cut to 50 characters, and every look-up cuts the name it is given the same way,
// so a long name always finds the layer it was stored as.

#include "document/layerbag.h"

class DXFGroup;

inline constexpr int kLayerBuckets = 101;
// The hash of a null name; any negative hash means the name cannot be stored.
inline constexpr int kNoLayerHash = -1;

class LayerTable {
 public:
  LayerTable() = default;
  // A copy of every layer of src, with the copy of src's current layer current. Null src gives an
  // empty table.
  explicit LayerTable(const LayerTable* src);
  LayerTable(const LayerTable& src) : LayerTable(&src) {}
  LayerTable& operator=(const LayerTable&) = delete;
  // Deletes every layer.
  ~LayerTable();

  // The bucket of a name: the sum of its first 50 characters, upper-cased, as signed bytes,
  // modulo 101 as a floating-point remainder, truncated. Negative (no bucket) for a null name and
  // for names whose sum is negative (possible with bytes of 128 and above).
  static int Hash(const char* name);

  LayerBag* Search(const char* name) const;
  // The layer whose GUID equals guid exactly; null for an invalid GUID.
  LayerBag* SearchByGuid(const char* guid) const;
  // Stores l unless a layer of its name exists: that layer is returned and l is not stored (the
  // caller still owns it). Null when l is null or its name has no bucket. A layer already in the
  // table is returned as it is.
  LayerBag* Add(LayerBag* layer);
  // The existing layer of that name, or a new one; null when the name cannot be stored.
  LayerBag* Add(const char* name, int flags, int colour, int style);
  // Takes the layer out of the table without deleting it (the items on it are not touched).
  // Null when the layer is not in the table.
  LayerBag* Remove(LayerBag* layer);
  LayerBag* Remove(const char* name);
  // Removes and deletes the layer: 1, or 0 when it is null or not in the table. Items still on
  // the layer are released (see LayerBag::ReleaseItems), never deleted.
  int Delete(LayerBag* layer);
  int Delete(const char* name);
  bool Contains(const LayerBag* layer) const;

  // Makes the named layer current and returns it; when there is none, returns the first layer in
  // bucket order and leaves the current layer as it was.
  LayerBag* CurrentLayer(const char* name);
  // Makes a layer of this table current; a null or foreign layer is refused (null, no change).
  LayerBag* CurrentLayer(LayerBag* layer);
  LayerBag* CurrentLayer() const { return current_; }

  // Renames the current layer and keeps it current. Refused (null, nothing changes) when there is
  // no current layer, the name is null or cannot be stored, or another layer already has it: a
  // rename must never make a layer disappear from the table.
  const char* LayerName(const char* name);
  const char* LayerName() const;

  // The current layer's settings; 0 (false) when there is no current layer.
  int FreezeLayer();
  int ThawLayer();
  bool IsLayerFrozen() const;
  bool IsLayerOn() const { return true; }
  int LayerColour(int colour);
  int LayerColour() const;
  int LayerFlags(int flags);
  int LayerFlags() const;
  int LayerStyle(int style);
  int LayerStyle() const;

  // The i-th layer from 0 in bucket order (bucket 0 to 100, each chain head to tail).
  LayerBag* GetLayer(int index) const;
  int NoofLayers() const { return count_; }

  // Non-zero: every layer is deleted and the table emptied. 0: every layer forgets its chain.
  void Clear(int deleteLayers);
  // Removes and deletes every Eplan layer; returns how many.
  int ClearEplanLayers();
  // Adds a copy of every layer of other whose name is not present yet; returns how many.
  int Merge(const LayerTable* other);
  // Writes every layer that is not an Eplan layer, in bucket order; 0 or the first failure.
  int Save(DXFGroup* stream);

 private:
  struct Bucket {
    LayerBag* head = nullptr;
    LayerBag* tail = nullptr;
  };

  static bool IsInBucket(const Bucket& bucket, const LayerBag* layer);
  int BucketOf(const LayerBag* layer) const;
  void Append(int bucket, LayerBag* layer);
  void Unlink(int bucket, LayerBag* layer);

  LayerBag* current_ = nullptr;
  int count_ = 0;
  Bucket buckets_[kLayerBuckets];
};
