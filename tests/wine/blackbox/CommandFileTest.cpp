// commands.txt seen from outside: the first start without it, saving by the exit button, and
// saves that fail for real reasons (read-only file, file open elsewhere, folder without write
// access, full disk) without harming the file or closing the window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "blackbox/ProgramTest.h"

namespace orvelle::blackbox {
namespace {

// ---- First start ----------------------------------------------------------------------

class FirstStartTest : public ProgramTest {};

TEST_F(FirstStartTest, ReportsTheMissingFileThenCreatesItEmptyOnExit) {
  ASSERT_NO_FATAL_FAILURE(Launch());
  const auto box = program().WaitForMessageBox(kStartTimeoutMs);
  ASSERT_TRUE(box) << "no error box for the missing commands.txt";
  // The load runs before the window appears.
  EXPECT_TRUE(!program().Form() || !::IsWindowVisible(program().Form()));
  EXPECT_EQ(box->caption, kApplicationTitle);
  EXPECT_TRUE(IsFileMessage(box->text, L"open", CommandsPath(), ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(box->owner, program().AppWindow()) << "the box is not owned by the hidden application window";
  EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});

  ASSERT_TRUE(program().PressOk(*box));
  ASSERT_TRUE(program().WaitForFormVisible());
  EXPECT_EQ(program().ListCount(), 0);
  EXPECT_EQ(program().Text(kCommandLine), L"");
  EXPECT_EQ(program().Focus(), program().Control(kExitButton));
  EXPECT_FALSE(FileExists(CommandsPath())) << "only the exit button may create commands.txt";

  ExitByButton();
  EXPECT_EQ(ReadFileBytes(CommandsPath()), std::string());
  EXPECT_FALSE(FileExists(SavingPath()));
}

// ---- Adding, then leaving -------------------------------------------------------------

struct LeaveCase {
  const char* name;
  bool byExitButton;
  const char* fileAfter;
};
void PrintTo(const LeaveCase& row, std::ostream* os) { *os << row.name; }

class LeaveAfterAddingTest : public ProgramTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveAfterAddingTest, OnlyTheExitButtonSaves) {
  // No line break after the last entry: it is an entry all the same.
  const std::string original = "a\r\n\r\nb";
  ASSERT_NO_FATAL_FAILURE(WriteCommands(original));
  ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForWindow());
  ASSERT_EQ(program().ListCount(), 3);

  ASSERT_NO_FATAL_FAILURE(AddEntry(L"echo %PATH% > out.txt"));
  // Add appends the command line and an empty entry, and clears the line.
  ASSERT_EQ(program().ListCount(), 5);
  EXPECT_EQ(program().ListEntry(3), L"echo %PATH% > out.txt");
  EXPECT_EQ(program().ListEntry(4), L"");
  EXPECT_EQ(program().Text(kCommandLine), L"");

  if (GetParam().byExitButton) {
    ExitByButton();
  } else {
    CloseByTitleBar();
  }
  EXPECT_EQ(ReadFileBytes(CommandsPath()), std::string(GetParam().fileAfter));
  EXPECT_FALSE(FileExists(SavingPath()));
}

INSTANTIATE_TEST_SUITE_P(
    Leave, LeaveAfterAddingTest,
    ::testing::Values(LeaveCase{"ExitButton", true, "a\r\n\r\nb\r\necho %PATH% > out.txt\r\n\r\n"},
                      LeaveCase{"TitleBarClose", false, "a\r\n\r\nb"}),
    [](const ::testing::TestParamInfo<LeaveCase>& row) { return row.param.name; });

// ---- Long entries ----------------------------------------------------------------------

class LongEntryTest : public ProgramTest {};

// Entries have no length limit: a long one is loaded, taken into the command line by a click
// and saved back unchanged.
TEST_F(LongEntryTest, IsClickedAndSavedWhole) {
  const std::string longEntry = "echo " + std::string(3000, 'x');
  const std::string original = "dir\r\n" + longEntry + "\r\n";
  ASSERT_NO_FATAL_FAILURE(WriteCommands(original));
  ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForWindow());
  ASSERT_EQ(program().ListCount(), 2);
  EXPECT_EQ(program().ListEntry(1), Decode(longEntry, CP_ACP));

  ASSERT_TRUE(program().ClickListEntry(1));
  ASSERT_TRUE(program().IsRunning()) << "the program ended (exit code " << program().WaitForExit().value_or(0)
                                     << ") when the entry was clicked";
  EXPECT_EQ(program().Text(kCommandLine), Decode(longEntry, CP_ACP));

  ExitByButton();
  EXPECT_EQ(ReadFileBytes(CommandsPath()), original);
}

// ---- Save faults ----------------------------------------------------------------------

// Whether a write to the folder succeeds right now.
bool CanCreateIn(const std::wstring& folder) {
  HANDLE file = ::CreateFileW((folder + L"\\write-check.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

std::wstring Widen(const std::string& utf8) {
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(n > 0 ? n : 1), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, text.data(), n);
  text.resize(text.size() - 1);
  return text;
}

// Takes the write access of a folder away for as long as it lives. The read-only attribute
// comes first; Wine ignores it on folders, and then the folder's Linux mode is changed with
// chmod, which a Wine process can start. Ok() is false when neither takes effect (as root,
// nothing stops a write).
class FolderWriteLock {
public:
  explicit FolderWriteLock(const std::wstring& folder) : folder_(folder) {
    ::SetFileAttributesW(folder_.c_str(), FILE_ATTRIBUTE_READONLY);
    if (!CanCreateIn(folder_)) {
      how_ = "the read-only attribute";
      return;
    }
    ::SetFileAttributesW(folder_.c_str(), FILE_ATTRIBUTE_NORMAL);
    unixPath_ = Widen(LinuxPathOf(folder_));
    if (unixPath_.empty() || !StartLinuxProgram({L"/bin/chmod", L"a-w", unixPath_})) return;
    if (WaitUntil([&] { return !CanCreateIn(folder_); }, 5000)) how_ = "chmod a-w";
  }
  ~FolderWriteLock() { Release(); }
  FolderWriteLock(const FolderWriteLock&) = delete;
  FolderWriteLock& operator=(const FolderWriteLock&) = delete;

  bool Ok() const { return how_ != nullptr; }
  const char* How() const { return how_; }
  void Release() {
    ::SetFileAttributesW(folder_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!unixPath_.empty()) {
      StartLinuxProgram({L"/bin/chmod", L"u+w", unixPath_});
      WaitUntil([&] { return CanCreateIn(folder_); }, 5000);
      unixPath_.clear();
    }
  }

private:
  std::wstring folder_;
  std::wstring unixPath_;
  const char* how_ = nullptr;
};

class SaveFaultTest : public ProgramTest {
protected:
  static constexpr const char* kOriginal = "keep\r\n";

  void StartWithAddedEntry(const std::wstring& entry) {
    ASSERT_NO_FATAL_FAILURE(WriteCommands(kOriginal));
    ASSERT_NO_FATAL_FAILURE(LaunchAndWaitForWindow());
    ASSERT_NO_FATAL_FAILURE(AddEntry(entry));
    ASSERT_EQ(program().ListCount(), 3);
  }

  // Exit is pressed while the cause is in place: the box tells why, and the window stays.
  void ExpectSaveRefused(const TextCheck& isExpectedText) {
    ASSERT_NO_FATAL_FAILURE(ExpectExitRefused(isExpectedText));
    EXPECT_EQ(program().ListCount(), 3) << "the failed save changed the list";
  }

  // With the cause gone: the file is as it was, and exit now saves and ends the program.
  void ExpectIntactThenSaved(const std::string& savedBytes) {
    EXPECT_EQ(ReadFileBytes(CommandsPath()), std::string(kOriginal)) << "the failed save changed commands.txt";
    EXPECT_FALSE(FileExists(SavingPath())) << "the failed save left its temporary file";
    ExitByButton();
    EXPECT_EQ(ReadFileBytes(CommandsPath()), savedBytes);
    EXPECT_FALSE(FileExists(SavingPath()));
  }

  static TextCheck CannotCreate(const std::wstring& path, DWORD code) {
    return [path, code](const std::wstring& text) { return IsFileMessage(text, L"create", path, code); };
  }
};

TEST_F(SaveFaultTest, ReadOnlyFile) {
  {
    // As root Wine's read-only attribute (the Linux write bits) stops nothing.
    const std::wstring check = Folder().File(L"read-only-check.tmp");
    ASSERT_TRUE(WriteFileBytes(check, "x"));
    ::SetFileAttributesW(check.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE file = ::CreateFileW(check.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const bool writable = file != INVALID_HANDLE_VALUE;
    if (writable) ::CloseHandle(file);
    ::SetFileAttributesW(check.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(check.c_str());
    if (writable) GTEST_SKIP() << "a read-only file is writable here (running as root?): run as an unprivileged user";
  }
  ASSERT_NO_FATAL_FAILURE(StartWithAddedEntry(L"ver"));
  ASSERT_TRUE(::SetFileAttributesW(CommandsPath().c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_NO_FATAL_FAILURE(ExpectSaveRefused(CannotCreate(CommandsPath(), ERROR_ACCESS_DENIED)));
  EXPECT_TRUE(::GetFileAttributesW(CommandsPath().c_str()) & FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(::SetFileAttributesW(CommandsPath().c_str(), FILE_ATTRIBUTE_NORMAL));
  ExpectIntactThenSaved("keep\r\nver\r\n\r\n");
}

TEST_F(SaveFaultTest, FileOpenElsewhere) {
  ASSERT_NO_FATAL_FAILURE(StartWithAddedEntry(L"ver"));
  HANDLE held = ::CreateFileW(CommandsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ExpectSaveRefused(CannotCreate(CommandsPath(), ERROR_SHARING_VIOLATION));
  ::CloseHandle(held);
  if (HasFatalFailure()) return;
  ExpectIntactThenSaved("keep\r\nver\r\n\r\n");
}

TEST_F(SaveFaultTest, FolderWithoutWriteAccess) {
  ASSERT_NO_FATAL_FAILURE(StartWithAddedEntry(L"ver"));
  FolderWriteLock lock(Folder().Path());
  if (!lock.Ok())
    GTEST_SKIP() << "cannot take the folder's write access away here: Wine ignores the read-only attribute on "
                    "folders, and chmod could not be started or stops nothing (running as root?)";
  RecordProperty("write_access_taken_by", lock.How());
  // commands.txt itself stays writable: only the folder refuses new files.
  ASSERT_NO_FATAL_FAILURE(ExpectSaveRefused(CannotCreate(CommandsPath(), ERROR_ACCESS_DENIED)))
      << "write access taken by " << lock.How();
  lock.Release();
  ExpectIntactThenSaved("keep\r\nver\r\n\r\n");
}

TEST_F(SaveFaultTest, FullDisk) {
  const char* tiny = std::getenv("ORVELLE_TINY_DISK");
  if (!tiny || !*tiny)
    GTEST_SKIP() << "ORVELLE_TINY_DISK is not set: no small disk to fill (scripts/test.sh mounts one when it runs "
                    "as root)";
  UseFolderUnder(WindowsPathOf(Widen(tiny)));
  ASSERT_TRUE(Folder().Created()) << "cannot make a folder on the small disk " << tiny;
  // Any write needs space on a disk filled to the last byte; the entry only makes the new
  // text clearly larger than the old.
  const std::wstring entry(400, L'x');
  ASSERT_NO_FATAL_FAILURE(StartWithAddedEntry(entry));

  // Fill what is left, down to the last byte.
  const std::wstring filler = Folder().File(L"filler.bin");
  HANDLE file = ::CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const std::string block(1 << 16, 'f');
  DWORD lastError = ERROR_SUCCESS;
  for (DWORD size = 1 << 16; size > 0; size /= 2) {
    DWORD written = 0;
    while (::WriteFile(file, block.data(), size, &written, nullptr) && written == size) {
    }
    lastError = ::GetLastError();
  }
  ::CloseHandle(file);
  ASSERT_EQ(lastError, static_cast<DWORD>(ERROR_DISK_FULL)) << "the small disk did not fill up";

  // The new text goes to a file of its own first; on a full disk its write fails (or, on a
  // file system that needs space for a new file, its creation does).
  ExpectSaveRefused([this](const std::wstring& text) {
    if (text == L"Stream write error.") return ::testing::AssertionSuccess();
    return IsFileMessage(text, L"create", CommandsPath(), ERROR_DISK_FULL);
  });
  ASSERT_TRUE(::DeleteFileW(filler.c_str()));
  ExpectIntactThenSaved("keep\r\n" + std::string(400, 'x') + "\r\n\r\n");
}

}  // namespace
}  // namespace orvelle::blackbox
