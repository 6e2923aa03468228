#pragma once
// The process-wide USER state behind the host calls (platform/host.h) and the Win32 USER
// functions: the live windows, the posted-message queue, the message-box handler, the beep count
// and the Windows directory. One mutex guards the table and the queue; window procedures and
// message-box handlers are always called with it released, so they may call back in.

#include <array>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/host.h"
#include "platform/win32.h"

// One scroll bar as Win32 keeps it. A standard scroll bar starts with the range 0 to 100.
struct ScrollBarState {
  int min = 0;
  int max = 100;
  UINT page = 0;
  int pos = 0;
};

// SB_HORZ, SB_VERT and SB_CTL each have their own bar.
inline constexpr int kScrollBarCount = 3;

struct HostWindow {
  HostWindowProc procedure = nullptr;
  void* user = nullptr;
  int client_width = 0;
  int client_height = 0;
  std::array<ScrollBarState, kScrollBarCount> bars{};
  int invalidations = 0;
};

struct PostedMessage {
  uint64_t sequence = 0;  // posting order; the pump delivers only what was there when it began
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
};

struct WindowTable {
  std::mutex mutex;
  // Handles are numbers that are never reused, so a stale HWND can only miss, never alias.
  std::unordered_map<HWND, HostWindow> windows;
  std::deque<PostedMessage> queue;
  uint64_t next_handle = 1;
  uint64_t next_sequence = 1;
};

WindowTable& LiveWindows();

// The record of a live window, or null; the caller holds table.mutex.
HostWindow* FindLiveWindow(WindowTable& table, HWND window);

struct MessageBoxHook {
  MessageBoxHandler handler = nullptr;  // never null: the default handler when none is set
  void* context = nullptr;
};
MessageBoxHook CurrentMessageBoxHook();

void CountBeep();

// Copies the Windows directory into buffer with GetWindowsDirectoryA's contract.
UINT CopyWindowsDirectory(char* buffer, UINT size);
