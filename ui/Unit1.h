// Unit1: the main window TForm1, its components and its handlers.
#pragma once

#include <windows.h>

#include <array>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Handles.h"
#include "platform/Png.h"
#include "ui/skin/SkinManager.h"
#include "ui/skin/SkinProvider.h"

namespace orvelle::ui {

// The five 16x16 button icons: add, send, clear, exit, delete.
class AlphaImageList {
public:
  // scaleIndex picks the prepared size: 0 = 16 px, 1 = 20, 2 = 24, 3 = 32.
  void Load(int scaleIndex);
  const platform::AlphaBitmap* At(int index) const;

private:
  std::array<platform::AlphaBitmap, 5> images_;
};

class TForm1 : public platform::Form {
public:
  // Creates the window and every control from the stored layout; shows nothing and runs no
  // handler.
  TForm1();

  // Components, in declaration order.
  skin::SkinManager sSkinManager1;
  skin::SkinProvider sSkinProvider1;
  AlphaImageList sAlphaImageList1;
  platform::Panel sPanel1;
  platform::Panel sPanel2;
  platform::ListBox sListBox1;
  platform::BitButton sBitBtn1;
  platform::BitButton sBitBtn2;
  platform::BitButton sBitBtn3;
  platform::Label sLabel1;
  platform::Edit sEdit1;
  platform::BitButton sBitBtn4;
  platform::BitButton sBitBtn5;
  platform::Panel sPanel3;
  platform::Picture Image1;
  platform::Label sLabel2;
  platform::Label sLabel3;

  // Handlers.
  void sBitBtn3Click();  // exit: save the list, then close
  void sBitBtn1Click();  // add the command line and an empty entry
  void sEdit1KeyUp(WORD key);
  void sListBox1Click();  // take the selected entry into the command line
  void sBitBtn2Click();   // delete the selected entry
  void sBitBtn4Click();   // type the command line into the console window
  void sBitBtn5Click();   // clear the command line
  void FormShow();        // load the list

protected:
  void OnShow() override { FormShow(); }

private:
  void CreateControls();
  void AddCommandLine();

  int dpi_;
  bool sending_ = false;  // a send is typing; a click meanwhile waits its turn
  platform::UniqueHfont font_;
  platform::UniqueHfont boldFont_;
  platform::AlphaBitmap picture_;
};

extern TForm1* Form1;

}  // namespace orvelle::ui
