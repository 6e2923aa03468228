// The document's block definitions: filing the block of an added insert, deleting blocks with
// their inserts, and dropping the blocks nothing uses before a save.
//
// Inserts only point at blocks, so the one rule that matters here is that no insert, in the
// document or inside another block, is ever left pointing at a deleted block.

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "document/objlist.h"
#include "entities/block3d.h"
#include "entities/blocktable.h"
#include "entities/insert3d.h"

namespace {

// DeleteBlock remembers at most this many nested blocks to delete after the block itself.
constexpr int kMaxNestedBlocksDeleted = 50;
// "Block%d" names are tried up to this number before giving up.
constexpr int kMaxGeneratedBlockNames = 1000000;

Insert3D* AsInsert(Curve3D* e) {
  return dynamic_cast<Insert3D*>(e);
}

// The inserts among a block's members.
std::vector<Insert3D*> MemberInserts(Block3D* block) {
  std::vector<Insert3D*> inserts;
  if (block == nullptr) return inserts;
  for (int n = 1; Curve3D* member = block->Segment(n); ++n) {
    if (Insert3D* insert = AsInsert(member)) inserts.push_back(insert);
  }
  return inserts;
}

bool SameName(const char* a, const char* b) {
  return a != nullptr && b != nullptr && lstrcmpiA(a, b) == 0;
}

}  // namespace

std::string Objlist::FreeBlockName() const {
  char name[32];
  for (int n = 1; n <= kMaxGeneratedBlockNames; ++n) {
    std::snprintf(name, sizeof name, "Block%d", n);
    if (blocks_ == nullptr || blocks_->Search(name) == nullptr) return name;
  }
  return std::string();
}

// The insert is bound to a block of this document's table: the same block when it is already
// filed, the filed block of that name when it holds the same definition, else a copy filed under
// the block's name or, when that is taken by a different definition (or the block has none),
// under the first free "Block%d". Inserts nested in a filed copy are bound the same way, so no
// filed block refers to a block outside the table. Each binding counts one reference.
bool Objlist::FileInsertBlock(Insert3D* insert) {
  Block3D* block = insert != nullptr ? insert->GetBlock() : nullptr;
  if (block == nullptr || blocks_ == nullptr) return false;
  BlockItem* filed = blocks_->Search(block->Blockname());
  if (filed != nullptr && (filed->Block() == block || filed->Block()->Ident(block))) {
    if (filed->Block() != block) insert->SetBlock(filed->Block());
    filed->Block()->CountAdd();
    return true;
  }
  auto* copy = new (std::nothrow) Block3D(block);
  if (copy == nullptr) return false;
  if (filed != nullptr || block->Blockname()[0] == '\0') copy->Name(FreeBlockName().c_str());
  auto* item = new (std::nothrow) BlockItem(copy);
  if (item == nullptr) {
    delete copy;
    return false;
  }
  if (copy->Blockname()[0] == '\0' || blocks_->Add(item) == nullptr) {
    delete item;  // a name without a bucket cannot be filed
    return false;
  }
  for (Insert3D* nested : MemberInserts(copy)) {
    // A nested symbol that cannot be filed is left unbound rather than pointing outside.
    if (!FileInsertBlock(nested)) nested->SetBlock(nullptr);
  }
  insert->SetBlock(copy);
  copy->CountAdd();
  return true;
}

// Only a block of this document's table counts the document's inserts; an insert refused by
// Add still points at its caller's block, which must not lose a reference it never gave.
void Objlist::ReleaseBlockReference(Curve3D* e) {
  Insert3D* insert = AsInsert(e);
  Block3D* block = insert != nullptr ? insert->GetBlock() : nullptr;
  if (block == nullptr || blocks_ == nullptr) return;
  BlockItem* filed = blocks_->Search(block->Blockname());
  if (filed != nullptr && filed->Block() == block) block->CountMinus();
}

Block3D* Objlist::Add_Block(Block3D* block) {
  if (block == nullptr || blocks_ == nullptr) return nullptr;
  if (block->Blockname()[0] == '\0' || blocks_->Search(block->Blockname()) != nullptr)
    return nullptr;
  auto* item = new (std::nothrow) BlockItem(block);
  if (item == nullptr) return nullptr;
  if (blocks_->Add(item) == nullptr) {
    // The node took the block; hand it back to the caller before the node goes.
    item->Release();
    delete item;
    return nullptr;
  }
  dirty_ = 1;
  return block;
}

int Objlist::DeleteBlock(const char* name) {
  if (name == nullptr || blocks_ == nullptr) return 0;
  BlockItem* filed = blocks_->Search(name);
  if (filed == nullptr) return 0;
  Block3D* block = filed->Block();
  // A block that another definition still nests stays: deleting it would leave that
  // definition, and every insert of it, pointing at nothing.
  for (BlockItem* other = blocks_->Next(1); other != nullptr; other = blocks_->Next(0)) {
    if (other == filed) continue;
    for (Insert3D* nested : MemberInserts(other->Block())) {
      if (nested->GetBlock() == block) return 0;
    }
  }
  Batch inserts;
  std::unordered_set<ObjItem*> listed;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    Insert3D* insert = AsInsert(item->Obj());
    if (insert != nullptr && (insert->GetBlock() == block || SameName(insert->Blockname(), name)))
      Enlist(item, &inserts, &listed);
  }
  DeleteBatch(&inserts, true);

  std::vector<std::string> orphans;
  for (Insert3D* nested : MemberInserts(block)) {
    Block3D* inner = nested->GetBlock();
    if (inner == nullptr || inner->Count() > 1) continue;
    if (static_cast<int>(orphans.size()) >= kMaxNestedBlocksDeleted) {
      MessageBeep(0);
      continue;
    }
    orphans.emplace_back(inner->Blockname());
  }
  blocks_->Delete(filed);
  for (const std::string& orphan : orphans)
    DeleteBlock(orphan.c_str());
  dirty_ = 1;
  return 1;
}

void Objlist::FlagBlocks(Insert3D* insert) {
  if (insert == nullptr || insert->GetBlock() == nullptr) return;
  insert->Blockflag(1);
  for (Insert3D* nested : MemberInserts(insert->GetBlock())) {
    // A block already marked has had its nested blocks marked too; this also ends a symbol
    // that contains itself.
    if (nested->GetBlock() != nullptr && nested->Blockflag() == 0) FlagBlocks(nested);
  }
}

void Objlist::CleanupSymbols(int mode) {
  if (blocks_ == nullptr) return;
  // 1. Inserts of the document mark their blocks; with mode 1 a second insert of a marked block
  //    is destroyed once the walk has moved past it.
  Batch duplicates;
  std::unordered_set<ObjItem*> listed;
  for (ObjItem* item = head_; item != nullptr; item = item->Next()) {
    Insert3D* insert = AsInsert(item->Obj());
    if (insert == nullptr || insert->GetBlock() == nullptr) continue;
    if (insert->Blockflag() == 0) {
      FlagBlocks(insert);
    } else if (mode == 1) {
      Enlist(item, &duplicates, &listed);
    }
  }
  DeleteBatch(&duplicates, true);
  // 2. Inserts inside the filed blocks mark theirs.
  for (BlockItem* filed = blocks_->Next(1); filed != nullptr; filed = blocks_->Next(0)) {
    for (Insert3D* nested : MemberInserts(filed->Block())) {
      if (nested->GetBlock() != nullptr && nested->Blockflag() == 0) FlagBlocks(nested);
    }
  }
  // 3. Marks are cleared; unmarked blocks go. The next node is fetched before a deletion.
  std::vector<BlockItem*> unused;
  for (BlockItem* filed = blocks_->Next(1); filed != nullptr; filed = blocks_->Next(0)) {
    Block3D* block = filed->Block();
    if (block == nullptr || block->BlockFlag() == 0) {
      unused.push_back(filed);
    } else {
      block->BlockFlag(0);
    }
  }
  for (BlockItem* filed : unused)
    blocks_->Delete(filed);
}
