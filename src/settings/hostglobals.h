#pragma once
// Process-wide values the host hands over, and the small shared services that go with them.

#include <cstddef>

#include "platform/win32.h"

class Point3D;
class TDefaults;
class TGTransBuf;

// Makes a layer or block name acceptable to the exchange format: every character of
// ! @ # % ^ & * ( ) + = | \ { [ } ] : ; < , > . ? / ` ~ " ' and the blank becomes '_', and the
// result is upper-cased. dst must hold strlen(src) + 1 characters; src and dst may be the same
// buffer. Returns dst (null when either pointer is null).
char* ConvertDXFName(const char* src, char* dst);

// The same with the size of dst: the result is cut to dstSize - 1 characters.
char* ConvertDXFName(const char* src, char* dst, size_t dstSize);

// True for a usable GUID text: not null, not empty, and without a run of six zeros (the mark of a
// GUID that was never generated).
bool ValidateGuid(const char* text);

// The mapping entity painting reads: scale, stretch and the screen offset, written by the viewport
// whenever the mapping changes. Both numbers start at 1.0 and the offset at the origin. A null
// pointer is passed over (the other values are still read or written).
void SetDrawingSettings(double scale, double stretch, const Point3D* offset);
void GetDrawingSettings(double* scale, double* stretch, Point3D* offset);

// The screen's logical pixels per inch. The setter reads them from the screen device context
// (its vertical resolution; pixels are square) and returns them; until it is called the answer is
// the usual 96.
int GetLogPixelsInch();
int SetLogPixelsInch();

// ---- Values the host hands over ------------------------------------------------------------
// Plain process-wide values with get/set pairs. None is locked: the host calls them from its
// user-interface thread only. Everything starts at 0, null or false unless said otherwise.

// The debug mask. Setting ORs the bits in (bits are never cleared) and returns the new mask.
int Debug();
int Debug(int bits);

bool DebugDraw();
bool DebugDraw(bool on);

bool TOAsciiExportEnabled();
bool TOAsciiExportEnabled(bool on);

// Digitizing: switching it also sets the rubber-banding value. Returns on.
int GetDigiDrawing();
int SetDigiDrawing(int on, int rubberBanding);
// Starts at 1. The setter returns n.
int RubberBanding();
int RubberBanding(int n);

// Non-zero while a drawing is being read. Returns n.
int GetIsLoading();
int SetIsLoading(int n);

int GetLWSegmentInflation();
int SetLWSegmentInflation(int n);

// The program defaults and the transfer buffer belong to the host; only the pointers are kept.
TDefaults* GetProgramDefaults();
TDefaults* SetProgramDefaults(TDefaults* defaults);
TGTransBuf* GetTransferBuffer();
TGTransBuf* SetTransferBuffer(TGTransBuf* buffer);

// Starts at 1. Returns n.
int GetProcessHelp();
int SetProcessHelp(int n);

// The names of the help file, the profile file and the application, and the program folder.
// Each setter frees the previous text and keeps its own copy, which it returns; a null text
// leaves no text and returns null. The getters answer null until a text is set.
const char* GetHelpFileName();
const char* SetHelpFileName(const char* name);
const char* GetIniFileName();
const char* SetIniFileName(const char* name);
const char* GetAppName();
const char* SetAppName(const char* name);
const char* GetProgDir();
const char* SetProgDir(const char* folder);

// The unit code drawings are shown in (see settings/units.h). Returns n.
int GetDrawingUnits();
int SetDrawingUnits(int n);

// The host's windows and module instance. The setters return the handle.
HWND GetMainHwnd();
HWND SetMainHwnd(HWND window);
HWND GetDrawingHwnd();
HWND SetDrawingHwnd(HWND window);
HINSTANCE GetAppInstance();
HINSTANCE SetAppInstance(HINSTANCE instance);

// ---- Shared services -------------------------------------------------------------------------

// Stores a measured value in the current transfer buffer (see settings/tgtransbuf.h for the
// slots) and records the flag in the bank's flags; flag -1 in bank 0 sets every first-bank flag.
// Returns 1, or 0 when the host has installed no transfer buffer.
int SetTGTransferBufferData(int flag, double value, int bank);
// The same for a text; a null text is stored as the empty text.
int SetTGTransferBufferDataStr(int flag, const char* text, int bank);

// Font names between the drawing and the exchange format: toward it (toExchange non-zero) blanks
// become '_' and the name is upper-cased; back from it '_' become blanks. dst must hold
// strlen(src) + 1 characters (the sized form cuts to dstSize - 1); src and dst may be the same
// buffer. Returns dst, or null when either pointer is null.
char* ConvertDXFFont(const char* src, char* dst, int toExchange);
char* ConvertDXFFont(const char* src, char* dst, size_t dstSize, int toExchange);

// Shows text in a plain OK message box without owner, captioned "Error" when caption is null.
// Returns the box's answer.
int ErrorMessage(const char* text, const char* caption);

// Appends "month/day/year hour:minute:second:millisecond text" (local time) as one line to the
// file fileName in the program folder (the current folder when none is set). Returns 1, or 0
// when the file cannot be opened.
int DebugPrint(const char* fileName, const char* text);

// Writes "<application name> - Digitizer v.5.1.18.1" into buffer and returns it; null for a
// null buffer. The first form needs strlen(GetAppName()) + 24 characters; the sized form cuts.
char* GetAppNameVersion(char* buffer);
char* GetAppNameVersion(char* buffer, size_t size);

// What is sent to the host while a drawing loads: a count and an owned copy of a text (null for
// a null text).
struct LoadProgressData {
  LoadProgressData(int count, const char* text);
  ~LoadProgressData();
  LoadProgressData(const LoadProgressData&) = delete;
  LoadProgressData& operator=(const LoadProgressData&) = delete;

  int count = 0;
  char* text = nullptr;
};

// The library's presence check for the host: always 42.
int fnTGObject();
