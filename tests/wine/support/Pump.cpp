#include "support/Pump.h"

#include <algorithm>

namespace orvelle::test {

namespace {
ULONGLONG Now() { return ::GetTickCount64(); }

// Sleeps until a message arrives or ms pass.
void WaitForMessages(DWORD ms) { ::MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE); }
}  // namespace

bool PumpThreadMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return false;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return true;
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, const MessagePump& pump, bool* quit) {
  const ULONGLONG end = Now() + timeoutMs;
  for (;;) {
    if (!pump()) {
      if (quit) *quit = true;
      return done();
    }
    if (done()) return true;
    const ULONGLONG now = Now();
    if (now >= end) return false;
    WaitForMessages(static_cast<DWORD>(std::min<ULONGLONG>(end - now, 10)));
  }
}

bool PumpFor(DWORD ms, const MessagePump& pump) {
  const ULONGLONG end = Now() + ms;
  for (;;) {
    if (!pump()) return false;
    const ULONGLONG now = Now();
    if (now >= end) return true;
    WaitForMessages(static_cast<DWORD>(std::min<ULONGLONG>(end - now, 10)));
  }
}

bool PumpUntilIdle(DWORD quietMs, DWORD maxMs, const MessagePump& pump) {
  const ULONGLONG end = Now() + maxMs;
  ULONGLONG quietSince = Now();
  for (;;) {
    if (!pump()) return false;
    const ULONGLONG now = Now();
    if (HIWORD(::GetQueueStatus(QS_ALLINPUT)) != 0) quietSince = now;
    if (now - quietSince >= quietMs || now >= end) return true;
    WaitForMessages(5);
  }
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG end = Now() + timeoutMs;
  for (;;) {
    if (done()) return true;
    if (Now() >= end) return false;
    ::Sleep(pollMs);
  }
}

}  // namespace orvelle::test
