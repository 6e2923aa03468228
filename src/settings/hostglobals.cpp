#include "settings/hostglobals.h"

#include <cstring>

#include "platform/win32.h"

namespace {

// Characters the exchange format does not accept in table names.
constexpr char kDxfNameReplaced[] = "!@#%^&*()+=|\\{[}]:;<,>.?/ `~\"'";

bool IsReplacedInDxfName(char c) {
  return c != '\0' && std::strchr(kDxfNameReplaced, c) != nullptr;
}

}  // namespace

char* ConvertDXFName(const char* src, char* dst, size_t dstSize) {
  if (src == nullptr || dst == nullptr || dstSize == 0) return nullptr;
  size_t length = std::strlen(src);
  if (length > dstSize - 1) length = dstSize - 1;
  std::memmove(dst, src, length);
  dst[length] = '\0';
  for (size_t i = 0; i < length; ++i) {
    if (IsReplacedInDxfName(dst[i])) dst[i] = '_';
  }
  CharUpperBuffA(dst, static_cast<DWORD>(length));
  return dst;
}

char* ConvertDXFName(const char* src, char* dst) {
  if (src == nullptr || dst == nullptr) return nullptr;
  return ConvertDXFName(src, dst, std::strlen(src) + 1);
}

bool ValidateGuid(const char* text) {
  return text != nullptr && text[0] != '\0' && std::strstr(text, "000000") == nullptr;
}
