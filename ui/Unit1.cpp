#include "ui/Unit1.h"

#include <string>

#include "commands/CommandFileIo.h"
#include "console/ConsoleTyping.h"
#include "platform/Error.h"
#include "resources/ResourceIds.h"
#include "ui/FormLayout.h"

namespace orvelle::ui {

TForm1* Form1 = nullptr;

namespace {
platform::UniqueHfont MakeFont(int weight, int dpi) {
  return platform::UniqueHfont(::CreateFontW(ScaleForDpi(kFontHeight, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kFontName));
}

COLORREF ToColorRef(std::uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
}  // namespace

void AlphaImageList::Load(int scaleIndex) {
  const int ids[] = {IDR_ICON_ADD, IDR_ICON_SEND, IDR_ICON_CLEAR, IDR_ICON_EXIT, IDR_ICON_DELETE};
  for (std::size_t i = 0; i < images_.size(); ++i)
    images_[i] = platform::LoadPngResource(ids[i] + scaleIndex * IDR_SCALE_STEP);
}

const platform::AlphaBitmap* AlphaImageList::At(int index) const {
  if (index < 0 || index >= static_cast<int>(images_.size())) return nullptr;
  return &images_[static_cast<std::size_t>(index)];
}

TForm1::TForm1()
    : dpi_(SystemDpi()), font_(MakeFont(FW_NORMAL, dpi_)), boldFont_(MakeFont(FW_BOLD, dpi_)) {
  const int imageScale = ImageScaleIndex(dpi_);
  sAlphaImageList1.Load(imageScale);
  picture_ = platform::LoadPngResource(IDR_PICTURE + imageScale);
  Create(kCaption, {ScaleForDpi(kClientSize.cx, dpi_), ScaleForDpi(kClientSize.cy, dpi_)});
  sSkinManager1.SetDpi(dpi_);
  sSkinProvider1.SetDpi(dpi_);
  platform::ControlSkin* skin = sSkinManager1.Active();
  if (skin) sSkinProvider1.Attach(Handle());
  UseSkins(skin, skin ? &sSkinProvider1 : nullptr);
  for (platform::Skinnable* control : std::initializer_list<platform::Skinnable*>{
           &sPanel1, &sPanel2, &sListBox1, &sBitBtn1, &sBitBtn2, &sBitBtn3, &sLabel1, &sEdit1, &sBitBtn4,
           &sBitBtn5, &sPanel3, &Image1, &sLabel2, &sLabel3})
    control->UseSkin(skin);
  CreateControls();

  sBitBtn3.onClick = [this] { sBitBtn3Click(); };
  sBitBtn1.onClick = [this] { sBitBtn1Click(); };
  sEdit1.onKeyUp = [this](WORD key) { sEdit1KeyUp(key); };
  sListBox1.onSelect = [this] { sListBox1Click(); };
  sBitBtn2.onClick = [this] { sBitBtn2Click(); };
  sBitBtn4.onClick = [this] { sBitBtn4Click(); };
  sBitBtn5.onClick = [this] { sBitBtn5Click(); };
}

void TForm1::CreateControls() {
  auto panel = [this](int index) -> platform::Panel& {
    return index == kPanel1 ? sPanel1 : index == kPanel2 ? sPanel2 : sPanel3;
  };
  auto button = [this](int index) -> platform::BitButton& {
    switch (index) {
      case kBitBtn1: return sBitBtn1;
      case kBitBtn2: return sBitBtn2;
      case kBitBtn3: return sBitBtn3;
      case kBitBtn4: return sBitBtn4;
      default: return sBitBtn5;
    }
  };
  auto label = [this](int index) -> platform::Label& {
    return index == kLabel1 ? sLabel1 : index == kLabel2 ? sLabel2 : sLabel3;
  };

  std::vector<HWND> tabStops;
  for (int i = 0; i < kControlCount; ++i) {
    const ControlDef& def = kControls[static_cast<std::size_t>(i)];
    HWND parent = def.parent == kNoParent ? Handle() : panel(def.parent).Handle();
    const int id = kFirstControlId + i;
    const Bounds bounds = ScaleForDpi(def.bounds, dpi_);
    switch (def.kind) {
      case Kind::Panel:
        panel(i).Create(parent, id, bounds, (def.flags & kRaisedBevel) != 0);
        break;
      case Kind::Label:
        label(i).Create(parent, id, bounds, def.text, (def.flags & kBold) ? boldFont_.Get() : font_.Get(),
                        ToColorRef(kLabelColor), (def.flags & kCentered) != 0);
        break;
      case Kind::BitButton:
        button(i).Create(parent, id, bounds, def.text, sAlphaImageList1.At(def.icon), font_.Get());
        break;
      case Kind::ListBox:
        sListBox1.Create(parent, id, bounds, font_.Get(), ScaleForDpi(kListRowHeight, dpi_));
        break;
      case Kind::Edit:
        sEdit1.Create(parent, id, bounds, font_.Get());
        break;
      case Kind::Image:
        Image1.Create(parent, id, bounds, &picture_);
        break;
    }
  }
  for (int index : TabStops())
    tabStops.push_back(::GetDlgItem(panel(kControls[static_cast<std::size_t>(index)].parent).Handle(),
                                    kFirstControlId + index));
  SetTabStops(std::move(tabStops));
}

void TForm1::sBitBtn3Click() {
  commands::SaveCommandList(sListBox1);
  Close();
}

void TForm1::AddCommandLine() {
  if (!sListBox1.Append(sEdit1.Text())) throw platform::ListInsertError(L"Unable to insert a line");
  if (!sListBox1.Append("")) throw platform::ListInsertError(L"Unable to insert a line");
  sEdit1.SetText("");
}

void TForm1::sBitBtn1Click() { AddCommandLine(); }

void TForm1::sEdit1KeyUp(WORD key) {
  if (key == VK_RETURN) AddCommandLine();
}

void TForm1::sListBox1Click() {
  const int index = sListBox1.SelectedIndex();
  if (index < 0 || index >= sListBox1.Count())
    throw platform::ListIndexError(L"List index out of bounds (" + std::to_wstring(index) + L")");
  sEdit1.SetText(sListBox1.Entry(index));
}

void TForm1::sBitBtn2Click() {
  sListBox1.Focus();
  const int index = sListBox1.SelectedIndex();
  if (index >= 0) sListBox1.Delete(index);
  sListBox1.SetSelectedIndex(-1);
  sEdit1.SetText("");
}

void TForm1::sBitBtn4Click() {
  // A click that reaches us while a send still waits on the console (a message sent to us
  // meanwhile) is typed after it, never into the middle of it.
  if (sending_) {
    Defer([this] { sBitBtn4Click(); });
    return;
  }
  sending_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{sending_};
  console::SendToConsole(sEdit1.Text());
}

void TForm1::sBitBtn5Click() { sEdit1.SetText(""); }

void TForm1::FormShow() { commands::LoadCommandList(sListBox1); }

}  // namespace orvelle::ui
