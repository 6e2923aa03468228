#pragma once
// The one way text goes into the engine's fixed-size character fields (names, tags, GUIDs): cut
// to the field, always terminated, null copied as the empty text.

#include <cstddef>
#include <cstring>

inline char* CopyFixedText(char* dst, size_t size, const char* src) {
  if (dst == nullptr || size == 0) return dst;
  size_t length = src == nullptr ? 0 : std::strlen(src);
  if (length > size - 1) length = size - 1;
  if (length > 0) std::memmove(dst, src, length);
  dst[length] = '\0';
  return dst;
}

template <size_t N>
char* CopyFixedText(char (&dst)[N], const char* src) {
  return CopyFixedText(dst, N, src);
}
