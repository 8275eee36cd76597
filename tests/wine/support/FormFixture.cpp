#include "support/FormFixture.h"


#include "app/ErrorBox.h"
#include "platform/Application.h"
#include "support/Files.h"
#include "support/Input.h"
#include "support/Paths.h"
#include "support/WindowQueries.h"
#include "ui/Unit1.h"

namespace orvelle::test {

namespace {
bool gStarted = false;
}  // namespace

std::string FormatEntries(const std::vector<std::string>& entries) {
  std::string out = "[";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i) out += ", ";
    out += '"';
    out += Escaped(entries[i]);
    out += '"';
  }
  return out + "]";
}

// ---- ProgramEnvironment --------------------------------------------------------------

ProgramEnvironment::ProgramEnvironment() = default;
ProgramEnvironment::~ProgramEnvironment() = default;

void ProgramEnvironment::SetUp() {
  platform::Application& app = platform::Application::Instance();
  app.Initialize();
  app.SetTitle(kProgramTitle);
  app.SetErrorHandler(&app::ShowErrorBox);
  // As the program's message loop starts: the zero-sized window that owns everything.
  ::ShowWindow(app.Handle(), SW_SHOWNOACTIVATE);
  gStarted = true;
}

void ProgramEnvironment::TearDown() {
  gStarted = false;
}

bool ProgramEnvironment::Started() { return gStarted; }

// ---- FormTest: set-up and tear-down --------------------------------------------------

FormTest::FormTest() = default;
FormTest::~FormTest() = default;

void FormTest::SetUp() {
  ASSERT_TRUE(ProgramEnvironment::Started()) << "register ProgramEnvironment with AddGlobalTestEnvironment";
  ReleaseModifiers();
  RemoveCommandFile();
  RemoveFile(SavingFilePath());
  ASSERT_FALSE(FileExists(CommandFilePath())) << "cannot remove the command file left by an earlier run";
  watcher_ = std::make_unique<MessageBoxWatcher>();
}

void FormTest::TearDown() {
  DestroyForm();
  for (const MessageBoxInfo& box : watcher_->Take())
    ADD_FAILURE() << "a message box the test did not expect: \"" << Utf8(box.caption) << "\": " << Utf8(box.text);
  watcher_.reset();
  ReleaseModifiers();
  RemoveCommandFile();
  RemoveFile(SavingFilePath());
}

// ---- The command file ----------------------------------------------------------------

std::wstring FormTest::CommandFilePath() { return ModuleDirectory() + L"\\commands.txt"; }

std::wstring FormTest::SavingFilePath() { return CommandFilePath() + L".saving"; }

void FormTest::WriteCommandFile(std::string_view bytes) {
  ASSERT_TRUE(WriteFileBytes(CommandFilePath(), bytes)) << "cannot write " << Utf8(CommandFilePath());
}

void FormTest::RemoveCommandFile() { RemoveFile(CommandFilePath()); }

std::optional<std::string> FormTest::CommandFileBytes() { return ReadFileBytes(CommandFilePath()); }

// ---- The window ----------------------------------------------------------------------

void FormTest::CreateForm() {
  if (form_) return;
  form_ = std::make_unique<ui::TForm1>();
  ui::Form1 = form_.get();
  platform::Application::Instance().SetMainForm(form_.get());
  watcher_->SetWatchedWindow(form_->Handle());
}

void FormTest::ShowForm() {
  CreateForm();
  form_->Show();
  HWND hwnd = FormWindow();
  ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(hwnd) != FALSE; })) << "the window did not appear";
  // Real input goes to the foreground window. Without a window manager Wine normally grants
  // the program's own request; if not, ask once more as a user's click on it would.
  shownInForeground_ = ::GetForegroundWindow() == hwnd;
  if (!shownInForeground_) {
    ::SetForegroundWindow(hwnd);
    PumpUntil([&] { return ::GetForegroundWindow() == hwnd; }, 2000);
  }
  Settle();
}

HWND FormTest::FormWindow() const { return form_ ? form_->Handle() : nullptr; }

bool FormTest::FormAlive() const { return FormWindow() && ::IsWindow(FormWindow()); }

void FormTest::DestroyForm() {
  if (!form_) return;
  // As the program ends: the window goes first (its WM_DESTROY posts WM_QUIT, taken here so
  // that the next test's pump does not see it), then the object.
  if (FormAlive()) {
    ::DestroyWindow(FormWindow());
    PumpUntil([&] { return quit_; }, 2000);
  }
  form_.reset();
  ui::Form1 = nullptr;
  platform::Application::Instance().SetMainForm(nullptr);
  Settle();
  quit_ = false;
}

// ---- Messages ------------------------------------------------------------------------

bool FormTest::Pump() {
  if (platform::Application::Instance().ProcessPendingMessages()) return true;
  quit_ = true;
  return false;
}

bool FormTest::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  return test::PumpUntil(done, timeoutMs, [this] { return Pump(); });
}

void FormTest::PumpFor(DWORD ms) { test::PumpFor(ms, [this] { return Pump(); }); }

void FormTest::Settle() { test::PumpUntilIdle(50, 3000, [this] { return Pump(); }); }

// ---- What the user sees --------------------------------------------------------------

std::vector<std::string> FormTest::ListEntries() const {
  HWND list = form_->sListBox1.Handle();
  std::vector<std::string> entries;
  const auto count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const auto length = ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::string text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
    const auto copied = ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
    entries.push_back(text);
  }
  return entries;
}

int FormTest::ListSelection() const {
  const auto sel = ::SendMessageW(form_->sListBox1.Handle(), LB_GETCURSEL, 0, 0);
  return sel == LB_ERR ? -1 : static_cast<int>(sel);
}

std::string FormTest::CommandLine() const {
  HWND edit = form_->sEdit1.Handle();
  const int length = ::GetWindowTextLengthA(edit);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(edit, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void FormTest::SetCommandLine(const std::string& text) const { ::SetWindowTextA(form_->sEdit1.Handle(), text.c_str()); }

// ---- Input ---------------------------------------------------------------------------

void FormTest::Click(HWND control) {
  ASSERT_TRUE(ClickCenter(control)) << "cannot click " << Utf8(Describe(control));
  Settle();
}

void FormTest::ClickListRow(int row) {
  HWND list = form_->sListBox1.Handle();
  RECT item{};
  ASSERT_NE(::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)), LB_ERR)
      << "no row " << row;
  ASSERT_TRUE(ClickClientPoint(list, {item.left + 10, (item.top + item.bottom) / 2})) << "cannot click row " << row;
  Settle();
}

void FormTest::Tap(WORD vk, std::initializer_list<WORD> modifiers) {
  ASSERT_TRUE(TapKey(vk, modifiers)) << "SendInput refused key " << vk;
  Settle();
}

void FormTest::Type(std::wstring_view text) {
  ASSERT_TRUE(TypeText(text)) << "SendInput refused the text";
  Settle();
}

// ---- Error boxes ---------------------------------------------------------------------

std::vector<MessageBoxInfo> FormTest::TakeBoxes() { return watcher_->Take(); }

}  // namespace orvelle::test
