// SPDX-License-Identifier: GPL-3.0-or-later
// The window for a Chinese user and for everyone else, read back as shown:
// the system menu and a field's context menu as assistive technology reads
// the open popups, and a message box's button.

#include <QAccessible>
#include <QContextMenuEvent>
#include <QTranslator>

#include "app/localetexts.h"
#include "messageboxes.h"
#include "skin/form/tbsskinpopupwindow.h"
#include "windowtest.h"

namespace {

// The items of the popup open at that level, as a screen reader has them
// ("" for a separator), joined by "|".
std::string OpenMenuItems(int level = 0) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* popup = qobject_cast<TbsSkinPopupWindow*>(w);
    if (!popup || !popup->isVisible() || popup->Level() != level) continue;
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(popup);
    QStringList items;
    for (int i = 0; i < menu->childCount(); ++i) items << menu->child(i)->text(QAccessible::Name);
    return items.join('|').toStdString();
  }
  return {};
}

struct Shown {
  std::string SystemMenu, FieldMenu;
  QStringList Hints;
  std::vector<std::string> BoxButtons;
};

class LocaleWindow : public wintest::Window {
 protected:
  void TearDown() override {
    if (FTranslator) QCoreApplication::removeTranslator(FTranslator);
    delete FTranslator;
    wintest::Window::TearDown();
    for (const char* name : {"LANG", "LC_ALL", "LC_MESSAGES"}) unsetenv(name);
  }

  // What a user with LANG=`lang` meets: the menus, the caption buttons' hints, an error's box.
  Shown ReadWindow(const char* lang) {
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", lang, 1);
    FTranslator = InstallQtTranslations(*QCoreApplication::instance());
    Write("a.txt");
    TmainForm& f = Open();
    Shown shown;
    f.SkinForm->ShowSystemMenuFromKeyboard();
    shown.SystemMenu = OpenMenuItems();
    f.SkinForm->CloseMenus();

    QLineEdit* editor = f.EdtFrontName->Editor();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), editor->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(editor, &menuEvent);
    shown.FieldMenu = OpenMenuItems();
    if (f.EdtFrontName->ContextMenu()) f.EdtFrontName->ContextMenu()->CloseMenu();

    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&f);
    for (int i = 0; i < window->childCount(); ++i)
      if (window->child(i)->role() == QAccessible::Button && window->child(i)->object() == nullptr)
        shown.Hints << window->child(i)->text(QAccessible::Name);

    // An empty start field cannot be a number: the rename says so in a box.
    f.EdtRangestart->SetText("");
    MessageBoxes boxes;
    ClickRename();
    wintest::WaitFor([&] { return !boxes.Shown.empty(); });
    if (!boxes.Shown.empty()) shown.BoxButtons = boxes.Shown[0].Buttons;
    return shown;
  }

  QTranslator* FTranslator = nullptr;
};

TEST_F(LocaleWindow, AChineseUserMeetsChineseMenusHintsAndButtons) {
  const Shown shown = ReadWindow("zh_CN.UTF-8");
  // The frame's items round the window's own, which are Chinese for everyone.
  EXPECT_TRUE(shown.SystemMenu.starts_with("最小化(N)|最大化(X)|卷起(L)||预览新文件名|")) << shown.SystemMenu;
  EXPECT_TRUE(shown.SystemMenu.ends_with("|关闭(C)")) << shown.SystemMenu;
  EXPECT_EQ(shown.FieldMenu, "撤销||剪切|复制|粘贴|删除||全选");
  EXPECT_EQ(shown.Hints, (QStringList{"关闭", "最大化", "最小化", "卷起", "系统菜单"}));
  EXPECT_EQ(shown.BoxButtons, (std::vector<std::string>{"确定"}));
}

TEST_F(LocaleWindow, EveryoneElseKeepsTheBuiltInTexts) {
  const Shown shown = ReadWindow("C.UTF-8");
  EXPECT_EQ(FTranslator, nullptr);
  EXPECT_TRUE(shown.SystemMenu.starts_with("Minimize|Maximize|RollUp||预览新文件名|")) << shown.SystemMenu;
  EXPECT_TRUE(shown.SystemMenu.ends_with("|Close")) << shown.SystemMenu;
  EXPECT_EQ(shown.FieldMenu, "Undo||Cut|Copy|Paste|Delete||Select All");
  EXPECT_EQ(shown.Hints, (QStringList{"Close", "Maximize", "Minimize", "Roll Up", "System menu"}));
  EXPECT_EQ(shown.BoxButtons, (std::vector<std::string>{"OK"}));
}

}  // namespace
