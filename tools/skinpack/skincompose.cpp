// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/skinpack/skincompose.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>

#include "framework/tapplication.h"
#include "framework/tform.h"
#include "framework/tmessage.h"
#include "skin/controls/tbsskinbutton.h"
#include "skin/controls/tbsskinhint.h"
#include "skin/controls/tbsskinhintwindow.h"
#include "skin/controls/tbsskinlinklabel.h"
#include "skin/controls/tbsskinlistbox.h"
#include "skin/controls/tbsskinpanel.h"
#include "skin/controls/tbsskinscrollbar.h"
#include "skin/controls/tbsskinsplitter.h"
#include "skin/data/tbsbitmapfile.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskinbuttonobject.h"
#include "skin/form/tbsskinframe.h"
#include "skin/form/tbsskinmenu.h"
#include "skin/form/tbsskinpopupwindow.h"
#include "tools/skinpack/samplemenu.h"
#include "tools/skinpack/skinsource.h"

namespace {

constexpr int kMaxSide = 8192;  // far beyond any window, small enough to allocate
constexpr QRgb kOutsideMaskBmp = 0xFFFF00FF;  // magenta: BMP has no transparency
constexpr int kSampleItems = 30;              // list rows, enough to need a scroll bar

struct TWantedSize {
  int Width = 0;
  int Height = 0;
};

TWantedSize ParseSize(const std::string& text) {
  const QStringList parts = QString::fromStdString(text).split(QRegularExpression("[xX]"));
  bool okW = false, okH = false;
  TWantedSize size;
  if (parts.size() == 2) {
    size.Width = parts[0].toInt(&okW);
    size.Height = parts[1].toInt(&okH);
  }
  if (!okW || !okH || size.Width < 1 || size.Height < 1 || size.Width > kMaxSide || size.Height > kMaxSide)
    throw ToolError("size \"" + text + "\" is not <width>x<height> of 1 to 8192 pixels");
  return size;
}

// Lets the offscreen platform expose and lay out what was just shown.
void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// Pixels outside `shape` become transparent.
void CutToShape(QImage& image, const QRegion& shape) {
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (!shape.contains(QPoint(x, y))) row[x] = qRgba(0, 0, 0, 0);
  }
}

// A real window wearing the skinned frame at the wanted size, as the
// program's main window wears it.
struct TFramedWindow {
  TFramedWindow(TbsCompressedStoredSkin& stored, const std::string& path, TWantedSize size, const std::string& caption) {
    Form.SetBounds(0, 0, size.Width, size.Height);
    Frame = new TbsSkinFrame(&Form);
    Data = new TbsSkinData(&Form);
    Frame->SetSkinData(Data);
    Form.SetCaption(caption);
    Form.show();
    Settle();
    LoadSkinData(*Data, stored, path);
    Settle();
  }
  void SetActive(bool active) { Form.Perform(WM_NCACTIVATE, active ? 1 : 0); }
  // The window as painted; outside the skin's mask transparent.
  QImage Grab() {
    QImage image = Form.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (Frame->HasWindowRegion()) CutToShape(image, Form.mask());
    return image;
  }
  TForm Form;
  TbsSkinFrame* Frame;
  TbsSkinData* Data;
};

QImage ComposeFrame(const TComposeRequest& r, TbsCompressedStoredSkin& stored, TWantedSize size) {
  TFramedWindow window(stored, r.SkinPath, size, r.Caption);
  window.SetActive(!r.Inactive);
  return window.Grab();
}

// An object record: the object on the frame at that window size, in the
// asked state, cut out at its place.
QImage ComposeObject(const TComposeRequest& r, TbsCompressedStoredSkin& stored, TWantedSize size) {
  TFramedWindow window(stored, r.SkinPath, size, r.Caption);
  window.SetActive(r.State != "inactive" && !r.Inactive);
  TbsActiveSkinObject* object = window.Frame->FindObject(r.Record);
  if (object == nullptr)
    throw ToolError("the frame places no object \"" + r.Record + "\" (a menu or menu bar look is not a frame object)");
  if (r.State == "hot" || r.State == "down") {
    object->Hot = true;
    object->MouseInside = true;
    object->MorphFactor = 1;
  }
  if (r.State == "down") {
    auto* button = dynamic_cast<TbsSkinButtonObject*>(object);
    if (button == nullptr) throw ToolError("\"" + r.Record + "\" is not a button: it has no pressed look");
    button->Down = true;
  }
  const TRect b = object->Bounds;
  if (b.Right - b.Left < 1 || b.Bottom - b.Top < 1)
    throw ToolError("\"" + r.Record + "\" has no room on a window of " + r.Size);
  return window.Grab().copy(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top);
}

// The skinned controls this program has, by the class of their record, each
// made, bound to the record and given sample content. A record of any other
// kind has no control to draw it.
using ControlFactory =
    std::function<QWidget*(QWidget* host, TbsSkinData* data, const TComposeRequest& r, TWantedSize size)>;

template <class Control>
Control* Bound(Control* control, TbsSkinData* data, const std::string& record) {
  control->SetSkinDataName(record);
  control->SetSkinData(data);
  return control;
}

ControlFactory FactoryFor(const TbsDataSkinControl& record) {
  const std::string kind = record.ClassName();
  if (kind == "TbsDataSkinPanelControl")
    return [](QWidget* host, TbsSkinData* data, const TComposeRequest& r, TWantedSize) {
      auto* panel = Bound(new TbsSkinPanel(host), data, r.Record);
      panel->SetCaption(r.Caption);
      return panel;
    };
  if (kind == "TbsDataSkinButtonControl")
    return [](QWidget* host, TbsSkinData* data, const TComposeRequest& r, TWantedSize) {
      auto* button = Bound(new TbsSkinButton(host), data, r.Record);
      button->SetCaption(r.Caption);
      return button;
    };
  if (kind == "TbsDataSkinScrollBarControl")
    return [](QWidget* host, TbsSkinData* data, const TComposeRequest& r, TWantedSize size) {
      auto* bar = new TbsSkinScrollBar(host);
      bar->SetKind(size.Height >= size.Width ? sbVertical : sbHorizontal);
      bar->SetRange(0, 100, 20, 30);
      return Bound(bar, data, r.Record);
    };
  if (kind == "TbsDataSkinListBox")
    return [](QWidget* host, TbsSkinData* data, const TComposeRequest& r, TWantedSize) {
      auto* list = Bound(new TbsSkinListBox(host), data, r.Record);
      for (int i = 1; i <= kSampleItems; ++i) list->Items().Add("Item " + std::to_string(i));
      return list;
    };
  if (kind == "TbsDataSkinSplitterControl")
    return [](QWidget* host, TbsSkinData* data, const TComposeRequest& r, TWantedSize) {
      return Bound(new TbsSkinSplitter(host), data, r.Record);
    };
  if (kind == "TbsDataSkinStdLabelControl")
    return [](QWidget* host, TbsSkinData* data, const TComposeRequest& r, TWantedSize) {
      auto* label = Bound(new TbsSkinLinkLabel(host), data, r.Record);
      label->SetCaption(r.Caption);
      return label;
    };
  return nullptr;
}

QImage ComposeControl(const TComposeRequest& r, TbsCompressedStoredSkin& stored, TWantedSize size) {
  if (r.State != "normal" || r.Inactive)
    throw ToolError("\"" + r.Record + "\" is a control record: controls are drawn in their normal state only");
  QWidget host;
  host.resize(size.Width, size.Height);
  auto* data = new TbsSkinData(&host);
  LoadSkinData(*data, stored, r.SkinPath);
  const TbsDataSkinControl& record = *data->ControlRecords[size_t(data->FindControlRecord(r.Record))];
  const ControlFactory factory = FactoryFor(record);
  if (!factory)
    throw ToolError("\"" + r.Record + "\" is a " + record.ClassName() +
                    " record, and this program has no skinned control of that kind yet: nothing to draw it with");
  QWidget* control = factory(&host, data, r, size);
  control->setGeometry(0, 0, size.Width, size.Height);
  if (auto* framed = dynamic_cast<TControl*>(control)) framed->SetBounds(0, 0, size.Width, size.Height);
  host.show();
  Settle();
  return control->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// The hint window as the skinned hint component shows the text given as
// the caption: the hint sizes itself around its text, so the wanted size
// does not apply.
QImage ComposeHint(const TComposeRequest& r, TbsCompressedStoredSkin& stored, TWantedSize) {
  TForm form;
  auto* data = new TbsSkinData(&form);
  LoadSkinData(*data, stored, r.SkinPath);
  // The hint component of the main form, with its own fonts and settings,
  // shows the text as it shows every hint of the program.
  Application()->SetMainForm(&form);
  auto* hint = new TbsSkinHint(&form);
  hint->SetSkinData(data);
  TbsSkinHintWindow& window = *hint->HintWindow();
  window.ShowHintWindow(TRect{0, 0, 0, 0}, r.Caption);
  Settle();
  QImage image = window.grab().toImage().convertToFormat(QImage::Format_ARGB32);
  if (window.HintRegion()) CutToShape(image, *window.HintRegion());
  window.hide();
  Application()->SetMainForm(nullptr);
  return image;
}

// A popup menu of sample items as the program's menus show it, its first
// item highlighted. The size is the screen the menu opens on: the menu takes
// its own width, and a height too small for it makes it scroll.
QImage ComposePopup(const TComposeRequest& r, TbsCompressedStoredSkin& stored, TWantedSize size) {
  QObject owner;
  auto* data = new TbsSkinData(&owner);
  LoadSkinData(*data, stored, r.SkinPath);
  TMenuItem items;
  AddSampleMenuItems(items);
  auto* menu = new TbsSkinMenu(&owner);
  TbsSkinPopupWindow window(menu, 0);
  window.Prepare(&items, 0, data, TRect{0, 0, size.Width, size.Height});
  window.SetActiveItem(0);
  for (int i = 0; i < window.ItemCount(); ++i) window.Item(i).MorphFactor = window.Item(i).Highlighted ? 1 : 0;
  QImage image = window.Render().convertToFormat(QImage::Format_ARGB32);
  if (window.WindowRegion()) CutToShape(image, *window.WindowRegion());
  return image;
}

// The special windows, each drawn by its own class. A window this program
// does not have yet says so rather than drawing something else.
struct TSpecialRecord {
  const char* Name;
  std::function<QImage(const TComposeRequest&, TbsCompressedStoredSkin&, TWantedSize)> Compose;
  const char* Missing;  // why there is nothing to draw with, while Compose is empty
};

const std::vector<TSpecialRecord>& SpecialRecords() {
  static const std::vector<TSpecialRecord> records = {
      {"FORMINFO", ComposeFrame, nullptr},
      {"HINTWINDOW", ComposeHint, nullptr},
      {"POPUPWINDOW", ComposePopup, nullptr},
  };
  return records;
}

void Save(const std::string& out, const QImage& image) {
  if (QFileInfo(QString::fromStdString(out)).suffix().compare("png", Qt::CaseInsensitive) == 0) {
    if (!image.save(QString::fromStdString(out), "PNG")) throw ToolError("cannot write \"" + out + "\"");
    return;
  }
  QImage opaque = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < opaque.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(opaque.scanLine(y));
    for (int x = 0; x < opaque.width(); ++x)
      if (qAlpha(row[x]) == 0) row[x] = kOutsideMaskBmp;
  }
  TbsBitmapFile::SaveToFile(out, opaque);
}

}  // namespace

const std::vector<std::string>& ComposeSpecialRecords() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (const TSpecialRecord& r : SpecialRecords()) n.push_back(r.Name);
    return n;
  }();
  return names;
}

int ComposeSkinRecord(const TComposeRequest& r) {
  const TWantedSize size = ParseSize(r.Size);
  if (r.State != "normal" && r.State != "hot" && r.State != "down" && r.State != "inactive")
    throw ToolError("state \"" + r.State + "\" is not normal, hot, down or inactive");

  QImage image;
  TbsCompressedStoredSkin stored;
  const auto special = std::find_if(SpecialRecords().begin(), SpecialRecords().end(),
                                    [&](const TSpecialRecord& s) { return r.Record == s.Name; });
  if (special != SpecialRecords().end()) {
    if (!special->Compose) throw ToolError(r.Record + ": " + special->Missing);
    image = special->Compose(r, stored, size);
  } else {
    // Which list holds the name decides what draws it.
    TbsCompressedStoredSkin probeStored;
    TbsSkinData probe;
    LoadSkinData(probe, probeStored, r.SkinPath);
    if (probe.FindControlRecord(r.Record) >= 0) image = ComposeControl(r, stored, size);
    else if (probe.FindObjectRecord(r.Record) >= 0) image = ComposeObject(r, stored, size);
    else
      throw ToolError(r.SkinPath + ": no control or object record named \"" + r.Record +
                      "\" (names are matched exactly), and it is none of FORMINFO, HINTWINDOW, POPUPWINDOW");
  }
  Save(r.Out, image);
  std::cout << r.Out << ": " << image.width() << " x " << image.height() << "\n";
  return 0;
}
