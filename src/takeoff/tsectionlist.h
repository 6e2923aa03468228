#pragma once
// The coloured roof sections of a document. Only what the document needs to own it is here so
// far; the sections, their selection and their areas fill it in with the sections' own work.

class TSectionList {
 public:
  TSectionList() = default;
  ~TSectionList();
  TSectionList(const TSectionList&) = delete;
  TSectionList& operator=(const TSectionList&) = delete;

  // Deletes every section; returns 1.
  int Clear();
};
