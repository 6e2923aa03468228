#pragma once
// The block definitions (symbols) of a document: a fixed hash table of 101 buckets keyed by block
// name, each bucket a doubly linked chain of BlockItem nodes. The table owns its nodes and each
// node owns its block; inserts only point at the blocks.
//
// Iteration (Next) uses one process-wide cursor, so only one walk over any block table may be
// in progress at a time. A walk may remove or delete nodes between its calls, the node last
// returned included: the cursor then continues after it.

#include <memory>

#include "entities/block3d.h"

inline constexpr int kBlockBuckets = 101;
// The bucket of a name that cannot be stored (null, or a negative character sum).
inline constexpr int kNoBlockBucket = -1;

class BlockItem {
 public:
  // Takes block. A null block is reported with a message box and leaves the node empty.
  explicit BlockItem(Block3D* block);
  BlockItem(const BlockItem&) = delete;
  BlockItem& operator=(const BlockItem&) = delete;
  // Deletes the block.
  ~BlockItem();

  Block3D* Block() const { return block_.get(); }
  // Gives the block back to the caller (a node that could not be filed); the node is left empty.
  Block3D* Release() { return block_.release(); }

  BlockItem* Prev() const { return prev_; }
  BlockItem* Next() const { return next_; }
  BlockItem* Prev(BlockItem* item) { return prev_ = item; }
  BlockItem* Next(BlockItem* item) { return next_ = item; }

 private:
  std::unique_ptr<Block3D> block_;
  BlockItem* prev_ = nullptr;
  BlockItem* next_ = nullptr;
};

class BlockTable {
 public:
  BlockTable() = default;
  ~BlockTable();
  BlockTable(const BlockTable&) = delete;
  BlockTable& operator=(const BlockTable&) = delete;

  // The bucket of a name: upper-cased (at most 255 characters), its characters summed as signed
  // bytes, the floating-point remainder of the sum by 101 truncated. kNoBlockBucket for a null
  // name or a negative remainder.
  static int Bucket(const char* name);

  // Appends the node (taken) to the bucket of its block's name and returns it. Null (the caller
  // keeps the node) for a null node, a node without a block, or a name without a bucket. A node
  // already in the table is returned as it is. Names are not checked for duplicates: naming new
  // blocks is the document's business.
  BlockItem* Add(BlockItem* item);
  // The node whose block name equals name, ignoring case (names cut to 100 characters as the
  // blocks store them); null when there is none.
  BlockItem* Search(const char* name) const;
  // Unlinks the node (the caller owns it); null when it is not in the table.
  BlockItem* Remove(BlockItem* item);
  BlockItem* Remove(const char* name);
  // Lowers the reference count of every block of this table used by an insert among the block's
  // members, then unlinks and deletes the node: 1, or 0 when it is not in the table.
  int Delete(BlockItem* item);
  int Delete(const char* name);
  // Deletes every node.
  void Clear();
  int NoofBlocks() const { return count_; }
  // With first non-zero the walk starts at bucket 0; otherwise it continues after the node last
  // returned. Nodes come bucket by bucket in chain order; null at the end.
  BlockItem* Next(int first);
  // Sets the block flag of every block.
  void SetBlockFlags(int flag);
  // Deletes (as Delete does) every node whose block is not a template symbol (block type 64);
  // returns how many.
  int Cleanup();
  // Renames the block and files it under its new bucket: 1, or 0 when there is no block of the
  // old name, or the new name is null, has no bucket or belongs to another block.
  int RenameBlock(const char* oldName, const char* newName);

 private:
  struct Chain {
    BlockItem* head = nullptr;
    BlockItem* tail = nullptr;
  };

  // The bucket the node is linked in, or -1 when the table does not hold it.
  int BucketOf(const BlockItem* item) const;
  void Unlink(int bucket, BlockItem* item);
  // True when block is the block of a node of this table (the pointer is only compared).
  bool HoldsBlock(const Block3D* block, const char* name) const;

  Chain buckets_[kBlockBuckets];
  int count_ = 0;
};
