#include "document/layeritem.h"

#include "detail/fixedtext.h"
#include "document/objitem.h"
#include "io/dxfgroup.h"
#include "render/colours.h"
#include "settings/hostglobals.h"

namespace {

// Group codes of a layer record.
constexpr short kGroupName = 2;
constexpr short kGroupLineType = 6;
constexpr short kGroupColour = 62;
constexpr short kGroupFlags = 70;

// Colours that mean "not set" and are left out of the record.
bool IsColourWritten(int colour) {
  return colour != 0 && colour != -1;
}

}  // namespace

LayerItem::LayerItem(const char* name, int flags, int colour, int style)
    : flags_(flags), colour_(colour), style_(style) {
  CopyFixedText(name_, name);
}

LayerItem::LayerItem(const LayerItem* src) {
  if (src == nullptr) return;
  CopyFixedText(name_, src->name_);
  flags_ = src->flags_;
  colour_ = src->colour_;
  style_ = src->style_;
  spare_ = src->spare_;
  Guid(src->guid_);
}

LayerItem& LayerItem::operator=(const LayerItem& src) {
  if (this == &src) return *this;
  CopyFixedText(name_, src.name_);
  flags_ = src.flags_;
  colour_ = src.colour_;
  style_ = src.style_;
  spare_ = src.spare_;
  CopyFixedText(guid_, src.guid_);
  return *this;
}

Curve3D* LayerItem::Add(ObjItem* item) {
  return item != nullptr ? item->Obj() : nullptr;
}

int LayerItem::AddToken(DXFGroup* stream) {
  if (stream == nullptr) return 0;
  for (;;) {
    const int result = stream->GetGroup();
    if (result != kDxfOk) return result;
    const short code = stream->Code();
    if (code >= kDxfSection) {
      stream->Requeue();
      return 1;
    }
    switch (code) {
      case kGroupName:
        LayerName(stream->StringValue());
        break;
      case kGroupLineType:
        style_ = GetLineType(stream->StringValue());
        break;
      case kGroupColour:
        colour_ = stream->IntValue();
        break;
      case kGroupFlags:
        flags_ = stream->IntValue();
        break;
      default:
        break;
    }
  }
}

int LayerItem::FreezeLayer() {
  return flags_ |= kLayerFrozen;
}

int LayerItem::ShowLayer(bool show) {
  if (show) return flags_ &= ~kLayerOff;
  return flags_ |= kLayerOff;
}

int LayerItem::SetEplanLayer() {
  return flags_ |= kLayerEplan;
}

bool LayerItem::IsEplanLayer() const {
  return (flags_ & kLayerEplan) != 0;
}

bool LayerItem::IsLayerFrozen() const {
  return (flags_ & kLayerFrozen) != 0;
}

bool LayerItem::IsLayerVisible() const {
  return (flags_ & kLayerOff) == 0;
}

const char* LayerItem::LayerName(const char* name) {
  return CopyFixedText(name_, name);
}

const char* LayerItem::LayerName() const {
  return name_;
}

int LayerItem::LayerColour(int colour) {
  return colour_ = colour;
}

int LayerItem::LayerColour() const {
  return colour_;
}

int LayerItem::LayerFlags(int /*flags*/) {
  return flags_;
}

int LayerItem::LayerFlags() const {
  return flags_;
}

int LayerItem::LayerStyle(int style) {
  return style_ = style;
}

int LayerItem::LayerStyle() const {
  return style_;
}

int LayerItem::Save(DXFGroup* stream) {
  if (stream == nullptr) return 0;
  int result = stream->PutKeyword(kDxfLayer);
  if (result != kDxfOk) return result;

  char name[kLayerNameSize];
  CopyFixedText(name, name_);
  if (stream->Mode() == kLayerDxfNameMode) ConvertDXFName(name_, name, sizeof name);
  result = stream->PutString(kGroupName, name);
  if (result != kDxfOk) return result;
  result = stream->PutInteger(kGroupFlags, static_cast<short>(flags_));
  if (result != kDxfOk) return result;
  result = stream->PutString(kGroupLineType, GetStyleName(style_));
  if (result != kDxfOk) return result;
  if (!IsColourWritten(colour_)) return kDxfOk;
  return stream->PutInteger(kGroupColour, static_cast<short>(colour_));
}

int LayerItem::ThawLayer() {
  return flags_ = 0;
}

const char* LayerItem::Guid(const char* guid) {
  return CopyFixedText(guid_, ValidateGuid(guid) ? guid : nullptr);
}
