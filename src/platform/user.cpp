// The Win32 USER functions over the windows the host registers (platform/host.h): messages,
// registered message numbers, message boxes, beeps, scroll bars, client areas, invalidation.

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/detail/windowtable.h"
#include "platform/win32.h"

#ifndef _WIN32

namespace {

// Registered messages take the numbers Win32 reserves for them.
constexpr UINT kFirstRegisteredMessage = 0xC000;
constexpr UINT kLastRegisteredMessage = 0xFFFF;

constexpr int64_t kScrollRangeLimit = int64_t{1} << 31;

// A null caption shows as Win32's default title.
constexpr const char* kDefaultCaption = "Error";

struct RegisteredMessages {
  std::mutex mutex;
  std::unordered_map<std::string, UINT> numbers;  // keyed by the lower-cased name
  UINT next = kFirstRegisteredMessage;
};

RegisteredMessages& Registered() {
  static RegisteredMessages* registered = new RegisteredMessages;  // for the process's life
  return *registered;
}

std::string LowerAscii(const char* text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// The bar's record for SB_HORZ, SB_VERT or SB_CTL; null for any other bar or window.
ScrollBarState* FindBar(WindowTable& table, HWND window, int bar) {
  if (bar < 0 || bar >= kScrollBarCount) return nullptr;
  HostWindow* live = FindLiveWindow(table, window);
  return live != nullptr ? &live->bars[static_cast<size_t>(bar)] : nullptr;
}

// Win32 accepts the record with or without its last field.
bool ValidScrollInfoSize(UINT size) {
  return size == sizeof(SCROLLINFO) || size == sizeof(SCROLLINFO) - sizeof(int);
}

// Win32's rules after a change: an inverted range collapses to 0..0, the page is cut to the
// range, and the position is kept between min and max - (page - 1). 64-bit arithmetic because
// the range may span the whole int.
void Normalise(ScrollBarState& bar) {
  const int64_t span = static_cast<int64_t>(bar.max) - bar.min + 1;
  if (static_cast<int64_t>(bar.page) > span) bar.page = static_cast<UINT>(span);
  const int64_t last = bar.max - std::max<int64_t>(static_cast<int64_t>(bar.page) - 1, 0);
  if (bar.pos < bar.min) {
    bar.pos = bar.min;
  } else if (bar.pos > last) {
    bar.pos = static_cast<int>(last);
  }
}

void ApplyScrollInfo(ScrollBarState& bar, const SCROLLINFO& info) {
  if ((info.fMask & SIF_PAGE) != 0) {
    // A page that does not fit an int is as if negative: no page.
    bar.page = info.nPage > static_cast<UINT>(INT32_MAX) ? 0 : info.nPage;
  }
  if ((info.fMask & SIF_POS) != 0) bar.pos = info.nPos;
  if ((info.fMask & SIF_RANGE) != 0) {
    // Win32 refuses an inverted range or one of 2^31 or more, and collapses it to 0..0.
    const int64_t width = static_cast<int64_t>(info.nMax) - info.nMin;
    const bool invalid = width < 0 || width >= kScrollRangeLimit;
    bar.min = invalid ? 0 : info.nMin;
    bar.max = invalid ? 0 : info.nMax;
  }
  Normalise(bar);
}

// Only the caller's window procedure is called, with the table unlocked.
HostWindowProc ProcedureOf(HWND window) {
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  const HostWindow* live = FindLiveWindow(table, window);
  return live != nullptr ? live->procedure : nullptr;
}

}  // namespace

LRESULT SendMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const HostWindowProc procedure = ProcedureOf(window);
  if (procedure == nullptr) return 0;
  return procedure(window, message, wparam, lparam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  if (FindLiveWindow(table, window) == nullptr) return FALSE;
  try {
    table.queue.push_back(PostedMessage{table.next_sequence, window, message, wparam, lparam});
  } catch (...) {
    return FALSE;
  }
  ++table.next_sequence;
  return TRUE;
}

UINT RegisterWindowMessageA(LPCSTR name) {
  if (name == nullptr || *name == '\0') return 0;
  try {
    const std::string key = LowerAscii(name);
    RegisteredMessages& registered = Registered();
    std::lock_guard<std::mutex> lock(registered.mutex);
    const auto found = registered.numbers.find(key);
    if (found != registered.numbers.end()) return found->second;
    if (registered.next > kLastRegisteredMessage) return 0;  // the range is used up
    const UINT number = registered.next;
    registered.numbers.emplace(key, number);
    ++registered.next;
    return number;
  } catch (...) {
    return 0;
  }
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  const MessageBoxHook hook = CurrentMessageBoxHook();
  return hook.handler(owner, text != nullptr ? text : "",
                      caption != nullptr ? caption : kDefaultCaption, flags, hook.context);
}

BOOL MessageBeep(UINT) {
  CountBeep();
  return TRUE;
}

int SetScrollInfo(HWND window, int bar, LPCSCROLLINFO info, BOOL) {
  if (info == nullptr || !ValidScrollInfoSize(info->cbSize)) return 0;
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  ScrollBarState* state = FindBar(table, window, bar);
  if (state == nullptr) return 0;
  ApplyScrollInfo(*state, *info);
  return state->pos;
}

BOOL GetScrollInfo(HWND window, int bar, LPSCROLLINFO info) {
  if (info == nullptr || !ValidScrollInfoSize(info->cbSize)) return FALSE;
  if ((info->fMask & SIF_ALL) == 0) return FALSE;
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  const ScrollBarState* state = FindBar(table, window, bar);
  if (state == nullptr) return FALSE;
  if ((info->fMask & SIF_RANGE) != 0) {
    info->nMin = state->min;
    info->nMax = state->max;
  }
  if ((info->fMask & SIF_PAGE) != 0) info->nPage = state->page;
  if ((info->fMask & SIF_POS) != 0) info->nPos = state->pos;
  // Nothing drags the thumb here, so the tracking position is the position. The short form of
  // the record has no such field.
  if ((info->fMask & SIF_TRACKPOS) != 0 && info->cbSize == sizeof(SCROLLINFO)) {
    info->nTrackPos = state->pos;
  }
  return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
  if (rect == nullptr) return FALSE;
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  const HostWindow* live = FindLiveWindow(table, window);
  if (live == nullptr) return FALSE;
  *rect = RECT{0, 0, live->client_width, live->client_height};
  return TRUE;
}

BOOL InvalidateRect(HWND window, const RECT*, BOOL) {
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  // Win32 invalidates every window for a null handle.
  if (window == nullptr) {
    for (auto& entry : table.windows)
      ++entry.second.invalidations;
    return TRUE;
  }
  HostWindow* live = FindLiveWindow(table, window);
  if (live == nullptr) return FALSE;
  ++live->invalidations;
  return TRUE;
}

BOOL IsWindow(HWND window) {
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  return FindLiveWindow(table, window) != nullptr ? TRUE : FALSE;
}

UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) {
  return CopyWindowsDirectory(buffer, size);
}

#endif  // _WIN32
