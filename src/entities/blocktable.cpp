#include "entities/blocktable.h"

#include <cmath>
#include <new>

#include "detail/fixedtext.h"
#include "detail/listlinks.h"
#include "entities/insert3d.h"
#include "platform/win32.h"

namespace {

constexpr const char* kNoBlockText = "Error - no block parameter";
constexpr const char* kNoBlockCaption = "BlockItem::BlockItem(copy)";

// The bucket function reads at most this many characters of a name.
constexpr int kBucketNameLength = 255;

// Upper case as the name comparison (lstrcmpiA) folds it: ASCII letters only, so two names that
// compare equal always land in the same bucket.
char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The name as a block stores it, so a look-up with a longer name finds the block it was cut to.
struct StoredName {
  explicit StoredName(const char* name) { CopyFixedText(text, name); }
  char text[kBlockNameSize];
};

// The one iteration cursor of the process: the table walked, the bucket of the node last
// returned and that node (null: the walk continues at the head of the bucket). A bucket of
// kBlockBuckets means the walk has ended.
struct Cursor {
  const BlockTable* table = nullptr;
  int bucket = kBlockBuckets;
  BlockItem* last = nullptr;
};
Cursor g_cursor;

}  // namespace

// ---- BlockItem ----------------------------------------------------------------------------

BlockItem::BlockItem(Block3D* block) : block_(block) {
  if (block == nullptr) MessageBoxA(nullptr, kNoBlockText, kNoBlockCaption, MB_OK);
}

BlockItem::~BlockItem() = default;

// ---- BlockTable ---------------------------------------------------------------------------

BlockTable::~BlockTable() {
  Clear();
}

int BlockTable::Bucket(const char* name) {
  if (name == nullptr) return kNoBlockBucket;
  int sum = 0;
  for (int i = 0; i < kBucketNameLength && name[i] != '\0'; ++i)
    sum += static_cast<signed char>(UpperAscii(name[i]));
  const int bucket =
      static_cast<int>(std::fmod(static_cast<double>(sum), static_cast<double>(kBlockBuckets)));
  return bucket < 0 ? kNoBlockBucket : bucket;
}

BlockItem* BlockTable::Add(BlockItem* item) {
  if (item == nullptr || item->Block() == nullptr) return nullptr;
  if (BucketOf(item) >= 0) return item;
  const int bucket = Bucket(item->Block()->Blockname());
  if (bucket < 0) return nullptr;
  ListLinkAtTail(buckets_[bucket].head, buckets_[bucket].tail, count_, item);
  return item;
}

BlockItem* BlockTable::Search(const char* name) const {
  if (name == nullptr || count_ == 0) return nullptr;
  const StoredName stored(name);
  const int bucket = Bucket(stored.text);
  if (bucket < 0) return nullptr;
  for (BlockItem* item = buckets_[bucket].head; item != nullptr; item = item->Next()) {
    if (lstrcmpiA(item->Block()->Blockname(), stored.text) == 0) return item;
  }
  return nullptr;
}

int BlockTable::BucketOf(const BlockItem* item) const {
  if (item == nullptr || item->Block() == nullptr) return -1;
  const int bucket = Bucket(item->Block()->Blockname());
  if (bucket >= 0 && ListHolds(buckets_[bucket].head, buckets_[bucket].tail, item)) return bucket;
  // The block may have been renamed behind the table's back: look everywhere.
  for (int b = 0; b < kBlockBuckets; ++b) {
    if (b != bucket && ListHolds(buckets_[b].head, buckets_[b].tail, item)) return b;
  }
  return -1;
}

void BlockTable::Unlink(int bucket, BlockItem* item) {
  // A walk in progress continues after the node that leaves.
  if (g_cursor.table == this && g_cursor.last == item) g_cursor.last = item->Prev();
  ListUnlink(buckets_[bucket].head, buckets_[bucket].tail, count_, item);
}

BlockItem* BlockTable::Remove(BlockItem* item) {
  const int bucket = BucketOf(item);
  if (bucket < 0) return nullptr;
  Unlink(bucket, item);
  return item;
}

BlockItem* BlockTable::Remove(const char* name) {
  return Remove(Search(name));
}

bool BlockTable::HoldsBlock(const Block3D* block, const char* name) const {
  if (block == nullptr) return false;
  const int bucket = Bucket(name);
  if (bucket >= 0) {
    for (const BlockItem* item = buckets_[bucket].head; item != nullptr; item = item->Next())
      if (item->Block() == block) return true;
  }
  for (const Chain& chain : buckets_) {
    for (const BlockItem* item = chain.head; item != nullptr; item = item->Next())
      if (item->Block() == block) return true;
  }
  return false;
}

int BlockTable::Delete(BlockItem* item) {
  const int bucket = BucketOf(item);
  if (bucket < 0) return 0;
  // Only blocks still in the table are touched: an insert may point at a block that an earlier
  // deletion has already freed.
  Block3D* block = item->Block();
  DblclistIterator it(block->GetCurveList());
  while (Curve3D* member = it.Next()) {
    if (member->Type() != kEntityInsert) continue;
    auto* insert = dynamic_cast<Insert3D*>(member);
    if (insert == nullptr) continue;
    Block3D* used = insert->GetBlock();
    if (HoldsBlock(used, insert->Blockname())) used->CountMinus();
  }
  Unlink(bucket, item);
  delete item;
  return 1;
}

int BlockTable::Delete(const char* name) {
  return Delete(Search(name));
}

void BlockTable::Clear() {
  for (Chain& chain : buckets_) {
    BlockItem* item = chain.head;
    while (item != nullptr) {
      BlockItem* next = item->Next();
      delete item;
      item = next;
    }
    chain = Chain{};
  }
  count_ = 0;
  if (g_cursor.table == this) g_cursor = Cursor{};
}

BlockItem* BlockTable::Next(int first) {
  if (first != 0) g_cursor = Cursor{this, 0, nullptr};
  // A walk begun on another table is not continued here.
  if (g_cursor.table != this) return nullptr;
  while (g_cursor.bucket < kBlockBuckets) {
    BlockItem* item =
        g_cursor.last != nullptr ? g_cursor.last->Next() : buckets_[g_cursor.bucket].head;
    if (item != nullptr) {
      g_cursor.last = item;
      return item;
    }
    ++g_cursor.bucket;
    g_cursor.last = nullptr;
  }
  return nullptr;
}

void BlockTable::SetBlockFlags(int flag) {
  for (const Chain& chain : buckets_) {
    for (BlockItem* item = chain.head; item != nullptr; item = item->Next())
      item->Block()->BlockFlag(flag);
  }
}

int BlockTable::Cleanup() {
  int deleted = 0;
  for (Chain& chain : buckets_) {
    BlockItem* item = chain.head;
    while (item != nullptr) {
      BlockItem* next = item->Next();
      if (item->Block()->Blocktype() != kTemplateBlocktype) deleted += Delete(item);
      item = next;
    }
  }
  return deleted;
}

int BlockTable::RenameBlock(const char* oldName, const char* newName) {
  BlockItem* item = Search(oldName);
  if (item == nullptr || newName == nullptr) return 0;
  const StoredName stored(newName);
  const int bucket = Bucket(stored.text);
  if (bucket < 0) return 0;
  const BlockItem* other = Search(stored.text);
  if (other != nullptr && other != item) return 0;
  Remove(item);
  item->Block()->Name(stored.text);
  ListLinkAtTail(buckets_[bucket].head, buckets_[bucket].tail, count_, item);
  return 1;
}
