#pragma once
// The kind codes of drawing entities. The same numbers are the keyword codes of the entity records
// in the group-code stream, so a record's keyword tells the reader which entity to create.

inline constexpr int kEntityUnknown = 2000;
inline constexpr int kEntityLine = 2001;
inline constexpr int kEntityVertex = 2002;
inline constexpr int kEntityEllipse = 2003;
inline constexpr int kEntityCircle = 2004;
inline constexpr int kEntityArc = 2005;
inline constexpr int kEntityPolyline = 2006;
inline constexpr int kEntityOpenPolyline = 2007;
inline constexpr int kEntityText = 2008;
inline constexpr int kEntityDimension = 2009;
inline constexpr int kEntityLeader = 2010;
inline constexpr int kEntityInsert = 2011;
inline constexpr int kEntityREdge = 2012;
inline constexpr int kEntityPCurve = 2013;
inline constexpr int kEntityImage = 2014;
inline constexpr int kEntityEdge = 2015;
inline constexpr int kEntityBlock = 2016;
inline constexpr int kEntityChord = 2017;
inline constexpr int kEntityTrace = 2018;
inline constexpr int kEntitySegment = 2019;
inline constexpr int kEntitySolid = 2020;

// The record name the file writer uses for the kind, or nullptr when the kind has no record of its
// own (the base kind, open outlines, leaders) or the code is not an entity kind.
const char* EntityRecordName(int type);

// The name shown to the user for the kind: "Unknown Graphic Type" for the base kind, for chords
// and for codes outside the kind table; nullptr for the kinds that are never shown (vertices and
// the record-only kinds 2018 to 2020).
const char* EntityDisplayName(int type);
