#pragma once
// The host's side of the window layer: what the window system does on Windows and the engine
// never does itself (making a window with its procedure, running the message loop, answering
// message boxes), plus what tests need to watch (beeps, invalidations). The engine only uses
// LoadProgressMessage and LoadFileSizeMessage from here; everything else it does through the
// Win32 names of platform/win32.h.

#include "platform/win32.h"

// A window procedure, as Win32 calls it.
using HostWindowProc = LRESULT (*)(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Answers MessageBoxA in place of a dialog; returns the button id (IDOK, IDNO...). owner, text,
// caption and flags are MessageBoxA's (a null text arrives as "", a null caption as "Error").
using MessageBoxHandler = int (*)(HWND owner, const char* text, const char* caption, UINT flags,
                                  void* context);

// Makes a window whose messages go to procedure, with the given client size in device pixels
// (negative sizes count as 0). user is kept for GetHostWindowUser. Null when procedure is null
// or memory runs out.
HWND RegisterHostWindow(HostWindowProc procedure, void* user, int client_width, int client_height);
// Destroys a window: its queued messages are discarded and every later call with the handle
// treats it as unknown. False when the window was not live.
bool DestroyHostWindow(HWND window);
// The user pointer given to RegisterHostWindow; null for a window that is not live.
void* GetHostWindowUser(HWND window);
// Resizes the client area (what GetClientRect reports). False when the window is not live.
bool SetHostWindowClientSize(HWND window, int client_width, int client_height);
// How many times InvalidateRect has been called for the window; 0 when it is not live.
int GetInvalidateCount(HWND window);

// Delivers the posted messages, oldest first, to their window procedures, and returns how many
// were delivered. Only the messages already queued when the call begins are delivered: what a
// procedure posts while the pump runs waits for the next call, so a procedure that posts to
// itself cannot keep the pump busy for ever. Messages for destroyed windows are dropped and not
// counted.
int PumpMessages();
// How many posted messages are waiting.
int PendingMessageCount();

// Installs the handler that answers MessageBoxA; a null handler restores the default, which
// writes "caption: text" to stderr and answers with the button that cancels or declines.
void SetMessageBoxHandler(MessageBoxHandler handler, void* context);

// MessageBeep calls since the start or the last reset.
int GetBeepCount();
void ResetBeepCount();

// Sets the folder GetWindowsDirectoryA reports (where profile files without a folder live).
// Null or empty restores the default, the current directory. Trailing separators are dropped.
// False, keeping the previous folder, when the path does not fit in MAX_PATH characters.
bool SetWindowsDirectory(const char* path);

// The numbers of the registered "LOAD_PROGRESS" and "LOAD_FILESIZE" messages. Both are
// registered together on the first call to either, so they exist before any use whatever order
// static initialisation takes.
UINT LoadProgressMessage();
UINT LoadFileSizeMessage();
