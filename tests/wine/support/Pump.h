// Message pumping with a bounded wait. A test that drives windows of its own thread must keep
// handling their messages while it waits for something to happen; these helpers do that and
// give up after a time limit instead of hanging the whole test run.
#pragma once

#include <windows.h>

#include <functional>

namespace orvelle::test {

// Handles the messages already in this thread's queue; false once WM_QUIT came out of it.
using MessagePump = std::function<bool()>;

// The plain pump: PeekMessage, TranslateMessage, DispatchMessage.
bool PumpThreadMessages();

// Time limits used when a test names none. Generous: under Wine a slow machine may need a
// second or more for what a desktop does at once. Only failures ever wait this long.
inline constexpr DWORD kDefaultTimeoutMs = 10000;

// Pumps until done() holds or timeoutMs passes; returns done(). Stops early (returning
// done()) once the pump reports WM_QUIT, and sets *quit then.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kDefaultTimeoutMs,
               const MessagePump& pump = PumpThreadMessages, bool* quit = nullptr);

// Pumps for this long (messages handled as they arrive); false when WM_QUIT came.
bool PumpFor(DWORD ms, const MessagePump& pump = PumpThreadMessages);

// Pumps until the queue has stayed empty for quietMs (at most maxMs in all): for the effects
// of injected input, which arrive as a burst of messages and then nothing. False on WM_QUIT.
bool PumpUntilIdle(DWORD quietMs = 50, DWORD maxMs = 3000, const MessagePump& pump = PumpThreadMessages);

// Waits without pumping (for what other processes or threads do); returns done().
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kDefaultTimeoutMs, DWORD pollMs = 10);

}  // namespace orvelle::test
