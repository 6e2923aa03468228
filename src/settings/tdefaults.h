#pragma once
// The program-wide settings that outlive a drawing: window and dialog placement, the folders last
// used, the default symbol library, smart-object and drawing templates, the default font, and the
// values a new drawing starts from. They live in an ini profile with three sections ("main",
// "defaults", "digitizer"); the host reads and writes the fields directly.

#include "geometry/point3d.h"
#include "platform/win32.h"

// Paths and other texts hold 255 characters; the font name 49 (each with its terminator).
inline constexpr int kDefaultsPathSize = 256;
inline constexpr int kDefaultsFontSize = 50;

class TDefaults {
 public:
  // Every field at its default, the paths below "C:\Tegolux".
  TDefaults();

  // Rebuilds the folders, the symbol library, both smart-object template paths and the drawing
  // template from the program folder.
  void ResetDefaultPaths();

  // Finds the profile (beside the running module, else in the Windows directory, creating it
  // there with the current values when it exists nowhere) and reads every key, each keeping the
  // current value when it is missing or unreadable.
  void LoadProfile();
  // Writes every key into its section; false when some write failed.
  bool SaveProfile();
  // Write only the symbol library, or only the last drawing folder.
  bool SaveLibName();
  bool SaveLastDir();

  // Paths and texts.
  char progDir[kDefaultsPathSize];
  char iniFileName[kDefaultsPathSize];
  char iniPath[kDefaultsPathSize];
  char lastDrawingDir[kDefaultsPathSize];
  char lastImageDir[kDefaultsPathSize];
  char lastEplanDir[kDefaultsPathSize];
  char lastTemplateDir[kDefaultsPathSize];
  char defaultLibrary[kDefaultsPathSize];
  char defaultSmartObjects[kDefaultsPathSize];
  char smartObjectTemplates[kDefaultsPathSize];  // always equal to defaultSmartObjects
  char defaultTemplate[kDefaultsPathSize];
  char sendWindow[kDefaultsPathSize];  // the estimating program's window title
  char defaultFont[kDefaultsFontSize];

  // Main window; the show state is the host's own code, stored unchanged.
  int showWindow;
  int windowPosX;
  int windowPosY;
  int windowWidth;
  int windowHeight;
  int save;

  // What a new drawing starts from.
  int fontSize;
  int currentRoofReset;
  int generateRoofLabels;
  int promptForRoof;
  int pageSize;
  int dimSnap;
  int dimFeetInch;
  int displayFeetInch;
  int snap;
  int grid;
  int fixedGrid;
  int margin;
  int units;  // unit code of settings/units.h
  int ortho;
  int zoomInc;
  int zoomScrollDir;
  int lengthSnap;
  double orthoAngle;  // degrees
  double lengthSnapUnit;
  double dimSnapDistance;
  double userScale;
  double scaleUnits[2];  // paper, world
  Point3D snapUnit;      // x, y; z stays 0
  Point3D gridUnit;      // x, y; z stays 0

  // Dialog placement (x then y, width then height).
  POINT segmentDialogPos;
  POINT propertyDialogPos;
  POINT symbolBrowserPos;
  SIZE symbolBrowserSize;
  POINT soBrowserPos;
  SIZE soBrowserSize;
  POINT sectionBrowserPos;
  POINT legendDlgPos;
  SIZE legendDlgSize;
  POINT imagePanDlgPos;
  SIZE imagePanDlgSize;
  int legendDlgShowWindow;
  int imageDlgShowWindow;

  // Digitizer.
  int digiCom;
  int digiUnits;
  double digiScale;
  double digiScaleUnits[2];
  RECT digiMenu;
  RECT digiWorkspace;

 private:
  // Sets iniPath to the profile that LoadProfile reads.
  void FindProfile();
  void ReadMain();
  void ReadDefaults();
  void ReadDigitizer();
  bool WriteMain();
  bool WriteDefaults();
  bool WriteDigitizer();
  // The three default files may also sit in the "defaults" section, where they win on reading;
  // a write keeps a copy there current so that it cannot hide the newer value.
  bool WriteDefaultFile(const char* key, const char* value);
};
