#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/host.h"
#include "platform/win32.h"

namespace {

struct Delivered {
  HWND window;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

// What a test window saw, shared by every window registered with it as user pointer.
struct MessageLog {
  std::vector<Delivered> messages;
  HWND destroy_on_first = nullptr;  // the procedure destroys this window on its first message
  UINT repost_message = 0;          // the procedure posts this message again once
};

constexpr UINT kTestMessage = WM_USER + 7;
constexpr UINT kOtherMessage = WM_USER + 8;
constexpr UINT kRepostMessage = WM_USER + 9;

LRESULT RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* log = static_cast<MessageLog*>(GetHostWindowUser(window));
  if (log == nullptr) return -1;
  log->messages.push_back(Delivered{window, message, wparam, lparam});
  if (log->destroy_on_first == window) {
    log->destroy_on_first = nullptr;
    DestroyHostWindow(window);
  }
  if (log->repost_message != 0 && message == log->repost_message) {
    log->repost_message = 0;
    PostMessageA(window, message, wparam + 1, lparam);
  }
  // An answer built from the arguments, so a test can tell the result came from this call.
  return static_cast<LRESULT>(wparam) * 10 + lparam;
}

// A registered window that is destroyed with the test.
class TestWindow {
 public:
  explicit TestWindow(MessageLog* log, int width = 640, int height = 480)
      : handle_(RegisterHostWindow(RecordingProc, log, width, height)) {}
  ~TestWindow() { DestroyHostWindow(handle_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return handle_; }

 private:
  HWND handle_;
};

void DrainQueue() {
  while (PendingMessageCount() > 0 && PumpMessages() > 0) {
  }
}

// A handle value no window ever had.
HWND ForeignHandle() {
  return reinterpret_cast<HWND>(static_cast<uintptr_t>(0xDEADBEEF0ull));
}

// ---- Send, post and the pump ---------------------------------------------------------------

TEST(UserMessages, SendIsDeliveredAtOnceAheadOfQueuedPosts) {
  DrainQueue();
  MessageLog log;
  TestWindow window(&log);
  ASSERT_NE(window.get(), nullptr);
  EXPECT_TRUE(PostMessageA(window.get(), kOtherMessage, 1, 0));
  EXPECT_EQ(SendMessageA(window.get(), kTestMessage, 4, 2), 42);
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_EQ(log.messages[0].window, window.get());
  EXPECT_EQ(log.messages[0].message, kTestMessage);
  EXPECT_EQ(log.messages[0].lparam, 2);
  EXPECT_EQ(PumpMessages(), 1);
  ASSERT_EQ(log.messages.size(), 2u);
  EXPECT_EQ(log.messages[1].message, kOtherMessage);
}

TEST(UserMessages, PostWaitsForThePumpWhichDeliversInPostingOrder) {
  DrainQueue();
  MessageLog log;
  TestWindow first(&log);
  TestWindow second(&log);
  EXPECT_TRUE(PostMessageA(first.get(), kTestMessage, 1, 0));
  EXPECT_TRUE(PostMessageA(second.get(), kOtherMessage, 2, 0));
  EXPECT_TRUE(PostMessageA(first.get(), kOtherMessage, 3, 0));
  EXPECT_TRUE(log.messages.empty());
  EXPECT_EQ(PendingMessageCount(), 3);

  EXPECT_EQ(PumpMessages(), 3);
  ASSERT_EQ(log.messages.size(), 3u);
  const HWND windows[] = {first.get(), second.get(), first.get()};
  const UINT messages[] = {kTestMessage, kOtherMessage, kOtherMessage};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(log.messages[i].window, windows[i]) << i;
    EXPECT_EQ(log.messages[i].message, messages[i]) << i;
    EXPECT_EQ(log.messages[i].wparam, i + 1) << i;
  }
  EXPECT_EQ(PumpMessages(), 0);
}

TEST(UserMessages, MessagesPostedWhilePumpingWaitForTheNextPump) {
  DrainQueue();
  MessageLog log;
  log.repost_message = kRepostMessage;
  TestWindow window(&log);
  PostMessageA(window.get(), kRepostMessage, 5, 0);
  EXPECT_EQ(PumpMessages(), 1);
  EXPECT_EQ(PendingMessageCount(), 1);
  EXPECT_EQ(PumpMessages(), 1);
  ASSERT_EQ(log.messages.size(), 2u);
  EXPECT_EQ(log.messages[1].wparam, 6u);
}

TEST(UserMessages, DestroyingAWindowDiscardsItsQueuedMessages) {
  DrainQueue();
  MessageLog log;
  TestWindow keeper(&log);
  const HWND doomed = RegisterHostWindow(RecordingProc, &log, 10, 10);
  PostMessageA(doomed, kTestMessage, 1, 0);
  PostMessageA(keeper.get(), kTestMessage, 2, 0);
  PostMessageA(doomed, kTestMessage, 3, 0);
  EXPECT_TRUE(DestroyHostWindow(doomed));
  EXPECT_FALSE(DestroyHostWindow(doomed));
  EXPECT_EQ(PendingMessageCount(), 1);
  EXPECT_EQ(PumpMessages(), 1);
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_EQ(log.messages[0].window, keeper.get());
}

TEST(UserMessages, WindowDestroyedByItsOwnProcedureGetsNothingMore) {
  DrainQueue();
  MessageLog log;
  const HWND window = RegisterHostWindow(RecordingProc, &log, 10, 10);
  log.destroy_on_first = window;
  PostMessageA(window, kTestMessage, 1, 0);
  PostMessageA(window, kTestMessage, 2, 0);
  EXPECT_EQ(PumpMessages(), 1);
  EXPECT_EQ(SendMessageA(window, kTestMessage, 3, 0), 0);
  EXPECT_EQ(log.messages.size(), 1u);
}

TEST(UserMessages, PostsFromSeveralThreadsKeepEachThreadsOrder) {
  DrainQueue();
  MessageLog log;
  TestWindow window(&log);
  constexpr int kThreads = 4;
  constexpr int kPerThread = 500;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&window, t] {
      for (int i = 0; i < kPerThread; ++i) {
        PostMessageA(window.get(), kTestMessage, static_cast<WPARAM>(t), i);
      }
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_EQ(PumpMessages(), kThreads * kPerThread);
  std::vector<LPARAM> next(kThreads, 0);
  for (const Delivered& d : log.messages) {
    ASSERT_LT(d.wparam, static_cast<WPARAM>(kThreads));
    EXPECT_EQ(d.lparam, next[d.wparam]++);
  }
}

// ---- Windows and stale handles -----------------------------------------------------------

TEST(UserWindows, UnusableHandlesAreRefusedEverywhere) {
  MessageLog log;
  const HWND destroyed = RegisterHostWindow(RecordingProc, &log, 100, 100);
  DestroyHostWindow(destroyed);
  const struct {
    const char* name;
    HWND window;
  } cases[] = {{"null", nullptr}, {"destroyed", destroyed}, {"foreign", ForeignHandle()}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SendMessageA(c.window, kTestMessage, 1, 1), 0);
    EXPECT_FALSE(PostMessageA(c.window, kTestMessage, 1, 1));
    EXPECT_FALSE(IsWindow(c.window));
    EXPECT_EQ(GetHostWindowUser(c.window), nullptr);
    EXPECT_EQ(GetInvalidateCount(c.window), 0);
    EXPECT_FALSE(SetHostWindowClientSize(c.window, 5, 5));
    RECT rect{1, 2, 3, 4};
    EXPECT_FALSE(GetClientRect(c.window, &rect));
    EXPECT_EQ(rect.right, 3);  // untouched
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 10, 0, 5, 0};
    EXPECT_EQ(SetScrollInfo(c.window, SB_HORZ, &info, TRUE), 0);
    EXPECT_FALSE(GetScrollInfo(c.window, SB_HORZ, &info));
  }
  EXPECT_TRUE(log.messages.empty());
  EXPECT_FALSE(InvalidateRect(destroyed, nullptr, TRUE));
  EXPECT_FALSE(InvalidateRect(ForeignHandle(), nullptr, TRUE));
}

TEST(UserWindows, HandlesAreNeverReused) {
  MessageLog log;
  const HWND old_window = RegisterHostWindow(RecordingProc, &log, 1, 1);
  DestroyHostWindow(old_window);
  TestWindow fresh(&log);
  EXPECT_NE(fresh.get(), old_window);
  EXPECT_FALSE(IsWindow(old_window));
  EXPECT_TRUE(IsWindow(fresh.get()));
  EXPECT_EQ(GetHostWindowUser(fresh.get()), &log);
  EXPECT_EQ(RegisterHostWindow(nullptr, &log, 10, 10), nullptr);
}

TEST(UserWindows, ClientRectFollowsTheHostsSizeAndNegativeSizesCountAsZero) {
  MessageLog log;
  TestWindow window(&log, 640, 480);
  RECT rect{};
  ASSERT_TRUE(GetClientRect(window.get(), &rect));
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 640);
  EXPECT_EQ(rect.bottom, 480);
  EXPECT_FALSE(GetClientRect(window.get(), nullptr));

  ASSERT_TRUE(SetHostWindowClientSize(window.get(), 320, -5));
  ASSERT_TRUE(GetClientRect(window.get(), &rect));
  EXPECT_EQ(rect.right, 320);
  EXPECT_EQ(rect.bottom, 0);

  TestWindow shrunk(&log, -1, -1);
  ASSERT_TRUE(GetClientRect(shrunk.get(), &rect));
  EXPECT_EQ(rect.right, 0);
  EXPECT_EQ(rect.bottom, 0);
}

TEST(UserWindows, InvalidateRectCountsPerWindowAndNullMeansEveryWindow) {
  MessageLog log;
  TestWindow first(&log);
  TestWindow second(&log);
  const RECT part{0, 0, 10, 10};
  EXPECT_TRUE(InvalidateRect(first.get(), nullptr, TRUE));
  EXPECT_TRUE(InvalidateRect(first.get(), &part, FALSE));
  EXPECT_TRUE(InvalidateRect(second.get(), nullptr, FALSE));
  EXPECT_EQ(GetInvalidateCount(first.get()), 2);
  EXPECT_EQ(GetInvalidateCount(second.get()), 1);
  EXPECT_TRUE(InvalidateRect(nullptr, nullptr, TRUE));
  EXPECT_EQ(GetInvalidateCount(first.get()), 3);
  EXPECT_EQ(GetInvalidateCount(second.get()), 2);
}

// ---- Registered messages ---------------------------------------------------------------

TEST(UserRegisteredMessages, SameNameInAnyCaseGivesOneNumberAndNoNameGivesZero) {
  const UINT number = RegisterWindowMessageA("UserTestRefresh");
  EXPECT_GE(number, 0xC000u);
  EXPECT_LE(number, 0xFFFFu);
  for (const char* spelling : {"UserTestRefresh", "USERTESTREFRESH", "usertestrefresh"}) {
    EXPECT_EQ(RegisterWindowMessageA(spelling), number) << spelling;
  }
  const UINT other = RegisterWindowMessageA("UserTestRefresh2");
  EXPECT_GE(other, 0xC000u);
  EXPECT_NE(other, number);
  EXPECT_EQ(RegisterWindowMessageA("USERTESTREFRESH2"), other);
  EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST(UserRegisteredMessages, LoadMessagesAreRegisteredUnderTheirNames) {
  const UINT progress = LoadProgressMessage();
  const UINT file_size = LoadFileSizeMessage();
  EXPECT_GE(progress, 0xC000u);
  EXPECT_GE(file_size, 0xC000u);
  EXPECT_NE(progress, file_size);
  EXPECT_EQ(RegisterWindowMessageA("load_progress"), progress);
  EXPECT_EQ(RegisterWindowMessageA("Load_FileSize"), file_size);
  EXPECT_EQ(LoadProgressMessage(), progress);
}

// ---- Message boxes and beeps -------------------------------------------------------------

// Restores the default handler however the test ends.
struct HandlerGuard {
  ~HandlerGuard() { SetMessageBoxHandler(nullptr, nullptr); }
};

TEST(UserMessageBox, DefaultAnswerCancelsOrDeclinesAndWritesCaptionAndText) {
  HandlerGuard guard;
  SetMessageBoxHandler(nullptr, nullptr);
  const struct {
    const char* kind;
    UINT flags;
    int answer;
  } cases[] = {
      {"ok", MB_OK, IDOK},
      {"ok with error icon", MB_ICONERROR, IDOK},
      {"ok cancel", MB_OKCANCEL, IDCANCEL},
      {"yes no", MB_YESNO, IDNO},
      {"yes no task-modal warning", MB_YESNO | MB_TASKMODAL | MB_ICONWARNING, IDNO},
      {"yes no cancel", MB_YESNOCANCEL, IDCANCEL},
      {"retry cancel", MB_RETRYCANCEL, IDCANCEL},
      {"cancel try continue", MB_CANCELTRYCONTINUE, IDCANCEL},
      {"abort retry ignore", MB_ABORTRETRYIGNORE, IDABORT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    testing::internal::CaptureStderr();
    const int answer = MessageBoxA(nullptr, "Roof is not closed", "Attention", c.flags);
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, c.answer);
    EXPECT_EQ(written, "Attention: Roof is not closed\n");
  }
}

struct ScriptedBox {
  int calls = 0;
  HWND owner = nullptr;
  std::string text;
  std::string caption;
  UINT flags = 0;
  int answer = IDYES;
};

int ScriptedHandler(HWND owner, const char* text, const char* caption, UINT flags, void* context) {
  auto* box = static_cast<ScriptedBox*>(context);
  ++box->calls;
  box->owner = owner;
  box->text = text;
  box->caption = caption;
  box->flags = flags;
  return box->answer;
}

TEST(UserMessageBox, ScriptedHandlerSeesTheCallUntilANullHandlerRestoresTheDefault) {
  HandlerGuard guard;
  ScriptedBox box;
  SetMessageBoxHandler(ScriptedHandler, &box);
  const UINT flags = MB_YESNO | MB_TASKMODAL | MB_ICONQUESTION;
  EXPECT_EQ(MessageBoxA(nullptr, "Delete the roof?", "WARNING!!!", flags), IDYES);
  EXPECT_EQ(box.calls, 1);
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(box.text, "Delete the roof?");
  EXPECT_EQ(box.caption, "WARNING!!!");
  EXPECT_EQ(box.flags, flags);

  box.answer = IDNO;
  EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDNO);
  EXPECT_EQ(box.text, "");
  EXPECT_EQ(box.caption, "Error");

  // A null handler brings the default back.
  SetMessageBoxHandler(nullptr, &box);
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", MB_YESNO), IDNO);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(box.calls, 2);
}

TEST(UserBeep, BeepsAreCountedUntilReset) {
  ResetBeepCount();
  EXPECT_TRUE(MessageBeep(MB_OK));
  EXPECT_TRUE(MessageBeep(MB_ICONEXCLAMATION));
  EXPECT_TRUE(MessageBeep(0xFFFFFFFF));
  EXPECT_EQ(GetBeepCount(), 3);
  ResetBeepCount();
  EXPECT_EQ(GetBeepCount(), 0);
}

// ---- Scroll bars -------------------------------------------------------------------------

SCROLLINFO ScrollInfo(UINT mask, int min, int max, UINT page, int pos) {
  return SCROLLINFO{sizeof(SCROLLINFO), mask, min, max, page, pos, 0};
}

SCROLLINFO ReadBar(HWND window, int bar) {
  SCROLLINFO info = ScrollInfo(SIF_ALL, -1, -1, 999, -1);
  EXPECT_TRUE(GetScrollInfo(window, bar, &info));
  return info;
}

TEST(UserScrollInfo, PositionIsClampedIntoTheRangeLessThePage) {
  MessageLog log;
  const struct {
    const char* name;
    int min, max;
    UINT page;
    int pos;
    int want_min, want_max;
    UINT want_page;
    int want_pos;
  } cases[] = {
      {"inside", 0, 100, 0, 50, 0, 100, 0, 50},
      {"past the end with a page", 0, 100, 10, 100, 0, 100, 10, 91},
      {"page of one reaches max", 0, 100, 1, 100, 0, 100, 1, 100},
      {"below min", 10, 20, 0, 5, 10, 20, 0, 10},
      {"page wider than the range", 0, 9, 50, 3, 0, 9, 10, 0},
      {"negative range", -50, -10, 5, 0, -50, -10, 5, -14},
      {"inverted range collapses", 10, 5, 0, 7, 0, 0, 0, 0},
      {"range of 2^31 or more collapses", INT_MIN, INT_MAX, 0, 3, 0, 0, 0, 0},
      {"page beyond int is none", 0, 100, 0xFFFFFFFFu, 100, 0, 100, 0, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestWindow window(&log);
    const SCROLLINFO set = ScrollInfo(SIF_ALL, c.min, c.max, c.page, c.pos);
    EXPECT_EQ(SetScrollInfo(window.get(), SB_VERT, &set, TRUE), c.want_pos);
    const SCROLLINFO got = ReadBar(window.get(), SB_VERT);
    EXPECT_EQ(got.nMin, c.want_min);
    EXPECT_EQ(got.nMax, c.want_max);
    EXPECT_EQ(got.nPage, c.want_page);
    EXPECT_EQ(got.nPos, c.want_pos);
    EXPECT_EQ(got.nTrackPos, c.want_pos);
  }
}

TEST(UserScrollInfo, MaskChoosesWhatIsSetAndEveryChangeReclampsThePosition) {
  MessageLog log;
  TestWindow window(&log);
  const SCROLLINFO all = ScrollInfo(SIF_ALL, 0, 200, 20, 50);
  EXPECT_EQ(SetScrollInfo(window.get(), SB_HORZ, &all, FALSE), 50);

  const SCROLLINFO pos_only = ScrollInfo(SIF_POS, 999, -999, 999, 500);
  EXPECT_EQ(SetScrollInfo(window.get(), SB_HORZ, &pos_only, FALSE), 181);
  SCROLLINFO got = ReadBar(window.get(), SB_HORZ);
  EXPECT_EQ(got.nMin, 0);
  EXPECT_EQ(got.nMax, 200);
  EXPECT_EQ(got.nPage, 20u);

  const SCROLLINFO range_only = ScrollInfo(SIF_RANGE, 0, 100, 0, 0);
  EXPECT_EQ(SetScrollInfo(window.get(), SB_HORZ, &range_only, FALSE), 81);

  const SCROLLINFO page_only = ScrollInfo(SIF_PAGE, 0, 0, 51, 0);
  EXPECT_EQ(SetScrollInfo(window.get(), SB_HORZ, &page_only, FALSE), 50);
  got = ReadBar(window.get(), SB_HORZ);
  EXPECT_EQ(got.nMax, 100);
  EXPECT_EQ(got.nPage, 51u);
}

TEST(UserScrollInfo, BarsStartAtTheStandardRangeAndGetFillsOnlyTheMaskedFields) {
  MessageLog log;
  TestWindow window(&log);
  const SCROLLINFO set = ScrollInfo(SIF_ALL, 5, 1000, 100, 400);
  SetScrollInfo(window.get(), SB_HORZ, &set, TRUE);
  const SCROLLINFO vert = ReadBar(window.get(), SB_VERT);
  EXPECT_EQ(vert.nMin, 0);
  EXPECT_EQ(vert.nMax, 100);
  EXPECT_EQ(vert.nPage, 0u);
  EXPECT_EQ(vert.nPos, 0);

  SCROLLINFO got = ScrollInfo(SIF_POS, -7, -7, 7, -7);
  ASSERT_TRUE(GetScrollInfo(window.get(), SB_HORZ, &got));
  EXPECT_EQ(got.nPos, 400);
  EXPECT_EQ(got.nMin, -7);
  EXPECT_EQ(got.nMax, -7);
  EXPECT_EQ(got.nPage, 7u);
  got.fMask = 0;
  EXPECT_FALSE(GetScrollInfo(window.get(), SB_HORZ, &got));

  // The short form of the record has no tracking position, so nothing is written there.
  got = ScrollInfo(SIF_ALL, 0, 0, 0, 0);
  got.cbSize = sizeof(SCROLLINFO) - sizeof(int);
  got.nTrackPos = -123;
  ASSERT_TRUE(GetScrollInfo(window.get(), SB_HORZ, &got));
  EXPECT_EQ(got.nPos, 400);
  EXPECT_EQ(got.nTrackPos, -123);
}

TEST(UserScrollInfo, BadRecordOrBarIsRefused) {
  MessageLog log;
  TestWindow window(&log);
  SCROLLINFO info = ScrollInfo(SIF_ALL, 0, 10, 0, 5);
  EXPECT_EQ(SetScrollInfo(window.get(), SB_BOTH, &info, TRUE), 0);
  EXPECT_FALSE(GetScrollInfo(window.get(), SB_BOTH, &info));
  EXPECT_EQ(SetScrollInfo(window.get(), -1, &info, TRUE), 0);
  EXPECT_EQ(SetScrollInfo(window.get(), SB_VERT, nullptr, TRUE), 0);
  EXPECT_FALSE(GetScrollInfo(window.get(), SB_VERT, nullptr));

  info.cbSize = 0;
  EXPECT_EQ(SetScrollInfo(window.get(), SB_VERT, &info, TRUE), 0);
  EXPECT_FALSE(GetScrollInfo(window.get(), SB_VERT, &info));
  EXPECT_EQ(ReadBar(window.get(), SB_VERT).nPos, 0);  // the refused call changed nothing
}

// ---- The Windows directory ---------------------------------------------------------------

struct DirectoryGuard {
  ~DirectoryGuard() { SetWindowsDirectory(nullptr); }
};

std::string WindowsDirectory() {
  char buffer[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return "<failed>";
  return std::string(buffer, length);
}

TEST(UserWindowsDirectory, DefaultsToTheCurrentDirectoryAndDropsTrailingSeparators) {
  DirectoryGuard guard;
  SetWindowsDirectory(nullptr);
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(WindowsDirectory(), cwd);
  const struct {
    const char* set;
    const char* read;
  } cases[] = {{"profiles", "profiles"},
               {"profiles/", "profiles"},
               {"data\\ini\\\\", "data\\ini"},
               {"/", "/"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(SetWindowsDirectory(c.set)) << c.set;
    EXPECT_EQ(WindowsDirectory(), c.read) << c.set;
  }
  SetWindowsDirectory("");
  EXPECT_EQ(WindowsDirectory(), cwd);
}

TEST(UserWindowsDirectory, SmallBufferGetsTheSizeNeededAndLongPathsAreRefused) {
  DirectoryGuard guard;
  ASSERT_TRUE(SetWindowsDirectory("abcdefgh"));
  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(GetWindowsDirectoryA(buffer, 8), 9u);  // no room for the terminating null
  EXPECT_EQ(buffer[0], 'x');
  EXPECT_EQ(GetWindowsDirectoryA(nullptr, 0), 9u);
  EXPECT_EQ(GetWindowsDirectoryA(buffer, 9), 8u);
  EXPECT_STREQ(buffer, "abcdefgh");

  // A folder that would not fit a MAX_PATH buffer is refused and the old one kept.
  const std::string longest(MAX_PATH - 1, 'd');
  const std::string too_long(MAX_PATH, 'd');
  EXPECT_FALSE(SetWindowsDirectory(too_long.c_str()));
  EXPECT_EQ(WindowsDirectory(), "abcdefgh");
  EXPECT_TRUE(SetWindowsDirectory(longest.c_str()));
  EXPECT_EQ(GetWindowsDirectoryA(nullptr, 0), static_cast<UINT>(MAX_PATH));
}

}  // namespace
