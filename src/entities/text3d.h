#pragma once
// The text entity: one or more lines at an insertion point (Spt), in a font given by a platform
// font record, with a size in points tied to a height in drawing units
// (height = points / 72 / XScale), a rotation in degrees and an alignment code with its own
// alignment point. Roof labels, dimension texts and template labels are texts.
//
// The box is measured with the platform's text metrics and stored as four corners (a closed
// outline) for locating and filling; it follows the alignment, the frame margin and the angle.

#include <memory>
#include <string>
#include <vector>

#include "entities/curve3d.h"
#include "platform/win32.h"

class Multi3D;

// Flag bit that draws a frame around the text (and widens its box by the frame margin).
inline constexpr int kTextFrame = 16;
// Style bits of Attributes.
inline constexpr int kTextBold = 1;
inline constexpr int kTextItalic = 2;
inline constexpr int kTextUnderline = 4;
inline constexpr int kTextStrikeOut = 8;
// Alignment codes with a meaning of their own (see CalcTextBox).
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignCentre = 1;
inline constexpr int kAlignRight = 2;
inline constexpr int kAlignFitted = 5;  // what blocks give their texts
inline constexpr int kAlignOwnVertical = 6;
// SetXScale modes.
inline constexpr int kKeepPointSize = 1;
inline constexpr int kKeepHeight = 2;

class Text3D : public Curve3D {
 public:
  // An empty text with the default font ("Arial", 10 points, height 0) and the given flags.
  explicit Text3D(int flags = 0, int colour = 0);
  // One line of text at p (null: the origin), size in points, angle in degrees.
  Text3D(const Point3D* p, const char* text, double points, double angle, int flags = 0,
         int colour = 0);
  // Deep copy: lines, font, sizes, alignment; a null source gives an empty text.
  explicit Text3D(const Text3D* src);
  Text3D(const Text3D& src);
  Text3D& operator=(const Text3D& src);
  ~Text3D() override;

  // The number of live texts in the process.
  static int LiveCount();

  // ---- Overrides of the entity interface ---------------------------------------------------
  Curve3D* Copy() override;
  void Calcbox() override;
  // Near when p is inside the box or within size / zoom of its outline; kNotNear otherwise
  // (also for a text without a box).
  double IsNear(Point3D* p, double zoom, double size) override;
  int IsInside(Point3D* p) override;
  using Curve3D::IsInside;
  bool Ident(Curve3D* other) override;
  double Angle() override;
  double SetAngle(double degrees) override;
  double Height() override;
  double SetHeight(double h) override;
  Curve3D* Translate(const Point3D* v, bool moveLocal) override;
  // Rotates the insertion and alignment points and adds the rotation to the angle, kept in
  // [0, 360).
  Curve3D* Rotate(const Point3D* centre, const Point3D* axis, double radians) override;
  Curve3D* Rotate_cs(const Point3D* centre, const Point3D* axis, double cs, double sn) override;
  // Scales the insertion and alignment points; the size in points stays.
  Curve3D* Scale(const Point3D* centre, const Point3D* factors) override;
  Curve3D* Scale(const Point3D* centre, double s) override;
  // Mirrors the insertion and alignment points; the angle stays (text is never drawn mirrored).
  Curve3D* Mirror(const Point3D* normal, double distance) override;

  // ---- Lines ----
  // Replaces all lines by text (null changes nothing).
  void Settext(const char* text);
  // Appends a line (null ignored).
  void AddLine(const char* text);
  // Replaces line index (0-based); past the last line it appends.
  void SetTextLine(int index, const char* text);
  // Line index or null.
  const char* GetText(int index = 0) const;
  // Copies line index into buffer (cut to size - 1); returns buffer, null when out of range.
  char* GetText(char* buffer, int size, int index) const;
  int NumLines() const { return static_cast<int>(lines_.size()); }
  // Length of the first line (0 without lines).
  int TextLength() const;
  void ClearText();

  // ---- Font and size ----
  const LOGFONTA* GetFont() const { return &font_; }
  // Copies the record (output precision 7 and clip precision 16 forced), sets the point size and
  // the height from it; flags >= 0 replace the flags.
  void SetFont(const LOGFONTA* font, double points, int flags);
  // Face name (cut to 31 characters) and character set 0.
  void SetFontName(const char* name);
  const char* FontName() const { return font_.lfFaceName; }
  // points, and height = points / 72 / XScale.
  void SetFontSize(double points);
  // The point size rounded to the nearest whole number.
  int FontSize() const;
  double Pointsize() const { return pointsize_; }
  // Sets the point size alone.
  double Pointsize(int points);
  double TextHeight() const { return text_height_; }
  // Sets the height alone.
  double SetTextHeight(double h);
  // Sets the angle alone, as given.
  double Rotation(int degrees);
  double Angle(double degrees);
  using Curve3D::Angle;

  // Style bits: 1 bold (weight above 500), 2 italic, 4 underline, 8 strike-out, with the flags.
  int Attributes() const;
  // Weight 700 for bit 1 else 400; italic, underline, strike-out from bits 2, 4, 8; the frame
  // flag from bit 16.
  int Attributes(int bits);
  int Flags() const { return flags_; }

  // ---- Alignment ----
  // Sets the code and, when p is given, the alignment point; returns the code.
  int Alignment(int code, const Point3D* p);
  // Returns the code and copies the alignment point to p (when given).
  int Alignment(Point3D* p) const;
  const Point3D* AlignPoint() const { return &align_point_; }

  // ---- Scale with the drawing ----
  double XScale() const { return x_scale_; }
  // A new XScale (drawing scale per screen pixel per inch). Mode 1 keeps the point size and
  // recomputes the height; mode 2 keeps the height and recomputes the point size; alignment
  // codes 3 and 5 always use mode 2. Values of 0 or below (or not finite) are refused.
  double SetXScale(double scale, int mode);
  double XStretch() const { return x_stretch_; }
  double SetXStretch(double stretch);

  // Measures the lines on dc (null or a device without pixels per inch: the screen at the
  // program's pixels per inch) and stores the box corners; false when there is nothing to
  // measure (no lines, XScale or XStretch 0).
  bool CalcTextBox(HDC dc);
  // The four box corners as a closed outline, or null before a box was measured.
  Multi3D* GetTextBox() const { return text_box_.get(); }

 private:
  // The measured box in its own frame: a rectangle about the anchor, turned by the angle.
  struct Frame {
    Point3D anchor;
    double left = 0.0;
    double bottom = 0.0;
    double right = 0.0;
    double top = 0.0;
    double cs = 1.0;
    double sn = 0.0;
  };

  void CopyTextFields(const Text3D& src);
  // Marks the text changed and measures it again.
  void Changed();
  // Drops the measured box; the entity box shrinks to the insertion point.
  void ForgetBox();
  // Widest line and line height in drawing units; false when the device cannot measure.
  bool MeasureLines(HDC dc, double* width, double* lineHeight) const;
  // Stores the frame, its corners as a closed outline, and the entity box around them.
  void StoreBox(const Frame& frame);
  // Corner k (0 lower left, then clockwise) of the measured box.
  Point3D Corner(int k) const;
  // Distance from p to the measured box in the plan; 0 inside.
  double DistanceToBox(const Point3D& p) const;
  // Turns the insertion and alignment points and the angle (degrees) together.
  Curve3D* RotateBy(const Point3D* centre, const Point3D* axis, double cs, double sn,
                    double degrees);

  std::vector<std::string> lines_;
  LOGFONTA font_{};
  double pointsize_ = 10.0;
  double text_height_ = 0.0;
  double angle_ = 0.0;
  int alignment_ = kAlignLeft;
  Point3D align_point_;
  double x_scale_ = 1.0;
  double x_stretch_ = 1.0;
  int flags_ = 0;
  std::unique_ptr<Multi3D> text_box_;
  Frame frame_;
  bool has_box_ = false;
};
