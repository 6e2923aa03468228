#pragma once
// The block definitions (symbols) of a document. Only what the document needs to own it is here
// so far; the hash table of blocks, look-up by name and iteration fill it in with the blocks' own
// work.

class BlockTable {
 public:
  BlockTable() = default;
  ~BlockTable();
  BlockTable(const BlockTable&) = delete;
  BlockTable& operator=(const BlockTable&) = delete;

  // Deletes every block.
  void Clear();
};
