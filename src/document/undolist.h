#pragma once
// The undo history of a document. Only what the document needs to own it is here so far; the
// undo records and the undo and redo steps fill it in with the undo work.

class UndoList {
 public:
  UndoList() = default;
  ~UndoList();
  UndoList(const UndoList&) = delete;
  UndoList& operator=(const UndoList&) = delete;

  // Deletes every record.
  void Clear();
};
