// The program's own code timed inside one process, each step beside a plain yardstick
// measured in the same run, turn about:
//   load   - FormShow (the load into the list) vs reading the file and filling a plain list;
//   save   - SaveCommandList, what the exit button does before closing, vs the same text
//            read back from a plain list and written in one go, and vs one write of the bytes;
//   search - one keystroke in the list whose text only the last entry matches vs one
//            LB_FINDSTRING on the plain list.
// The main window is the real TForm1, created and shown as the program does (app/Run.cpp);
// commands.txt lies beside this exe, and the save rewrites it with the same text.
//
//   inprocess_bench.exe [runs]
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "PlainList.h"
#include "commands/CommandFileIo.h"
#include "platform/Application.h"
#include "platform/Error.h"
#include "ui/Unit1.h"

namespace {

using orvelle::platform::Application;

bool g_errorShown = false;

void CheckThat(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "bench: check failed: %s\n", what);
    std::fflush(stderr);
    std::exit(3);
  }
}

LRESULT CALLBACK PlainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND CreatePlainWindow() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &PlainWindowProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = L"PlainListWindow";
  if (!::RegisterClassExW(&wc)) bench::Fail("cannot register the plain window class");
  HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"Plain List", WS_OVERLAPPED | WS_CAPTION, 0, 0, 320, 360,
                                  nullptr, nullptr, wc.hInstance, nullptr);
  if (!window) bench::Fail("cannot create the plain window");
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

void Pump() { Application::Instance().ProcessPendingMessages(); }

std::size_t CountLines(const std::string& bytes) {
  std::size_t lines = 0;
  for (char c : bytes) lines += c == '\n';
  return lines + (!bytes.empty() && bytes.back() != '\n');
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = bench::RunsFromArgs(argc, argv);
  const std::wstring folder = bench::ExeFolder();
  const std::wstring commandFile = folder + L"\\commands.txt";
  const std::string original = bench::ReadWholeFile(commandFile);
  const int entries = static_cast<int>(CountLines(original));
  CheckThat(entries > 1, "the command file holds entries");

  // As the program starts (app/Run.cpp), with the error box replaced by a note on stderr.
  Application& app = Application::Instance();
  app.Initialize();
  app.SetTitle(L"Orvelle commands helper");
  app.SetErrorHandler([](const std::wstring& message) {
    std::fprintf(stderr, "bench: the program reported: %ls\n", message.c_str());
    g_errorShown = true;
  });
  auto form = std::make_unique<orvelle::ui::TForm1>();
  orvelle::ui::Form1 = form.get();
  app.SetMainForm(form.get());
  form->Show();  // the first show runs FormShow, which loads the file
  Pump();
  CheckThat(!g_errorShown, "the first load raised no error");
  CheckThat(form->sListBox1.Count() == entries, "the form's list holds every entry");

  HWND plainWindow = CreatePlainWindow();
  HWND plain = bench::CreatePlainList(plainWindow, 8, 8, 280, 300);
  if (!plain) bench::Fail("cannot create the plain list");
  {
    std::string bytes = original;
    bench::FillPlainList(plain, bytes);
  }
  Pump();
  CheckThat(::SendMessageW(plain, LB_GETCOUNT, 0, 0) == entries, "the plain list holds every entry");

  // Load: both lists emptied first, untimed, so that each fill starts as at start-up.
  {
    std::vector<double> program, baseline;
    for (int i = 0; i < runs; ++i) {
      form->sListBox1.Clear();
      Pump();
      double t0 = bench::NowMs();
      form->FormShow();
      program.push_back(bench::NowMs() - t0);
      Pump();
      CheckThat(!g_errorShown && form->sListBox1.Count() == entries, "FormShow loaded every entry");

      ::SendMessageW(plain, LB_RESETCONTENT, 0, 0);
      Pump();
      t0 = bench::NowMs();
      std::string bytes = bench::ReadWholeFile(commandFile);
      bench::FillPlainList(plain, bytes);
      baseline.push_back(bench::NowMs() - t0);
      Pump();
      CheckThat(::SendMessageW(plain, LB_GETCOUNT, 0, 0) == entries, "the plain fill added every entry");
    }
    bench::PrintRow("load in process: FormShow vs plain fill", program, baseline, "1.5");
  }

  // Save: the program replaces commands.txt with the same text; the yardsticks write files
  // of their own in the same folder, each flushed as the program's is.
  {
    const std::wstring readoutFile = folder + L"\\plain_readout.txt";
    const std::wstring writeFile = folder + L"\\plain_write.txt";
    std::vector<double> program, readout, write;
    for (int i = 0; i < runs; ++i) {
      double t0 = bench::NowMs();
      try {
        orvelle::commands::SaveCommandList(form->sListBox1);
      } catch (const orvelle::platform::Error& e) {
        std::fprintf(stderr, "bench: save failed: %ls\n", e.Message().c_str());
        return 3;
      }
      program.push_back(bench::NowMs() - t0);

      t0 = bench::NowMs();
      const std::string text = bench::ReadPlainList(plain);
      bench::WriteWholeFile(readoutFile, text);
      readout.push_back(bench::NowMs() - t0);
      CheckThat(text == original, "the plain list reads back as the file");

      t0 = bench::NowMs();
      bench::WriteWholeFile(writeFile, original);
      write.push_back(bench::NowMs() - t0);
    }
    CheckThat(bench::ReadWholeFile(commandFile) == original, "the saved file equals the loaded one");
    ::DeleteFileW(readoutFile.c_str());
    ::DeleteFileW(writeFile.c_str());
    bench::PrintRow("save: SaveCommandList vs plain readout + one write", program, readout, "1.5");
    bench::PrintRow("save: SaveCommandList vs one write of the bytes", program, write, "-");
  }

  // Keyboard search: 'z' typed in the list; only the last entry ("zzz") begins with it.
  {
    const int last = entries - 1;
    HWND list = form->sListBox1.Handle();
    std::vector<double> program, baseline;
    for (int i = 0; i < runs; ++i) {
      form->sListBox1.SetSelectedIndex(0);
      Pump();
      // Past the list's 500 ms typing pause, so the search text starts afresh.
      ::Sleep(600);
      double t0 = bench::NowMs();
      ::SendMessageW(list, WM_CHAR, L'z', 1);
      program.push_back(bench::NowMs() - t0);
      CheckThat(form->sListBox1.SelectedIndex() == last, "the keystroke selected the last entry");
      Pump();

      t0 = bench::NowMs();
      const LRESULT found = ::SendMessageA(plain, LB_FINDSTRING, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>("z"));
      baseline.push_back(bench::NowMs() - t0);
      CheckThat(found == last, "LB_FINDSTRING found the last entry");
    }
    CheckThat(!g_errorShown, "the keystrokes raised no error");
    bench::PrintRow("search: one keystroke (WM_CHAR) vs LB_FINDSTRING", program, baseline, "1.5");

    // One frame of a skinned button's cross-fade, painted whole as its timer paints it
    // (background, both faces, icon), against the 10 ms between frames: a frame must cost
    // less than a tenth of that. Moving the focus between two buttons starts a fresh fade on
    // each, so every measured frame blends two faces.
    {
      std::vector<double> frame;
      HWND add = form->sBitBtn1.Handle();
      HWND del = form->sBitBtn2.Handle();
      for (int i = 0; i < 1000; ++i) {
        ::SetFocus((i % 2) ? del : add);
        const double f0 = bench::NowMs();
        ::RedrawWindow(add, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        frame.push_back(bench::NowMs() - f0);
      }
      Pump();
      // 1,000 frames: the row shows their median only.
      bench::PrintRow("skin: one button fade frame (median of 1000) vs its 10 ms interval",
                      {bench::Median(frame)}, {10.0}, "0.1");

      // How much of that is the system's own repaint of a child window (invalidate, paint
      // messages, showing the result): a system push button of the same size, repainted the
      // same way. And the frame's own drawing alone: the same button printed into a bitmap.
      RECT rc{};
      ::GetClientRect(add, &rc);
      HWND systemButton = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, 320,
                                            rc.right, rc.bottom, plainWindow, nullptr, nullptr, nullptr);
      CheckThat(systemButton != nullptr, "a system button to repaint");
      HDC screen = ::GetDC(nullptr);
      HDC memory = ::CreateCompatibleDC(screen);
      HBITMAP target = ::CreateCompatibleBitmap(screen, rc.right, rc.bottom);
      ::ReleaseDC(nullptr, screen);
      HGDIOBJ old = ::SelectObject(memory, target);
      std::vector<double> system, offscreen;
      for (int i = 0; i < 1000; ++i) {
        ::SetFocus((i % 2) ? del : add);
        double f0 = bench::NowMs();
        ::RedrawWindow(systemButton, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        system.push_back(bench::NowMs() - f0);
        f0 = bench::NowMs();
        ::SendMessageW(add, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        offscreen.push_back(bench::NowMs() - f0);
      }
      ::SelectObject(memory, old);
      ::DeleteObject(target);
      ::DeleteDC(memory);
      ::DestroyWindow(systemButton);
      Pump();
      bench::PrintRow("skin: fade frame vs a system button's repaint (median of 1000)", {bench::Median(frame)},
                      {bench::Median(system)}, "-");
      bench::PrintRow("skin: fade frame drawn into a bitmap vs its 10 ms interval", {bench::Median(offscreen)},
                      {10.0}, "-");
    }

    // Where a keystroke's time goes: its steps one by one, medians of the same runs.
    std::vector<double> find, select, click;
    for (int i = 0; i < runs; ++i) {
      double t0 = bench::NowMs();
      const LRESULT found = ::SendMessageW(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"z"));
      find.push_back(bench::NowMs() - t0);
      CheckThat(found == last, "LB_FINDSTRING on the program's list found the last entry");
      form->sListBox1.SetSelectedIndex(0);
      Pump();
      t0 = bench::NowMs();
      form->sListBox1.SetSelectedIndex(last);
      select.push_back(bench::NowMs() - t0);
      t0 = bench::NowMs();
      form->sListBox1Click();
      click.push_back(bench::NowMs() - t0);
      Pump();
    }
    std::printf("  keystroke steps: LB_FINDSTRING %.2f ms, selection of the last entry %.2f ms, sListBox1Click %.2f ms\n",
                bench::Median(find), bench::Median(select), bench::Median(click));
  }

  // The cost of one message to the program's list against one to the plain list box.
  {
    constexpr int kMessages = 20000;
    HWND list = form->sListBox1.Handle();
    std::vector<double> program, baseline;
    for (int i = 0; i < runs; ++i) {
      double t0 = bench::NowMs();
      for (int m = 0; m < kMessages; ++m) ::SendMessageW(list, LB_GETCOUNT, 0, 0);
      program.push_back((bench::NowMs() - t0) * 1000.0 / kMessages);
      t0 = bench::NowMs();
      for (int m = 0; m < kMessages; ++m) ::SendMessageW(plain, LB_GETCOUNT, 0, 0);
      baseline.push_back((bench::NowMs() - t0) * 1000.0 / kMessages);
    }
    std::printf("  one LB_GETCOUNT: program's list %.2f us, plain list %.2f us\n", bench::Median(program),
                bench::Median(baseline));
  }

  // Tearing down two lists of entries one by one is no part of any figure.
  std::fflush(stdout);
  ::ExitProcess(0);
}
