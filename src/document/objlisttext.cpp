// Font settings of the selected texts, as the host's font tools read and change them. Each
// reading answers the value all selected texts share, or 0 when they differ; each change marks
// the document dirty when it reached any text. Dimensions join with the dimension work.

#include <optional>
#include <vector>

#include "document/objlist.h"
#include "entities/text3d.h"

namespace {

// The value every text gives, or 0 when they differ or there is none.
template <typename Read>
int Common(const std::vector<Text3D*>& texts, Read read) {
  std::optional<int> shared;
  for (const Text3D* text : texts) {
    const int value = read(text);
    if (shared.has_value() && *shared != value) return 0;
    shared = value;
  }
  return shared.value_or(0);
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
  for (Text3D* text : texts)
    text->SetFontSize(points);
  if (texts.empty()) return 0;
  dirty_ = 1;
  return 1;
}

int Objlist::FontSize() const {
  return Common(SelectedTexts(), [](const Text3D* t) { return t->FontSize(); });
}

int Objlist::SetFont(const char* faceName) {
  if (faceName == nullptr) return 0;
  const std::vector<Text3D*> texts = SelectedTexts();
  for (Text3D* text : texts)
    text->SetFontName(faceName);
  if (texts.empty()) return 0;
  dirty_ = 1;
  return 1;
}

int Objlist::SetFont(const LOGFONTA* font, double points, int flags) {
  if (font == nullptr) return 0;
  const std::vector<Text3D*> texts = SelectedTexts();
  for (Text3D* text : texts)
    text->SetFont(font, points, flags);
  if (texts.empty()) return 0;
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
  return texts.empty() ? nullptr : texts.front()->GetFont();
}
