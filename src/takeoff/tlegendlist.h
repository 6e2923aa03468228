#pragma once
// The takeoff legend of a document: the report of every kind of takeoff item with its totals,
// grouped by roof and section. Only what the document needs to own it is here so far; the roof
// and section groups, entries and totals fill it in with the legend's own work.

class TLegendList {
 public:
  TLegendList() = default;
  ~TLegendList();
  TLegendList(const TLegendList&) = delete;
  TLegendList& operator=(const TLegendList&) = delete;

  // Empties the legend (deleting its entries when deleteEntries is non-zero); returns 1.
  int Clear(int deleteEntries);

  // Whether lengths are shown in feet and inches.
  bool GetFeetInches() const { return feet_inches_; }
  bool SetFeetInches(bool feetInches) { return feet_inches_ = feetInches; }

 private:
  bool feet_inches_ = false;
};
