#pragma once
// Pitched subunits: one sloped plane of a pitched roof, built from a roof outline and the side
// the user picked as its eave. Also the collector that sorts a pitched roof's hip, valley and
// ridge lines so they can be found by their line number.

#include "geometry/dblclist.h"

class Curve3D;
class Multi3D;
class Point3D;

// Hips, valleys and ridges of a pitched roof, in that order. The lists only refer to entities
// owned elsewhere; destroying the collector leaves them alive.
class PitchedData {
 public:
  PitchedData() = default;
  PitchedData(const PitchedData&) = delete;
  PitchedData& operator=(const PitchedData&) = delete;
  ~PitchedData();

  // Files e in every list whose item type it carries (a line can be both hip and valley), once
  // per list. Null is ignored.
  void AddCurve(Curve3D* e);
  // The first entity of the list whose line number (integer attribute 51) equals number; null
  // when none does.
  Curve3D* GetHip(int number) const;
  Curve3D* GetValley(int number) const;
  Curve3D* GetRidge(int number) const;

  const Dblclist& Hips() const { return hips_; }
  const Dblclist& Valleys() const { return valleys_; }
  const Dblclist& Ridges() const { return ridges_; }

 private:
  Dblclist hips_;
  Dblclist valleys_;
  Dblclist ridges_;
};

// Builds the subunit of outline from its first selected side, the eave: checks the slope length
// and pitch, writes the pitch to the rake edges and the sides parallel to the eave, and places a
// copy of the eave half the span into the plane (where the ridge runs). The placed line gets the
// identifier id when id is positive and is appended to lines (which then owns it); with a null
// list it is discarded. False, after a message box, on any failure.
bool BuildSubunit(int id, Multi3D* outline, Dblclist* lines);

// The span of the plane whose eave is given: the distance to the selected opposite eave plus
// both overhangs, corrected when the eaves stand at different heights; without an opposite
// eave, the longest selected side not running opposite the eave. 0 when none can be found.
// pitch is accepted for the callers' sake; the span does not depend on it.
double GetSubunitSpan(Multi3D* outline, Curve3D* eave, double pitch);

// The points where the plane's sides turn back: walking the selected sides, a side running along
// d1 or d2 followed by one running back against it gives a pair (p1 and p2, then p3 and p4). Each
// point's Id is that of its side. Null outputs are skipped. True when a pair was found.
bool GetSubunitEndPoints(Multi3D* outline, double d1, double d2, Point3D* p1, Point3D* p2,
                         Point3D* p3, Point3D* p4);
