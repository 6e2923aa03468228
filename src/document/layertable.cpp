#include "document/layertable.h"

#include <cmath>
#include <cstring>
#include <new>

#include "detail/fixedtext.h"
#include "io/dxfgroup.h"
#include "platform/win32.h"
#include "settings/hostglobals.h"

namespace {

// Upper case as the name comparison (lstrcmpiA) folds it: ASCII letters only, so two names that
// compare equal always land in the same bucket.
char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The name as the table stores it.
struct StoredName {
  explicit StoredName(const char* name) { CopyFixedText(text, name); }
  char text[kLayerNameSize];
};

}  // namespace

LayerTable::LayerTable(const LayerTable* src) {
  if (src == nullptr) return;
  Merge(src);
  if (src->current_ != nullptr) current_ = Search(src->current_->LayerName());
}

LayerTable::~LayerTable() {
  Clear(1);
}

int LayerTable::Hash(const char* name) {
  if (name == nullptr) return kNoLayerHash;
  const StoredName stored(name);
  int sum = 0;
  for (const char* c = stored.text; *c != '\0'; ++c)
    sum += static_cast<signed char>(UpperAscii(*c));
  return static_cast<int>(std::fmod(static_cast<double>(sum), static_cast<double>(kLayerBuckets)));
}

LayerBag* LayerTable::Search(const char* name) const {
  const int bucket = Hash(name);
  if (bucket < 0) return nullptr;
  const StoredName stored(name);
  for (LayerBag* layer = buckets_[bucket].head; layer != nullptr; layer = layer->Next()) {
    if (lstrcmpiA(layer->LayerName(), stored.text) == 0) return layer;
  }
  return nullptr;
}

LayerBag* LayerTable::SearchByGuid(const char* guid) const {
  if (!ValidateGuid(guid) || count_ == 0) return nullptr;
  for (const Bucket& bucket : buckets_) {
    for (LayerBag* layer = bucket.head; layer != nullptr; layer = layer->Next()) {
      if (std::strcmp(layer->Guid(), guid) == 0) return layer;
    }
  }
  return nullptr;
}

LayerBag* LayerTable::Add(LayerBag* layer) {
  if (layer == nullptr) return nullptr;
  if (Contains(layer)) return layer;
  const int bucket = Hash(layer->LayerName());
  if (bucket < 0) return nullptr;
  if (LayerBag* existing = Search(layer->LayerName())) return existing;
  Append(bucket, layer);
  return layer;
}

LayerBag* LayerTable::Add(const char* name, int flags, int colour, int style) {
  if (Hash(name) < 0) return nullptr;
  if (LayerBag* existing = Search(name)) return existing;
  LayerBag* layer = new (std::nothrow) LayerBag(name, flags, colour, style);
  if (layer == nullptr) return nullptr;
  Append(Hash(name), layer);
  return layer;
}

LayerBag* LayerTable::Remove(LayerBag* layer) {
  const int bucket = BucketOf(layer);
  if (bucket < 0) return nullptr;
  Unlink(bucket, layer);
  return layer;
}

LayerBag* LayerTable::Remove(const char* name) {
  return Remove(Search(name));
}

int LayerTable::Delete(LayerBag* layer) {
  if (Remove(layer) == nullptr) return 0;
  delete layer;
  return 1;
}

int LayerTable::Delete(const char* name) {
  return Delete(Search(name));
}

bool LayerTable::Contains(const LayerBag* layer) const {
  return BucketOf(layer) >= 0;
}

LayerBag* LayerTable::CurrentLayer(const char* name) {
  LayerBag* layer = Search(name);
  if (layer == nullptr) return GetLayer(0);
  return current_ = layer;
}

LayerBag* LayerTable::CurrentLayer(LayerBag* layer) {
  if (!Contains(layer)) return nullptr;
  return current_ = layer;
}

const char* LayerTable::LayerName(const char* name) {
  LayerBag* layer = current_;
  if (layer == nullptr || name == nullptr || Hash(name) < 0) return nullptr;
  const LayerBag* other = Search(name);
  if (other != nullptr && other != layer) return nullptr;
  Remove(layer);
  layer->LayerName(name);
  Append(Hash(layer->LayerName()), layer);
  current_ = layer;
  return layer->LayerName();
}

const char* LayerTable::LayerName() const {
  return current_ != nullptr ? current_->LayerName() : nullptr;
}

int LayerTable::FreezeLayer() {
  return current_ != nullptr ? current_->FreezeLayer() : 0;
}

int LayerTable::ThawLayer() {
  return current_ != nullptr ? current_->ThawLayer() : 0;
}

bool LayerTable::IsLayerFrozen() const {
  return current_ != nullptr && current_->IsLayerFrozen();
}

int LayerTable::LayerColour(int colour) {
  return current_ != nullptr ? current_->LayerColour(colour) : 0;
}

int LayerTable::LayerColour() const {
  return current_ != nullptr ? current_->LayerColour() : 0;
}

int LayerTable::LayerFlags(int flags) {
  return current_ != nullptr ? current_->LayerFlags(flags) : 0;
}

int LayerTable::LayerFlags() const {
  return current_ != nullptr ? current_->LayerFlags() : 0;
}

int LayerTable::LayerStyle(int style) {
  return current_ != nullptr ? current_->LayerStyle(style) : 0;
}

int LayerTable::LayerStyle() const {
  return current_ != nullptr ? current_->LayerStyle() : 0;
}

LayerBag* LayerTable::GetLayer(int index) const {
  if (index < 0) return nullptr;
  for (const Bucket& bucket : buckets_) {
    for (LayerBag* layer = bucket.head; layer != nullptr; layer = layer->Next()) {
      if (index-- == 0) return layer;
    }
  }
  return nullptr;
}

void LayerTable::Clear(int deleteLayers) {
  for (Bucket& bucket : buckets_) {
    LayerBag* layer = bucket.head;
    while (layer != nullptr) {
      LayerBag* next = layer->Next();
      if (deleteLayers != 0) {
        delete layer;
      } else {
        layer->Clear();
      }
      layer = next;
    }
    if (deleteLayers != 0) bucket = Bucket{};
  }
  if (deleteLayers == 0) return;
  current_ = nullptr;
  count_ = 0;
}

int LayerTable::ClearEplanLayers() {
  int removed = 0;
  for (int bucket = 0; bucket < kLayerBuckets; ++bucket) {
    LayerBag* layer = buckets_[bucket].head;
    while (layer != nullptr) {
      LayerBag* next = layer->Next();
      if (layer->IsEplanLayer()) {
        Unlink(bucket, layer);
        delete layer;
        ++removed;
      }
      layer = next;
    }
  }
  return removed;
}

int LayerTable::Merge(const LayerTable* other) {
  if (other == nullptr || other == this) return 0;
  int added = 0;
  for (const Bucket& bucket : other->buckets_) {
    for (const LayerBag* layer = bucket.head; layer != nullptr; layer = layer->Next()) {
      if (Search(layer->LayerName()) != nullptr) continue;
      LayerBag* copy = new (std::nothrow) LayerBag(layer);
      if (copy == nullptr) return added;
      if (Add(copy) != copy) {
        delete copy;
        continue;
      }
      ++added;
    }
  }
  return added;
}

int LayerTable::Save(DXFGroup* stream) {
  if (stream == nullptr) return 0;
  for (const Bucket& bucket : buckets_) {
    for (LayerBag* layer = bucket.head; layer != nullptr; layer = layer->Next()) {
      if (layer->IsEplanLayer()) continue;
      const int result = layer->Save(stream);
      if (result != kDxfOk) return result;
    }
  }
  return kDxfOk;
}

bool LayerTable::IsInBucket(const Bucket& bucket, const LayerBag* layer) {
  for (const LayerBag* item = bucket.head; item != nullptr; item = item->Next()) {
    if (item == layer) return true;
  }
  return false;
}

// The bucket that holds the layer: first the bucket of its name, then (for a layer renamed behind
// the table's back) every bucket. -1 when the layer is not in the table.
int LayerTable::BucketOf(const LayerBag* layer) const {
  if (layer == nullptr) return -1;
  const int hashed = Hash(layer->LayerName());
  if (hashed >= 0 && IsInBucket(buckets_[hashed], layer)) return hashed;
  for (int bucket = 0; bucket < kLayerBuckets; ++bucket) {
    if (bucket != hashed && IsInBucket(buckets_[bucket], layer)) return bucket;
  }
  return -1;
}

void LayerTable::Append(int bucket, LayerBag* layer) {
  Bucket& chain = buckets_[bucket];
  layer->Prev(chain.tail);
  layer->Next(nullptr);
  if (chain.tail != nullptr) chain.tail->Next(layer);
  chain.tail = layer;
  if (chain.head == nullptr) chain.head = layer;
  ++count_;
}

void LayerTable::Unlink(int bucket, LayerBag* layer) {
  Bucket& chain = buckets_[bucket];
  LayerBag* prev = layer->Prev();
  LayerBag* next = layer->Next();
  if (prev != nullptr) prev->Next(next);
  if (next != nullptr) next->Prev(prev);
  if (chain.head == layer) chain.head = next;
  if (chain.tail == layer) chain.tail = prev;
  layer->Prev(nullptr);
  layer->Next(nullptr);
  if (current_ == layer) current_ = nullptr;
  --count_;
}
