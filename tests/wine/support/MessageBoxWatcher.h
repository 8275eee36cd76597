// Watches for the system message box (MessageBox, dialog class "#32770") of one process on a
// thread of its own, records what the user would see in it and presses its OK button.
//
// In process: the box runs a modal loop on the thread that raised it, so that thread cannot
// answer it. Keep a watcher alive while a test does anything that may raise a box; by the
// time the call that raised it returns, the box has been recorded and closed. Without a
// watcher such a test would hang.
//
// Another process: the box appears whenever that process gets to it; WaitForBoxes() waits.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace orvelle::test {

enum class BoxIcon { None, Stop, Warning, Information, Question, Unknown };
const char* ToString(BoxIcon icon);

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::wstring caption;
  std::wstring text;  // the message (static control 0xFFFF)
  HWND owner = nullptr;  // GetWindow(GW_OWNER); null for an unowned box
  std::wstring ownerClass;
  std::wstring ownerText;
  BoxIcon icon = BoxIcon::None;
  std::vector<std::wstring> buttons;  // visible buttons' captions, "&" removed, in tab order
  // The window given by SetWatchedWindow, as it was while the box was up.
  bool watchedWindowVisible = false;
  bool watchedWindowEnabled = false;
  int pressed = 0;  // the command the watcher sent to close it (IDOK when it had OK)
};

struct MessageBoxWatcherOptions {
  DWORD processId = ::GetCurrentProcessId();
  bool pressOk = true;  // false: record only, leave the box open
  DWORD pollMs = 10;
};

class MessageBoxWatcher {
public:
  explicit MessageBoxWatcher(MessageBoxWatcherOptions options = MessageBoxWatcherOptions());
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  // A window whose visibility and enabled state are recorded with each box.
  void SetWatchedWindow(HWND hwnd);

  // The boxes seen so far, in the order they appeared; they are forgotten by the watcher.
  std::vector<MessageBoxInfo> Take();
  std::size_t Count() const;

  // Waits until at least count boxes were seen since the last Take() (and closed, when
  // pressing OK); no pumping, so only for boxes of other threads or processes that do not
  // wait on the caller.
  bool WaitForBoxes(std::size_t count, DWORD timeoutMs);

private:
  void Run();
  void Poll();
  MessageBoxInfo Inspect(HWND box);

  MessageBoxWatcherOptions options_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<MessageBoxInfo> boxes_;
  std::set<HWND> handled_;
  int open_ = 0;  // boxes recorded and pressed, not yet gone
  HWND watched_ = nullptr;
  bool stop_ = false;
  std::thread thread_;
};

// Works out which of the system's message-box icons an icon static (SS_ICON) shows. Uses the
// icon handle when the static belongs to this process, the pixels on screen otherwise (then
// the box must be on screen and uncovered, and a box without an icon may give Unknown).
BoxIcon ClassifyIconStatic(HWND iconStatic);

}  // namespace orvelle::test
