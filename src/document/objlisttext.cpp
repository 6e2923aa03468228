// Font settings of the selected texts and dimensions, as the host's font tools read and change
// them. Each reading answers the value all of them share, or 0 when they differ; each change
// marks the document dirty when it reached any. Alignment and style are the texts' alone.

#include <optional>
#include <vector>

#include "document/objlist.h"
#include "entities/dimension3d.h"
#include "entities/text3d.h"

namespace {

// The value every text gives, or 0 when they differ or there is none.
template <typename T, typename Read>
int Common(const std::vector<T>& values, Read read) {
  std::optional<int> shared;
  for (const T& each : values) {
    const int value = read(each);
    if (shared.has_value() && *shared != value) return 0;
    shared = value;
  }
  return shared.value_or(0);
}

std::vector<Dimension3D*> SelectedDimensions(const Objlist& doc) {
  std::vector<Dimension3D*> dimensions;
  for (const ObjItem* item = doc.GetSHead(); item != nullptr; item = item->SNext()) {
    if (auto* dimension = dynamic_cast<Dimension3D*>(item->Obj())) dimensions.push_back(dimension);
  }
  return dimensions;
}

// A dimension's point size as a whole number, rounded as a text's FontSize is.
int RoundedPoints(double points) {
  return static_cast<int>(points + 0.5);
}

}  // namespace

std::vector<Text3D*> Objlist::SelectedTexts() const {
  std::vector<Text3D*> texts;
  for (const ObjItem* item = shead_; item != nullptr; item = item->SNext()) {
    if (auto* text = dynamic_cast<Text3D*>(item->Obj())) texts.push_back(text);
  }
  return texts;
}

int Objlist::SetFontSize(double points) {
  const std::vector<Text3D*> texts = SelectedTexts();
  const std::vector<Dimension3D*> dimensions = SelectedDimensions(*this);
  for (Text3D* text : texts)
    text->SetFontSize(points);
  for (Dimension3D* dimension : dimensions)
    dimension->Pointsize(points);
  if (texts.empty() && dimensions.empty()) return 0;
  dirty_ = 1;
  return 1;
}

int Objlist::FontSize() const {
  std::vector<int> sizes;
  for (const Text3D* text : SelectedTexts())
    sizes.push_back(text->FontSize());
  for (const Dimension3D* dimension : SelectedDimensions(*this))
    sizes.push_back(RoundedPoints(dimension->Pointsize()));
  return Common(sizes, [](int size) { return size; });
}

int Objlist::SetFont(const char* faceName) {
  if (faceName == nullptr) return 0;
  const std::vector<Text3D*> texts = SelectedTexts();
  const std::vector<Dimension3D*> dimensions = SelectedDimensions(*this);
  for (Text3D* text : texts)
    text->SetFontName(faceName);
  for (Dimension3D* dimension : dimensions)
    dimension->Facename(faceName);
  if (texts.empty() && dimensions.empty()) return 0;
  dirty_ = 1;
  return 1;
}

int Objlist::SetFont(const LOGFONTA* font, double points, int flags) {
  if (font == nullptr) return 0;
  const std::vector<Text3D*> texts = SelectedTexts();
  const std::vector<Dimension3D*> dimensions = SelectedDimensions(*this);
  for (Text3D* text : texts)
    text->SetFont(font, points, flags);
  for (Dimension3D* dimension : dimensions) {
    dimension->Facename(font->lfFaceName);
    dimension->Pointsize(points);
  }
  if (texts.empty() && dimensions.empty()) return 0;
  dirty_ = 1;
  return 1;
}

int Objlist::FontAlignment() const {
  return Common(SelectedTexts(), [](const Text3D* t) { return t->Alignment(nullptr); });
}

int Objlist::SetFontAlignment(int code) {
  const std::vector<Text3D*> texts = SelectedTexts();
  for (Text3D* text : texts)
    text->Alignment(code, nullptr);
  if (texts.empty()) return 0;
  dirty_ = 1;
  return 1;
}

int Objlist::FontAttributes() const {
  return Common(SelectedTexts(), [](const Text3D* t) { return t->Attributes(); });
}

int Objlist::SetFontAttributes(int bits) {
  const std::vector<Text3D*> texts = SelectedTexts();
  for (Text3D* text : texts)
    text->Attributes(bits);
  if (texts.empty()) return 0;
  dirty_ = 1;
  return 1;
}

const LOGFONTA* Objlist::GetFont() const {
  const std::vector<Text3D*> texts = SelectedTexts();
  if (!texts.empty()) return texts.front()->GetFont();
  const std::vector<Dimension3D*> dimensions = SelectedDimensions(*this);
  if (dimensions.empty() || dimensions.front()->GetText() == nullptr) return nullptr;
  return dimensions.front()->GetText()->GetFont();
}
