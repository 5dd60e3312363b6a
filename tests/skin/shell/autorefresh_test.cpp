// SPDX-License-Identifier: GPL-3.0-or-later
// The folder tree following the disk: AutoRefresh watches the selected folder.

#include <QTest>

#include "framework/tpanel.h"
#include "shellhome.h"
#include "skin/shell/tbsskindirtreeview.h"

namespace {

constexpr int kTimeoutMs = 10000;

class AutoRefresh : public ShellHome {
 protected:
  TbsSkinDirTreeView& Make() {
    Pane = std::make_unique<TPanel>();
    Pane->SetBounds(0, 0, 200, 200);
    View = new TbsSkinDirTreeView(Pane.get());
    View->SetBounds(0, 0, 200, 200);
    View->SetAlign(alClient);
    View->Loaded();
    Pane->show();
    return *View;
  }
  bool Shows(const std::string& caption) const { return View->FindNode(caption) != nullptr; }

  std::unique_ptr<TPanel> Pane;
  TbsSkinDirTreeView* View = nullptr;
};

}  // namespace

TEST_F(AutoRefresh, AFolderMadeInTheSelectedFolderAppearsAndTheWatchFollowsTheSelection) {
  Dir("watched");
  Dir("other");
  Make();
  View->SetAutoRefresh(true);
  ASSERT_TRUE(View->SelectPath(Desktop + "/watched"));
  ASSERT_NE(View->ChangeNotifier(), nullptr);
  EXPECT_EQ(View->ChangeNotifier()->Root(), Desktop + "/watched");
  EXPECT_FALSE(View->ChangeNotifier()->WatchSubTree());

  Dir("watched/fresh");
  EXPECT_TRUE(QTest::qWaitFor([&] { return Shows("fresh"); }, kTimeoutMs));
  EXPECT_EQ(View->SelectedPath(), Desktop + "/watched");

  View->Select(View->FindNode("other"));
  EXPECT_EQ(View->ChangeNotifier()->Root(), Desktop + "/other");
  Dir("other/second");
  EXPECT_TRUE(QTest::qWaitFor([&] { return Shows("second"); }, kTimeoutMs));
  EXPECT_EQ(View->SelectedPath(), Desktop + "/other");
}

TEST_F(AutoRefresh, OffRunsNoWorkerAndFollowsNothing) {
  Dir("quiet");
  Make();
  EXPECT_FALSE(View->AutoRefresh());
  EXPECT_EQ(View->ChangeNotifier(), nullptr);  // as the main window has it: no worker at all
  View->SetAutoRefresh(true);
  ASSERT_TRUE(View->SelectPath(Desktop + "/quiet"));
  ASSERT_TRUE(View->ChangeNotifier() && View->ChangeNotifier()->HasWorker());
  View->SetAutoRefresh(false);
  EXPECT_EQ(View->ChangeNotifier(), nullptr);
  // Without the watch a new folder shows only after an explicit refresh.
  Dir("quiet/unseen");
  QCoreApplication::processEvents();
  EXPECT_FALSE(Shows("unseen"));
  View->RefreshSelected();
  EXPECT_TRUE(Shows("unseen"));
}
