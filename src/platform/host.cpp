// The host calls of the window layer and the process-wide USER state they share with user.cpp.

#include "platform/host.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "platform/detail/windowtable.h"

namespace {

struct LoadMessages {
  UINT progress;
  UINT file_size;
};

// Braced initialisers run left to right, so the two are always registered in this order.
const LoadMessages& RegisteredLoadMessages() {
  static const LoadMessages messages{RegisterWindowMessageA("LOAD_PROGRESS"),
                                     RegisterWindowMessageA("LOAD_FILESIZE")};
  return messages;
}

// The host may look the two messages up by name before the engine sends either, so they are
// registered when the library is loaded.
[[maybe_unused]] const LoadMessages& registered_at_load = RegisteredLoadMessages();

}  // namespace

UINT LoadProgressMessage() {
  return RegisteredLoadMessages().progress;
}

UINT LoadFileSizeMessage() {
  return RegisteredLoadMessages().file_size;
}

#ifndef _WIN32

namespace {

std::atomic<int> beep_count{0};

int DefaultMessageBox(HWND, const char* text, const char* caption, UINT flags, void*) {
  std::fprintf(stderr, "%s: %s\n", caption, text);
  // Unattended runs must never hang and never agree to anything: answer with the button that
  // cancels or declines.
  switch (flags & MB_TYPEMASK) {
    case MB_YESNO:
      return IDNO;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
    case MB_CANCELTRYCONTINUE:
      return IDCANCEL;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;  // the box has no Cancel; Abort is its declining button
    default:
      return IDOK;
  }
}

struct SharedState {
  std::mutex mutex;
  MessageBoxHook hook{DefaultMessageBox, nullptr};
  std::string windows_directory;  // empty: the current directory
};

SharedState& Shared() {
  static SharedState* state = new SharedState;  // never destroyed: used until the process ends
  return *state;
}

int ClampSize(int size) {
  return std::max(size, 0);
}

std::string CurrentDirectory() {
  char buffer[MAX_PATH * 4];
  if (getcwd(buffer, sizeof buffer) == nullptr) return ".";
  return buffer;
}

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

// The next queued message posted before `before`, taken off the queue, with the procedure to
// deliver it to (null when its window is gone). False when there is none.
bool TakeNextMessage(uint64_t before, PostedMessage* message, HostWindowProc* procedure) {
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  if (table.queue.empty() || table.queue.front().sequence >= before) return false;
  *message = table.queue.front();
  table.queue.pop_front();
  const HostWindow* window = FindLiveWindow(table, message->window);
  *procedure = window != nullptr ? window->procedure : nullptr;
  return true;
}

}  // namespace

WindowTable& LiveWindows() {
  static WindowTable* table = new WindowTable;  // never destroyed: handles may be used at exit
  return *table;
}

HostWindow* FindLiveWindow(WindowTable& table, HWND window) {
  if (window == nullptr) return nullptr;
  const auto found = table.windows.find(window);
  return found != table.windows.end() ? &found->second : nullptr;
}

MessageBoxHook CurrentMessageBoxHook() {
  SharedState& shared = Shared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  return shared.hook;
}

void CountBeep() {
  ++beep_count;
}

UINT CopyWindowsDirectory(char* buffer, UINT size) {
  std::string directory;
  try {
    SharedState& shared = Shared();
    std::lock_guard<std::mutex> lock(shared.mutex);
    directory = shared.windows_directory;
    if (directory.empty()) directory = CurrentDirectory();
  } catch (...) {
    return 0;
  }
  const UINT length = static_cast<UINT>(directory.size());
  // Win32: too small a buffer gets nothing, and the answer is the size needed with the null.
  if (buffer == nullptr || size <= length) return length + 1;
  std::memcpy(buffer, directory.c_str(), length + 1);
  return length;
}

HWND RegisterHostWindow(HostWindowProc procedure, void* user, int client_width, int client_height) {
  if (procedure == nullptr) return nullptr;
  HostWindow window;
  window.procedure = procedure;
  window.user = user;
  window.client_width = ClampSize(client_width);
  window.client_height = ClampSize(client_height);
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  // The handle is an opaque number that is never dereferenced and never handed out twice.
  const HWND handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(table.next_handle));
  try {
    table.windows.emplace(handle, window);
  } catch (...) {
    return nullptr;
  }
  ++table.next_handle;
  return handle;
}

bool DestroyHostWindow(HWND window) {
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  if (table.windows.erase(window) == 0) return false;
  std::erase_if(table.queue, [window](const PostedMessage& m) { return m.window == window; });
  return true;
}

void* GetHostWindowUser(HWND window) {
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  const HostWindow* live = FindLiveWindow(table, window);
  return live != nullptr ? live->user : nullptr;
}

bool SetHostWindowClientSize(HWND window, int client_width, int client_height) {
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  HostWindow* live = FindLiveWindow(table, window);
  if (live == nullptr) return false;
  live->client_width = ClampSize(client_width);
  live->client_height = ClampSize(client_height);
  return true;
}

int GetInvalidateCount(HWND window) {
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  const HostWindow* live = FindLiveWindow(table, window);
  return live != nullptr ? live->invalidations : 0;
}

int PumpMessages() {
  uint64_t before = 0;
  {
    WindowTable& table = LiveWindows();
    std::lock_guard<std::mutex> lock(table.mutex);
    before = table.next_sequence;
  }
  int delivered = 0;
  PostedMessage message;
  HostWindowProc procedure = nullptr;
  while (TakeNextMessage(before, &message, &procedure)) {
    if (procedure == nullptr) continue;
    procedure(message.window, message.message, message.wparam, message.lparam);
    ++delivered;
  }
  return delivered;
}

int PendingMessageCount() {
  WindowTable& table = LiveWindows();
  std::lock_guard<std::mutex> lock(table.mutex);
  return static_cast<int>(table.queue.size());
}

void SetMessageBoxHandler(MessageBoxHandler handler, void* context) {
  SharedState& shared = Shared();
  std::lock_guard<std::mutex> lock(shared.mutex);
  shared.hook = handler != nullptr ? MessageBoxHook{handler, context}
                                   : MessageBoxHook{DefaultMessageBox, nullptr};
}

int GetBeepCount() {
  return beep_count.load();
}

void ResetBeepCount() {
  beep_count = 0;
}

bool SetWindowsDirectory(const char* path) {
  try {
    std::string directory = path != nullptr ? path : "";
    // Keep a lone root separator; drop the others so "dir/" and "dir" name the same folder.
    while (directory.size() > 1 && IsSeparator(directory.back()))
      directory.pop_back();
    if (directory.size() >= static_cast<size_t>(MAX_PATH)) return false;
    SharedState& shared = Shared();
    std::lock_guard<std::mutex> lock(shared.mutex);
    shared.windows_directory = std::move(directory);
    return true;
  } catch (...) {
    return false;
  }
}

#endif  // _WIN32
