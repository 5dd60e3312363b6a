// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tmainform.h"

#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

#include "app/accessibleapp.h"
#include "app/appsettings.h"
#include "app/localetexts.h"
#include "app/renameglyph.h"
#include "app/tbatchstrip.h"
#include "app/tpreviewlist.h"
#include "framework/handlerguard.h"
#include "framework/sysutils.h"
#include "skins/defaultskinblock.h"

namespace {
constexpr int kClientWidth = 746;
constexpr int kClientHeight = 467;
constexpr int kSplitterWidth = 3;  // as stored; the embedded skin leaves the splitter unbound
const char* const kMakerAddress = "https://www.oradel.example/";
const TFont kControlFont("Arial", 14);
const char* const kRenamingTitle = "正在重命名";

// The look every field is created with; all four are bound to the skin.
TbsSkinEdit* MakeField(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* e = new TbsSkinEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  e->SetBounds(left, top, width, height);
  e->SetSkinDataName("edit");
  e->SetDefaultHeight(20);
  e->SetDefaultWidth(0);
  e->SetButtonMode(false);
  e->SetUseSkinFont(true);
  e->SetDefaultFont(kControlFont);
  return e;
}

const char* const kChineseInputMethod = "中文 (简体) - 微软拼音";

// The look every pane is created with; only the tool strip is bound to the skin.
void SetUpPanel(TbsSkinPanel* panel) {
  panel->SetSkinDataName("panel");
  panel->SetBorderStyle(TbsSkinBorderStyle::bvFrame);
  panel->SetCaptionMode(false);
  panel->SetRollUpMode(false);
  panel->SetRollUpState(false);
  panel->SetCheckedMode(false);
  panel->SetChecked(false);
  panel->SetAutoEnabledControls(true);
  panel->SetDefaultCaptionHeight(22);
  panel->SetDefaultAlignment(taLeftJustify);
  panel->SetNumGlyphs(1);
  panel->SetSpacing(2);
  panel->SetRealHeight(-1);
  panel->SetUseSkinFont(true);
  panel->SetDefaultFont(kControlFont);
}

// The tree's bars: hidden until the tree needs one, never taking the focus.
void SetUpTreeBar(TbsSkinScrollBar* bar, TScrollBarKind kind, const char* skinDataName) {
  bar->SetSkinDataName(skinDataName);
  bar->SetKind(kind);
  bar->SetVisible(false);
  bar->SetBoth(false);
  bar->SetBothMarkerWidth(19);
  bar->SetBothSkinDataName("bothhscrollbar");
  bar->SetCanFocused(false);
  bar->SetMin(0);
  bar->SetMax(280);
  bar->SetPosition(0);
  bar->SetPageSize(0);
  bar->SetSmallChange(27);
  bar->SetLargeChange(27);
}

template <class T>
T* Make(QWidget* parent, const char* name, int left, int top, int width, int height,
        TAlign align = alNone) {
  T* c = new T(parent);
  c->setObjectName(QString::fromLatin1(name));
  c->SetBounds(left, top, width, height);
  c->SetAlign(align);
  return c;
}
}  // namespace

std::string FolderOf(const std::string& selectedPath) {
  if (!selectedPath.empty() && selectedPath.back() == '/') return selectedPath;
  return selectedPath + "/";
}

TmainForm::TmainForm(QWidget* parent) : TForm(parent) {
  InstallAppAccessibility();
  setObjectName(QStringLiteral("mainForm"));
  SetCaption("批量修改文件名");
  setWindowIcon(MakeRenameIcon());
  Font() = TFont("MS Sans Serif", -11);
  move(204, 165);
  SetClientSize(kClientWidth, kClientHeight);
  FSettingsFile = SettingsFilePath();
  BeginBuild();
  CreateComponents();
  CreateBatchParts();
  BindEvents();
  BindBatchEvents();
  AcceptDropsOfFolders();
  EndBuild();
  ResolveReferences();
  DoCreate();
}

TmainForm::~TmainForm() {
  // A running batch stops between two files and its worker ends while the
  // window it reports to is still whole; so does the reading of dates.
  FOrderJob.reset();
  FBatch.reset();
  // The fields go after this body, and their last events must not reach a window that is no more.
  delete FFieldDragHook;
}

void TmainForm::CreateComponents() {
  QWidget* client = ClientArea();

  // No skin data: the splitter keeps its stored width and plain look (until
  // a skin from a file binds it, see SkinFromFile).
  bsSkinSplitter1 = Make<TbsSkinSplitter>(client, "bsSkinSplitter1", 225, 0, kSplitterWidth, 467, alLeft);
  bsSkinSplitter1->SetSkinDataName("vsplitter");
  bsSkinSplitter1->SetMinSize(10);
  bsSkinSplitter1->SetDefaultSize(10);
  bsSkinSplitter1->SetResizeStyle(rsLine);

  bsSkinPanel1 = Make<TbsSkinPanel>(client, "bsSkinPanel1", 0, 0, 225, 467, alLeft);
  SetUpPanel(bsSkinPanel1);
  ShellTreeView1 = Make<TbsSkinDirTreeView>(bsSkinPanel1, "ShellTreeView1", 1, 1, 204, 446, alClient);
  ShellTreeView1->SetObjectTypes(ShellObjectTypes({otFolders}));
  ShellTreeView1->SetRoot("rfDesktop");
  ShellTreeView1->SetUseShellImages(true);
  ShellTreeView1->SetAutoRefresh(false);
  ShellTreeView1->SetIndent(19);
  ShellTreeView1->SetRightClickSelect(true);
  ShellTreeView1->SetShowRoot(false);
  ShellTreeView1->Font() = kControlFont;
  bsSkinScrollBar1 = Make<TbsSkinScrollBar>(bsSkinPanel1, "bsSkinScrollBar1", 205, 1, 19, 446, alRight);
  SetUpTreeBar(bsSkinScrollBar1, sbVertical, "vscrollbar");
  bsSkinScrollBar1->SetDefaultWidth(19);
  bsSkinScrollBar1->SetDefaultHeight(0);
  bsSkinScrollBar2 = Make<TbsSkinScrollBar>(bsSkinPanel1, "bsSkinScrollBar2", 1, 447, 223, 19, alBottom);
  SetUpTreeBar(bsSkinScrollBar2, sbHorizontal, "hscrollbar");
  bsSkinScrollBar2->SetDefaultWidth(0);
  bsSkinScrollBar2->SetDefaultHeight(19);

  bsSkinPanel2 = Make<TbsSkinPanel>(client, "bsSkinPanel2", 228, 0, 518, 467, alClient);
  SetUpPanel(bsSkinPanel2);
  ListBox1 = Make<TbsSkinListBox>(bsSkinPanel2, "ListBox1", 1, 58, 516, 408, alClient);
  ListBox1->SetSkinDataName("listbox");
  ListBox1->SetUseSkinItemHeight(true);
  ListBox1->SetDefaultItemHeight(20);
  ListBox1->SetColumns(0);
  ListBox1->SetMultiSelect(false);
  ListBox1->SetExtandedSelect(true);
  ListBox1->SetSorted(false);
  ListBox1->SetItemIndex(-1);
  ListBox1->SetCaptionMode(false);
  ListBox1->SetDefaultCaptionHeight(20);
  ListBox1->SetHorizontalExtent(false);
  ListBox1->SetAutoComplete(true);
  ListBox1->SetImageIndex(-1);
  ListBox1->SetNumGlyphs(1);
  ListBox1->SetSpacing(2);
  ListBox1->SetListBoxTabStop(true);
  ListBox1->SetUseSkinFont(true);
  ListBox1->SetDefaultFont(kControlFont);
  ListBox1->SetDefaultCaptionFont(kControlFont);
  ListBox1->SetListBoxFont(kControlFont);
  bsSkinPanel3 = Make<TbsSkinPanel>(bsSkinPanel2, "bsSkinPanel3", 1, 1, 516, 57, alTop);
  SetUpPanel(bsSkinPanel3);

  bsSkinLinkLabel1 = Make<TbsSkinLinkLabel>(bsSkinPanel3, "bsSkinLinkLabel1", 424, 24, 74, 14);
  bsSkinLinkLabel1->SetSkinDataName("stdlabel");
  bsSkinLinkLabel1->SetDefaultActiveFontColor(clBlue);
  bsSkinLinkLabel1->SetDefaultFont(TFont("Arial", 14, fsUnderline));
  bsSkinLinkLabel1->Font() = TFont("Arial", 14, fsUnderline);
  bsSkinLinkLabel1->SetUseSkinFont(true);
  bsSkinLinkLabel1->SetURL(kMakerAddress);
  bsSkinLinkLabel1->SetCursor(crHandPoint);
  bsSkinLinkLabel1->SetCaption("Oradel工作室");

  GroupBox4 = Make<TGroupBox>(bsSkinPanel3, "GroupBox4", 1, 1, 120, 55, alLeft);
  GroupBox4->SetCaption("查找文件");
  GroupBox4->SetCursor(crHandPoint);
  EdtFindEx = MakeField(GroupBox4, "EdtFindEx", 16, 24, 81, 20);
  EdtFindEx->SetText("*.*");

  GroupBox1 = Make<TGroupBox>(bsSkinPanel3, "GroupBox1", 121, 1, 96, 55, alLeft);
  GroupBox1->SetCaption("批量命名前缀");
  GroupBox1->SetCursor(crHandPoint);
  EdtFrontName = MakeField(GroupBox1, "EdtFrontName", 8, 24, 81, 20);
  EdtFrontName->SetText("My");
  EdtFrontName->SetAlignment(taCenter);
  EdtFrontName->SetImeMode(imChinese);
  EdtFrontName->SetImeName(kChineseInputMethod);

  GroupBox2 = Make<TGroupBox>(bsSkinPanel3, "GroupBox2", 217, 1, 136, 55, alLeft);
  GroupBox2->SetCaption("命名范围");
  GroupBox2->SetCursor(crHandPoint);
  EdtRangestart = MakeField(GroupBox2, "EdtRangestart", 16, 24, 41, 20);
  EdtRangestart->SetText("0");
  EdtRangestart->SetAlignment(taCenter);
  // Digits only: no input method composes text into this field.
  EdtRangestart->SetImeMode(imDisable);
  Label1 = Make<TLabel>(GroupBox2, "Label1", 62, 25, 13, 24);
  Label1->SetCaption("~");
  Label1->Font() = TFont("MS Sans Serif", -19, fsBold);
  EdtRangeend = MakeField(GroupBox2, "EdtRangeend", 80, 24, 41, 20);
  EdtRangeend->SetText("");
  EdtRangeend->SetAlignment(taCenter);
  EdtRangeend->SetEnabled(false);
  EdtRangeend->Font().SetColor(clGrayText);
  EdtRangeend->SetImeMode(imChinese);
  EdtRangeend->SetImeName(kChineseInputMethod);

  btnQuillo = Make<TbsSkinButton>(bsSkinPanel3, "btnQuillo", 353, 1, 57, 55, alLeft);
  btnQuillo->SetSkinDataName("resizebutton");
  btnQuillo->SetGlyph(MakeRenameGlyph());
  btnQuillo->SetNumGlyphs(1);
  btnQuillo->SetSpacing(1);
  btnQuillo->SetRepeatMode(false);
  btnQuillo->SetRepeatInterval(100);
  btnQuillo->SetAllowAllUp(false);
  btnQuillo->SetGroupIndex(0);
  btnQuillo->SetDown(false);
  btnQuillo->SetCanFocused(true);
  btnQuillo->SetTabStop(true);
  btnQuillo->SetUseSkinFont(true);
  btnQuillo->SetShowHint(true);
  btnQuillo->SetParentShowHint(false);
  btnQuillo->SetCursor(crHandPoint);

  // Names assistive technology says where the window shows no caption: the
  // button's hint (its own hint stays empty, so the window's shows), the two
  // ends of the range, and the list.
  btnQuillo->setAccessibleName(QStringLiteral("开始修改文件名"));
  EdtRangestart->setAccessibleName(QStringLiteral("命名范围 起始"));
  EdtRangeend->setAccessibleName(QStringLiteral("命名范围 结束"));
  ListBox1->setAccessibleName(QStringLiteral("文件列表"));
  // The link is the strip's last stop, as it stands at its right end.
  QWidget::setTabOrder(btnQuillo, bsSkinLinkLabel1);

  SkinForm = new TbsSkinFrame(this);
  SkinForm->SetName("SkinForm");
  SkinForm->SetBorderIcons(biSystemMenu | biMinimize | biMaximize | biRollUp);
  SkinForm->SetHideCaptionButtons(false);
  SkinForm->SetShowIcon(true);
  SkinForm->SetUseDefaultSysMenu(true);
  SkinForm->SetAlwaysShowInTray(false);
  SkinForm->SetAlwaysMinimizeToTray(false);
  SkinForm->SetMaximizeOnFullScreen(false);
  SkinForm->SetMagnetic(false);
  SkinForm->SetMagneticSize(5);
  SkinForm->SetMinWidth(0);
  SkinForm->SetMinHeight(0);
  SkinForm->SetAlphaBlend(false);
  SkinForm->SetAlphaBlendAnimation(false);
  SkinForm->SetMenusAlphaBlend(false);
  SkinForm->SetMenusAlphaBlendAnimation(false);
  SkinForm->SetAlphaBlendValue(200);
  SkinForm->SetMenusAlphaBlendValue(200);
  SkinForm->SetShowObjectHint(false);
  SkinForm->SetUseDefaultObjectHint(true);
  SkinForm->SetUseSkinFontInMenu(true);
  SkinForm->SetLogoBitMapTransparent(false);
  SkinForm->SetClientWidth(0);
  SkinForm->SetClientHeight(0);
  SkinForm->DefCaptionFont() = TFont("Arial", 14, fsBold, clBtnText);
  SkinForm->DefInActiveCaptionFont() = TFont("Arial", 14, fsBold, clBtnShadow);
  SkinForm->SetDefMenuItemHeight(20);
  SkinForm->DefMenuItemFont() = kControlFont;

  bsSkinData = new TbsSkinData(this);
  bsSkinData->SetName("bsSkinData");
  StoredSkin = new TbsCompressedStoredSkin(this);
  StoredSkin->SetName("StoredSkin");
  StoredSkin->SetFileName("skin.ini");
  StoredSkin->SetCompressedData(DefaultSkinBlock());

  ActionList = new TActionList(this);
  ActionList->SetName("ActionList");
  filesearch = new TAction(ActionList, "filesearch");
  filerename = new TAction(ActionList, "filerename");

  // Last: from here on every hint of the program comes out in the skin's window.
  bsSkinHint1 = new TbsSkinHint(this);
  bsSkinHint1->SetName("bsSkinHint1");
  bsSkinHint1->SetActive(true);
  bsSkinHint1->SetAlphaBlend(false);
  bsSkinHint1->SetAlphaBlendValue(0);
  bsSkinHint1->SetUseSkinFont(true);
  bsSkinHint1->SetDefaultFont(TFont("MS Sans Serif", -11));
}

// The loaded phase: references between components are set once all exist;
// attaching the stored skin loads it and sends the skin notices.
void TmainForm::ResolveReferences() {
  SkinForm->SetSkinData(bsSkinData);
  bsSkinPanel3->SetSkinData(bsSkinData);
  btnQuillo->SetSkinData(bsSkinData);
  ListBox1->SetSkinData(bsSkinData);
  bsSkinScrollBar1->SetSkinData(bsSkinData);
  bsSkinScrollBar2->SetSkinData(bsSkinData);
  ShellTreeView1->SetSkinData(bsSkinData);
  ShellTreeView1->SetVScrollBar(bsSkinScrollBar1);
  ShellTreeView1->SetHScrollBar(bsSkinScrollBar2);
  for (TbsSkinEdit* field : {EdtFindEx, EdtFrontName, EdtRangestart, EdtRangeend}) field->SetSkinData(bsSkinData);
  bsSkinHint1->SetSkinData(bsSkinData);
  BatchStrip->SetSkinData(bsSkinData);
  // Chinese menus and hints for a Chinese user; the built-in texts for everyone else.
  if (ChineseMessagesWanted()) bsSkinData->SetResourceStrData(MakeChineseTexts(this));
  bsSkinData->SetCompressedStoredSkin(StoredSkin);
  // The tree's loaded phase: its skin, then the root (the desktop, expanded and selected).
  ShellTreeView1->Loaded();
  // The stored client size holds inside the skin's frame too.
  SetClientSize(kClientWidth, kClientHeight);
}

void TmainForm::SkinFromFile(bool fromFile) {
  if (fromFile == (bsSkinSplitter1->SkinData() != nullptr)) return;
  bsSkinSplitter1->SetSkinData(fromFile ? bsSkinData : nullptr);
  // Unbound again it would take its default size; it was never bound before.
  if (!fromFile) bsSkinSplitter1->SetWidth(kSplitterWidth);
}

int TmainForm::MaxTreePaneWidth(int clientWidth) const {
  int strip = 0;
  for (const QWidget* w : bsSkinPanel3->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (!w->isHidden()) strip = std::max(strip, w->x() + w->width());
  const int listPane = strip + 2 * bsSkinPanel3->Left();  // the pane's border on either side of the strip
  return std::max(bsSkinSplitter1->MinSize(), clientWidth - bsSkinSplitter1->Width() - listPane);
}

void TmainForm::FitIntoWorkArea() {
  const QScreen* screen = this->screen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QRect was = geometry();
  if (area.contains(was)) return;  // where it was laid out
  QRect fit(was.topLeft(), QSize(std::min(was.width(), area.width()), std::min(was.height(), area.height())));
  fit.moveLeft(std::clamp(fit.left(), area.left(), area.right() + 1 - fit.width()));
  fit.moveTop(std::clamp(fit.top(), area.top(), area.bottom() + 1 - fit.height()));
  // The panes are laid out again only once shown: the narrower client area is reckoned here.
  const int clientWidth = ClientArea()->width() - (was.width() - fit.width());
  if (bsSkinPanel1->Width() > MaxTreePaneWidth(clientWidth)) bsSkinPanel1->SetWidth(MaxTreePaneWidth(clientWidth));
  SetBounds(fit.x(), fit.y(), fit.width(), fit.height());
}

bool TmainForm::eventFilter(QObject* watched, QEvent* event) {
  const bool tree = watched == ShellTreeView1->Tree();
  if ((tree || watched == ListBox1->InnerList()) && event->type() == QEvent::KeyPress && !FBatchActive) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (tree && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      CallGuarded([this] { filesearchExecute(); });
      return true;
    }
    if (key == Qt::Key_F5) {
      // What changed on the disk shows: the selected folder's children, then its files.
      CallGuarded([this] {
        if (QTreeWidgetItem* selected = ShellTreeView1->Selected()) ShellTreeView1->RefreshNode(selected);
        filesearchExecute();
      });
      return true;
    }
  }
  return TForm::eventFilter(watched, event);
}

void TmainForm::BindEvents() {
  OnCreate = [this] { FormCreate(); };
  ShellTreeView1->Tree()->installEventFilter(this);
  ListBox1->InnerList()->installEventFilter(this);
  bsSkinSplitter1->OnCanResize = [this](int& size, bool&) {
    size = std::min(size, MaxTreePaneWidth(ClientArea()->width()));
  };
  OnClose = [this](TCloseAction& action) { FormClose(action); };
  filesearch->OnExecute = [this] { filesearchExecute(); };
  filerename->OnExecute = [this] { filerenameExecute(); };
  ShellTreeView1->OnClick = [this] { filesearchExecute(); };
  btnQuillo->OnClick = [this] { filerenameExecute(); };
  btnQuillo->OnMouseMove = [this](TShiftState s, int x, int y) { btnQuilloMouseMove(s, x, y); };
  ListBox1->OnListBoxClick = [this] { ListBox1ListBoxClick(); };
  EdtRangestart->OnKeyPress = [this](char& key) { EdtRangestartKeyPress(key); };
  EdtRangestart->OnExit = [this] { EdtRangestartExit(); };
}

void TmainForm::FormCreate() {
  FRenamer = std::make_unique<Trenamefile>();
  PatternChanged();
  SetPreview(ReadSetting(FSettingsFile, kPreviewSetting) == "true");
  SetZeroPad(ReadSetting(FSettingsFile, kZeroPadSetting) == "true");
  SetNumberOrder(NumberOrderFromKey(ReadSetting(FSettingsFile, kOrderSetting)));
  filesearch->Execute();
}

void TmainForm::FormClose(TCloseAction&) {
  FOrderJob->Cancel();
  FRenamer.reset();
}

void TmainForm::filesearchExecute() {
  if (!FRenamer) return;  // the window is closing
  if (FBatchActive) return;  // the batch's folder stays listed until it ends
  ListFolder(FolderOf(ShellTreeView1->SelectedPath()));
}

void TmainForm::ListFolder(const std::string& folder) {
  ListBox1->Items().Clear();
  FFindMask = Trim(EdtFindEx->Text());
  FCurrentDir = folder;
  // A mask names files of this folder only: one with "/" would list another
  // folder whose names the rename then joins to this one, so it matches
  // nothing. An empty pattern, like a virtual folder's display name, is no
  // absolute path: the engine lists nothing for it and counts 0.
  const bool namePattern = FFindMask.find('/') == std::string::npos;
  std::vector<std::string> names = FRenamer->ListFiles(namePattern ? FCurrentDir + FFindMask : std::string());
  StartOrdering(names);
  ListBox1->Items().Assign(std::move(names));
  // No new names are shown before the order they follow is known.
  FPreview->ListingChanged(FCurrentDir, FOrderPending ? 0 : std::size_t(FRenamer->FileCount()));
  EdtRangeend->SetText(RangeEndText(StrToInt(EdtRangestart->Text())));
}

std::string TmainForm::RangeEndText(int32_t start) const {
  const std::size_t count = std::size_t(FRenamer->FileCount());
  // In 64 bits, so a start near the top of the range shows the true last number.
  return NumberText(int64_t(start) + int64_t(count), FZeroPad ? NumberWidth(start, count) : 0);
}

void TmainForm::filerenameExecute() {
  if (!FRenamer || FRenamer->FileCount() == 0) return;
  if (FBatchActive) return;  // one batch at a time
  const std::string prefix = EdtFrontName->Text();
  // A prefix is part of a name: with "/" it would move the files elsewhere.
  if (prefix.find('/') != std::string::npos) throw Exception("批量命名前缀不能包含“/”");
  if (prefix.find('\0') != std::string::npos) throw Exception("批量命名前缀不能包含空字符");
  const int32_t start = StrToInt(Trim(EdtRangestart->Text()));
  // Every rename would fail: nothing is planned or journalled for it.
  const std::size_t count = std::size_t(FRenamer->FileCount());
  const int width = FZeroPad ? NumberWidth(start, count) : 0;
  if (const std::size_t shortest = ShortestNewNameBytes(prefix, start, width); shortest > kMaxNameBytes)
    throw Exception("批量命名前缀太长：前缀加上序号已有 " + std::to_string(shortest) + " 个字节，文件名最多 " +
                    std::to_string(kMaxNameBytes) + " 个字节");
  TRenamePattern pattern{prefix, start, width};
  // The list still stands in name order: numbering it so would not be what was chosen.
  if (FOrderPending) return WaitForOrder(std::move(pattern));
  RenameInListOrder(pattern);
}

void TmainForm::RenameInListOrder(const TRenamePattern& pattern) {
  // Busy already when the rename waited for the order: the strip goes on with the batch.
  const bool waited = FBatchActive;
  // The list is read again once the batch has ended (BatchFinished).
  if (FBatch->StartRename(FCurrentDir, ListBox1->Items().Items(), std::size_t(FRenamer->FileCount()), pattern.Prefix,
                          pattern.Start, pattern.Width)) {
    if (!waited) return StartBatchView(kRenamingTitle);
    BatchStrip->SetTitle(kRenamingTitle);
    BatchStrip->SetProgress(0, 0);
  } else if (waited) {
    FProgressTimer.stop();
    LeaveBusy(FCancelKey);
  }
}

void TmainForm::ListBox1ListBoxClick() {
  ListBox1->SetHint("当前目录：" + FCurrentDir);
  ListBox1->SetShowHint(true);
}

void TmainForm::EdtRangestartKeyPress(char& key) {
  if (key < '0' || key > '9') key = '\0';
}

void TmainForm::EdtRangestartExit() {
  if (!FRenamer) return;  // the window is closing
  EdtRangeend->SetText(RangeEndText(StrToInt(Trim(EdtRangestart->Text()))));
}

void TmainForm::btnQuilloMouseMove(TShiftState, int, int) {
  btnQuillo->SetShowHint(false);
  SetHint(FRenamer && FRenamer->FileCount() == 0 ? "当前选择目录下没有文件" : "开始修改文件名");
  btnQuillo->SetShowHint(true);
}
