#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/host.h"
#include "platform/win32.h"

namespace {

// window, message, wparam, lparam as the procedure saw them.
using Delivered = std::tuple<HWND, UINT, WPARAM, LPARAM>;

// What the test windows saw (each is registered with it as user pointer).
struct MessageLog {
  std::vector<Delivered> messages;
  HWND destroy_on_first = nullptr;  // the procedure destroys this window on its first message
  UINT repost_message = 0;          // the procedure posts this message again once
};

constexpr UINT kTestMessage = WM_USER + 7;
constexpr UINT kOtherMessage = WM_USER + 8;

LRESULT RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* log = static_cast<MessageLog*>(GetHostWindowUser(window));
  if (log == nullptr) return -1;
  log->messages.emplace_back(window, message, wparam, lparam);
  if (log->destroy_on_first == window)
    DestroyHostWindow(std::exchange(log->destroy_on_first, nullptr));
  if (message == log->repost_message && std::exchange(log->repost_message, 0) != 0)
    PostMessageA(window, message, wparam + 1, lparam);
  // An answer built from the arguments, so a test can tell the result came from this call.
  return static_cast<LRESULT>(wparam) * 10 + lparam;
}

// A registered window that is destroyed with the test.
using TestWindow = std::unique_ptr<HWND__, bool (*)(HWND)>;
TestWindow Window(MessageLog* log, int width = 640, int height = 480) {
  return TestWindow(RegisterHostWindow(RecordingProc, log, width, height), DestroyHostWindow);
}

void DrainQueue() {
  while (PendingMessageCount() > 0 && PumpMessages() > 0) {
  }
}

// ---- Send, post and the pump ---------------------------------------------------------------

TEST(UserMessages, SendIsImmediateWhilePostsWaitForThePumpInPostingOrder) {
  DrainQueue();
  MessageLog log;
  auto first = Window(&log), second = Window(&log);
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(PostMessageA(first.get(), kTestMessage, 1, 0));
  EXPECT_TRUE(PostMessageA(second.get(), kOtherMessage, 2, 0));
  EXPECT_TRUE(PostMessageA(first.get(), kOtherMessage, 3, 0));
  EXPECT_EQ(SendMessageA(second.get(), kTestMessage, 4, 2), 42);
  EXPECT_EQ(log.messages, (std::vector<Delivered>{{second.get(), kTestMessage, 4, 2}}));
  EXPECT_EQ(PendingMessageCount(), 3);
  EXPECT_EQ(PumpMessages(), 3);
  EXPECT_EQ(log.messages, (std::vector<Delivered>{{second.get(), kTestMessage, 4, 2},
                                                  {first.get(), kTestMessage, 1, 0},
                                                  {second.get(), kOtherMessage, 2, 0},
                                                  {first.get(), kOtherMessage, 3, 0}}));
  EXPECT_EQ(PumpMessages(), 0);
}

TEST(UserMessages, MessagesPostedWhilePumpingWaitForTheNextPump) {
  DrainQueue();
  MessageLog log{{}, nullptr, kOtherMessage};
  auto window = Window(&log);
  PostMessageA(window.get(), kOtherMessage, 5, 0);
  EXPECT_EQ(PumpMessages(), 1);
  EXPECT_EQ(PendingMessageCount(), 1);
  EXPECT_EQ(PumpMessages(), 1);
  EXPECT_EQ(log.messages, (std::vector<Delivered>{{window.get(), kOtherMessage, 5, 0},
                                                  {window.get(), kOtherMessage, 6, 0}}));
}

TEST(UserMessages, DestroyedWindowsGetNothingMoreAndTheirQueuedMessagesAreDropped) {
  DrainQueue();
  MessageLog log;
  auto keeper = Window(&log);
  const HWND doomed = RegisterHostWindow(RecordingProc, &log, 10, 10);
  PostMessageA(doomed, kTestMessage, 1, 0);
  PostMessageA(keeper.get(), kTestMessage, 2, 0);
  PostMessageA(doomed, kTestMessage, 3, 0);
  EXPECT_TRUE(DestroyHostWindow(doomed));
  EXPECT_FALSE(DestroyHostWindow(doomed));
  EXPECT_EQ(PendingMessageCount(), 1);
  EXPECT_EQ(PumpMessages(), 1);
  EXPECT_EQ(log.messages, (std::vector<Delivered>{{keeper.get(), kTestMessage, 2, 0}}));
  // Destroyed by its own procedure on the first message: the second is dropped, not counted.
  log.destroy_on_first = RegisterHostWindow(RecordingProc, &log, 10, 10);
  const HWND window = log.destroy_on_first;
  PostMessageA(window, kTestMessage, 1, 0);
  PostMessageA(window, kTestMessage, 2, 0);
  EXPECT_EQ(PumpMessages(), 1);
  EXPECT_EQ(SendMessageA(window, kTestMessage, 3, 0), 0);
  EXPECT_EQ(log.messages.size(), 2u);
}

TEST(UserMessages, PostsFromSeveralThreadsKeepEachThreadsOrder) {
  DrainQueue();
  MessageLog log;
  auto window = Window(&log);
  constexpr int kThreads = 4, kPerThread = 500;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&window, t] {
      for (int i = 0; i < kPerThread; ++i)
        PostMessageA(window.get(), kTestMessage, static_cast<WPARAM>(t), i);
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  EXPECT_EQ(PumpMessages(), kThreads * kPerThread);
  std::vector<LPARAM> next(kThreads, 0);
  for (const auto& [w, m, thread, i] : log.messages) {
    ASSERT_LT(thread, static_cast<WPARAM>(kThreads));
    EXPECT_EQ(i, next[thread]++);
  }
}

// ---- Windows and stale handles -----------------------------------------------------------

TEST(UserWindows, UnusableHandlesAreRefusedEverywhereAndNeverReused) {
  MessageLog log;
  const HWND destroyed = RegisterHostWindow(RecordingProc, &log, 100, 100);
  DestroyHostWindow(destroyed);
  const HWND foreign = reinterpret_cast<HWND>(static_cast<uintptr_t>(0xDEADBEEF0ull));
  for (const HWND window : {static_cast<HWND>(nullptr), destroyed, foreign}) {
    SCOPED_TRACE(window == nullptr ? "null" : window == destroyed ? "destroyed" : "foreign");
    EXPECT_EQ(SendMessageA(window, kTestMessage, 1, 1), 0);
    EXPECT_FALSE(PostMessageA(window, kTestMessage, 1, 1));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetHostWindowUser(window), nullptr);
    EXPECT_EQ(GetInvalidateCount(window), 0);
    EXPECT_FALSE(SetHostWindowClientSize(window, 5, 5));
    RECT rect{1, 2, 3, 4};
    EXPECT_FALSE(GetClientRect(window, &rect));
    EXPECT_EQ(rect.right, 3);  // untouched
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 10, 0, 5, 0};
    EXPECT_EQ(SetScrollInfo(window, SB_HORZ, &info, TRUE), 0);
    EXPECT_FALSE(GetScrollInfo(window, SB_HORZ, &info));
    // A null window for InvalidateRect means every window.
    EXPECT_EQ(InvalidateRect(window, nullptr, TRUE) != FALSE, window == nullptr);
  }
  EXPECT_TRUE(log.messages.empty());
  auto fresh = Window(&log);
  EXPECT_NE(fresh.get(), destroyed);
  EXPECT_TRUE(IsWindow(fresh.get()));
  EXPECT_EQ(GetHostWindowUser(fresh.get()), &log);
  EXPECT_EQ(RegisterHostWindow(nullptr, &log, 10, 10), nullptr);
}

std::array<LONG, 4> ClientRect(HWND window) {
  RECT rect{-1, -1, -1, -1};
  EXPECT_TRUE(GetClientRect(window, &rect));
  return {rect.left, rect.top, rect.right, rect.bottom};
}

TEST(UserWindows, ClientRectFollowsTheHostsSizeAndNegativeSizesCountAsZero) {
  MessageLog log;
  auto window = Window(&log, 640, 480);
  EXPECT_EQ(ClientRect(window.get()), (std::array<LONG, 4>{0, 0, 640, 480}));
  EXPECT_FALSE(GetClientRect(window.get(), nullptr));
  ASSERT_TRUE(SetHostWindowClientSize(window.get(), 320, -5));
  EXPECT_EQ(ClientRect(window.get()), (std::array<LONG, 4>{0, 0, 320, 0}));
  EXPECT_EQ(ClientRect(Window(&log, -1, -1).get()), (std::array<LONG, 4>{0, 0, 0, 0}));
}

TEST(UserWindows, InvalidateRectCountsPerWindowAndNullMeansEveryWindow) {
  MessageLog log;
  auto first = Window(&log), second = Window(&log);
  const RECT part{0, 0, 10, 10};
  const auto counts = [&] {
    return std::make_pair(GetInvalidateCount(first.get()), GetInvalidateCount(second.get()));
  };
  EXPECT_TRUE(InvalidateRect(first.get(), nullptr, TRUE));
  EXPECT_TRUE(InvalidateRect(first.get(), &part, FALSE));
  EXPECT_TRUE(InvalidateRect(second.get(), nullptr, FALSE));
  EXPECT_EQ(counts(), std::make_pair(2, 1));
  EXPECT_TRUE(InvalidateRect(nullptr, nullptr, TRUE));
  EXPECT_EQ(counts(), std::make_pair(3, 2));
}

// ---- Registered messages ---------------------------------------------------------------

TEST(UserRegisteredMessages, SameNameInAnyCaseGivesOneNumberAndNoNameGivesZero) {
  const UINT number = RegisterWindowMessageA("UserTestRefresh");
  const UINT other = RegisterWindowMessageA("UserTestRefresh2");
  for (const UINT n : {number, other, LoadProgressMessage(), LoadFileSizeMessage()}) {
    EXPECT_GE(n, 0xC000u);
    EXPECT_LE(n, 0xFFFFu);
  }
  for (const char* spelling : {"UserTestRefresh", "USERTESTREFRESH", "usertestrefresh"})
    EXPECT_EQ(RegisterWindowMessageA(spelling), number) << spelling;
  EXPECT_NE(other, number);
  EXPECT_EQ(RegisterWindowMessageA("USERTESTREFRESH2"), other);
  EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
  // The load messages are registered under their own names.
  EXPECT_NE(LoadProgressMessage(), LoadFileSizeMessage());
  EXPECT_EQ(RegisterWindowMessageA("load_progress"), LoadProgressMessage());
  EXPECT_EQ(RegisterWindowMessageA("Load_FileSize"), LoadFileSizeMessage());
}

// ---- Message boxes and beeps -------------------------------------------------------------

// Restores the default handler however the test ends.
struct HandlerGuard {
  ~HandlerGuard() { SetMessageBoxHandler(nullptr, nullptr); }
};

TEST(UserMessageBox, DefaultAnswerCancelsOrDeclinesAndWritesCaptionAndText) {
  HandlerGuard guard;
  SetMessageBoxHandler(nullptr, nullptr);
  const std::pair<UINT, int> cases[] = {{MB_OK, IDOK},
                                        {MB_ICONERROR, IDOK},
                                        {MB_OKCANCEL, IDCANCEL},
                                        {MB_YESNO, IDNO},
                                        {MB_YESNO | MB_TASKMODAL | MB_ICONWARNING, IDNO},
                                        {MB_YESNOCANCEL, IDCANCEL},
                                        {MB_RETRYCANCEL, IDCANCEL},
                                        {MB_CANCELTRYCONTINUE, IDCANCEL},
                                        {MB_ABORTRETRYIGNORE, IDABORT}};
  for (const auto& [flags, want] : cases) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(nullptr, "Roof is not closed", "Attention", flags), want) << flags;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Attention: Roof is not closed\n");
  }
}

// Records each call as "owner is null|text|caption|flags" and answers with answer.
struct ScriptedBox {
  std::vector<std::string> calls;
  int answer = IDYES;
};

int ScriptedHandler(HWND owner, const char* text, const char* caption, UINT flags, void* context) {
  auto* box = static_cast<ScriptedBox*>(context);
  box->calls.push_back(std::to_string(owner == nullptr) + "|" + text + "|" + caption + "|" +
                       std::to_string(flags));
  return box->answer;
}

TEST(UserMessageBox, ScriptedHandlerSeesTheCallUntilANullHandlerRestoresTheDefault) {
  HandlerGuard guard;
  ScriptedBox box;
  SetMessageBoxHandler(ScriptedHandler, &box);
  const UINT flags = MB_YESNO | MB_TASKMODAL | MB_ICONQUESTION;
  EXPECT_EQ(MessageBoxA(nullptr, "Delete the roof?", "WARNING!!!", flags), IDYES);
  box.answer = IDNO;
  EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDNO);
  EXPECT_EQ(box.calls,
            (std::vector<std::string>{"1|Delete the roof?|WARNING!!!|" + std::to_string(flags),
                                      "1||Error|" + std::to_string(MB_OK)}));
  // A null handler brings the default back.
  SetMessageBoxHandler(nullptr, &box);
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "text", "caption", MB_YESNO), IDNO);
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(box.calls.size(), 2u);
}

TEST(UserBeep, BeepsAreCountedUntilReset) {
  ResetBeepCount();
  EXPECT_TRUE(MessageBeep(MB_OK) && MessageBeep(MB_ICONEXCLAMATION) && MessageBeep(0xFFFFFFFF));
  EXPECT_EQ(GetBeepCount(), 3);
  ResetBeepCount();
  EXPECT_EQ(GetBeepCount(), 0);
}

// ---- Scroll bars -------------------------------------------------------------------------

SCROLLINFO ScrollInfo(UINT mask, int min, int max, UINT page, int pos) {
  return SCROLLINFO{sizeof(SCROLLINFO), mask, min, max, page, pos, 0};
}

// min, max, page, pos and tracking position of a bar.
using Bar = std::array<long long, 5>;
Bar ReadBar(HWND window, int bar) {
  SCROLLINFO info = ScrollInfo(SIF_ALL, -1, -1, 999, -1);
  EXPECT_TRUE(GetScrollInfo(window, bar, &info));
  return {info.nMin, info.nMax, info.nPage, info.nPos, info.nTrackPos};
}

TEST(UserScrollInfo, PositionIsClampedIntoTheRangeLessThePage) {
  MessageLog log;
  // Set min, max, page, pos; read back min, max, page, pos (the tracking position follows pos).
  const std::tuple<const char*, int, int, UINT, int, Bar> cases[] = {
      {"inside", 0, 100, 0, 50, {0, 100, 0, 50}},
      {"past the end with a page", 0, 100, 10, 100, {0, 100, 10, 91}},
      {"page of one reaches max", 0, 100, 1, 100, {0, 100, 1, 100}},
      {"below min", 10, 20, 0, 5, {10, 20, 0, 10}},
      {"page wider than the range", 0, 9, 50, 3, {0, 9, 10, 0}},
      {"negative range", -50, -10, 5, 0, {-50, -10, 5, -14}},
      {"inverted range collapses", 10, 5, 0, 7, {0, 0, 0, 0}},
      {"range of 2^31 or more collapses", INT_MIN, INT_MAX, 0, 3, {0, 0, 0, 0}},
      {"page beyond int is none", 0, 100, 0xFFFFFFFFu, 100, {0, 100, 0, 100}}};
  for (auto [name, min, max, page, pos, want] : cases) {
    SCOPED_TRACE(name);
    auto window = Window(&log);
    const SCROLLINFO set = ScrollInfo(SIF_ALL, min, max, page, pos);
    EXPECT_EQ(SetScrollInfo(window.get(), SB_VERT, &set, TRUE), want[3]);
    want[4] = want[3];
    EXPECT_EQ(ReadBar(window.get(), SB_VERT), want);
  }
}

TEST(UserScrollInfo, MaskChoosesWhatIsSetAndEveryChangeReclampsThePosition) {
  MessageLog log;
  auto window = Window(&log);
  const auto set = [&window](SCROLLINFO info) {
    return SetScrollInfo(window.get(), SB_HORZ, &info, FALSE);
  };
  EXPECT_EQ(set(ScrollInfo(SIF_ALL, 0, 200, 20, 50)), 50);
  EXPECT_EQ(set(ScrollInfo(SIF_POS, 999, -999, 999, 500)), 181);
  EXPECT_EQ(ReadBar(window.get(), SB_HORZ), (Bar{0, 200, 20, 181, 181}));
  EXPECT_EQ(set(ScrollInfo(SIF_RANGE, 0, 100, 0, 0)), 81);
  EXPECT_EQ(set(ScrollInfo(SIF_PAGE, 0, 0, 51, 0)), 50);
  EXPECT_EQ(ReadBar(window.get(), SB_HORZ), (Bar{0, 100, 51, 50, 50}));
  // The vertical bar keeps the standard range.
  EXPECT_EQ(ReadBar(window.get(), SB_VERT), (Bar{0, 100, 0, 0, 0}));
}

TEST(UserScrollInfo, GetFillsOnlyTheMaskedFieldsOfTheRecordItsSizeAllows) {
  MessageLog log;
  auto window = Window(&log);
  SCROLLINFO got = ScrollInfo(SIF_ALL, 5, 1000, 100, 400);
  SetScrollInfo(window.get(), SB_HORZ, &got, TRUE);
  got = ScrollInfo(SIF_POS, -7, -7, 7, -7);
  ASSERT_TRUE(GetScrollInfo(window.get(), SB_HORZ, &got));
  EXPECT_EQ(std::make_tuple(got.nMin, got.nMax, got.nPage, got.nPos),
            std::make_tuple(-7, -7, 7u, 400));
  got.fMask = 0;
  EXPECT_FALSE(GetScrollInfo(window.get(), SB_HORZ, &got));
  // The short form of the record has no tracking position, so nothing is written there.
  got = ScrollInfo(SIF_ALL, 0, 0, 0, 0);
  got.cbSize = sizeof(SCROLLINFO) - sizeof(int);
  got.nTrackPos = -123;
  ASSERT_TRUE(GetScrollInfo(window.get(), SB_HORZ, &got));
  EXPECT_EQ(std::make_pair(got.nPos, got.nTrackPos), std::make_pair(400, -123));
}

TEST(UserScrollInfo, BadRecordOrBarIsRefused) {
  MessageLog log;
  auto window = Window(&log);
  SCROLLINFO info = ScrollInfo(SIF_ALL, 0, 10, 0, 5);
  EXPECT_EQ(SetScrollInfo(window.get(), SB_BOTH, &info, TRUE), 0);
  EXPECT_FALSE(GetScrollInfo(window.get(), SB_BOTH, &info));
  EXPECT_EQ(SetScrollInfo(window.get(), -1, &info, TRUE), 0);
  EXPECT_EQ(SetScrollInfo(window.get(), SB_VERT, nullptr, TRUE), 0);
  EXPECT_FALSE(GetScrollInfo(window.get(), SB_VERT, nullptr));
  info.cbSize = 0;
  EXPECT_EQ(SetScrollInfo(window.get(), SB_VERT, &info, TRUE), 0);
  EXPECT_FALSE(GetScrollInfo(window.get(), SB_VERT, &info));
  EXPECT_EQ(ReadBar(window.get(), SB_VERT)[3], 0);  // the refused calls changed nothing
}

// ---- The Windows directory ---------------------------------------------------------------

struct DirectoryGuard {
  ~DirectoryGuard() { SetWindowsDirectory(nullptr); }
};

std::string WindowsDirectory() {
  char buffer[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(buffer, sizeof buffer);
  return length == 0 || length >= sizeof buffer ? "<failed>" : std::string(buffer, length);
}

TEST(UserWindowsDirectory, DefaultsToTheCurrentDirectoryAndDropsTrailingSeparators) {
  DirectoryGuard guard;
  SetWindowsDirectory(nullptr);
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(WindowsDirectory(), cwd);
  const std::pair<const char*, const char*> cases[] = {{"profiles", "profiles"},
                                                       {"profiles/", "profiles"},
                                                       {"data\\ini\\\\", "data\\ini"},
                                                       {"/", "/"}};
  for (const auto& [set, read] : cases) {
    ASSERT_TRUE(SetWindowsDirectory(set)) << set;
    EXPECT_EQ(WindowsDirectory(), read) << set;
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
  EXPECT_FALSE(SetWindowsDirectory(std::string(MAX_PATH, 'd').c_str()));
  EXPECT_EQ(WindowsDirectory(), "abcdefgh");
  EXPECT_TRUE(SetWindowsDirectory(std::string(MAX_PATH - 1, 'd').c_str()));
  EXPECT_EQ(GetWindowsDirectoryA(nullptr, 0), static_cast<UINT>(MAX_PATH));
}

}  // namespace
