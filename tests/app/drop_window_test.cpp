// SPDX-License-Identifier: GPL-3.0-or-later
// A folder dropped on the window is listed and selected in the tree, on the
// window and on its fields alike; files, several items, a remote address and
// plain text are refused by the window, and so is any drop while a batch
// runs. On a real X server the drop comes from another client speaking the
// drag-and-drop protocol to the window, as a file manager does.

#include <poll.h>
#include <xcb/xcb.h>

#include <QMimeData>
#include <QUrl>
#include <array>
#include <chrono>
#include <cstring>
#include <future>
#include <optional>
#include <thread>

#include "realx.h"
#include "renamer/trenamebatch.h"
#include "windowtest.h"

namespace {

using namespace std::chrono_literals;

class FolderDrop : public wintest::Window {
 protected:
  void SetUp() override {
    wintest::Window::SetUp();
    Write("top.txt");
    MakeDir("Photos");
    Write("Photos/p1.jpg");
    Write("Photos/p2.jpg");
    MakeDir("Other");
    Write("Other/o.txt");
  }
  void TearDown() override {
    TRenameBatch::TestHookAfterEachFile = nullptr;
    wintest::Window::TearDown();
  }
  std::string Url(const std::string& name) const {
    return QUrl::fromLocalFile(QString::fromStdString(Desktop + name)).toString().toStdString();
  }
  // Drags `data` onto `target` and drops it there unless the entry is
  // refused; the action the drop was taken with, or IgnoreAction.
  static Qt::DropAction Drop(QWidget* target, const QMimeData& data) {
    const QPoint at = target->rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, {});
    enter.setDropAction(Qt::MoveAction);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return Qt::IgnoreAction;
    QDropEvent drop(at, offered, &data, Qt::LeftButton, {});
    drop.setDropAction(Qt::MoveAction);
    QCoreApplication::sendEvent(target, &drop);
    QTest::qWait(20);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
  }
  // As a file manager offers them: the addresses, and as text too when `asText`
  // (a field takes that text; the window refuses such drags elsewhere by themselves).
  static std::unique_ptr<QMimeData> Urls(const std::vector<std::string>& urls, bool asText = false) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> list;
    QString text;
    for (const std::string& u : urls) {
      list.push_back(QUrl(QString::fromStdString(u)));
      text += QString::fromStdString(u) + "\n";
    }
    data->setUrls(list);
    if (asText) data->setText(text);
    return data;
  }
};

TEST_F(FolderDrop, OneLocalFolderIsListedAsAClickWouldListItAndNothingElseIsTaken) {
  TmainForm& f = Open();
  QWidget* mask = f.EdtFindEx->Editor();
  QMimeData text;
  text.setText("*.jpg");
  for (QWidget* target : {static_cast<QWidget*>(&f), mask}) {
    SCOPED_TRACE(target == mask ? "on the mask field" : "on the window");
    EXPECT_EQ(Drop(target, *Urls({Url("top.txt")})), Qt::IgnoreAction);
    EXPECT_EQ(Drop(target, *Urls({Url("Photos"), Url("Other")})), Qt::IgnoreAction);
    EXPECT_EQ(Drop(target, *Urls({"https://example.com/Photos/"})), Qt::IgnoreAction);
    EXPECT_EQ(Drop(target, *Urls({Url("Gone")})), Qt::IgnoreAction);
    EXPECT_EQ(f.CurrentDir(), Desktop);
    EXPECT_EQ(Listed(), (std::vector<std::string>{"top.txt"}));
    EXPECT_EQ(f.EdtFindEx->Text(), "*.*");
  }
  EXPECT_EQ(Drop(&f, text), Qt::IgnoreAction);
  // The field takes text as it always has.
  EXPECT_NE(Drop(mask, text), Qt::IgnoreAction);
  f.EdtFindEx->SetText("*.*");

  // Taken as a copy, though the source would rather move: it must not delete what it dragged.
  EXPECT_EQ(Drop(&f, *Urls({Url("Photos")}, true)), Qt::CopyAction);
  ASSERT_TRUE(wintest::WaitFor([&] { return f.CurrentDir() == Desktop + "Photos/"; }));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"p1.jpg", "p2.jpg"}));
  EXPECT_EQ(f.ShellTreeView1->SelectedPath(), Desktop + "Photos");
  EXPECT_EQ(Drop(mask, *Urls({Url("Other") + "/"}, true)), Qt::CopyAction);
  ASSERT_TRUE(wintest::WaitFor([&] { return f.CurrentDir() == Desktop + "Other/"; }));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"o.txt"}));
  EXPECT_EQ(f.EdtFindEx->Text(), "*.*");

  // While a batch runs the window lists no other folder.
  TRenameBatch::TestHookAfterEachFile = [](std::size_t) { std::this_thread::sleep_for(300ms); };
  ClickRename();
  ASSERT_TRUE(f.BatchRunning());
  EXPECT_EQ(Drop(&f, *Urls({Url("Photos")})), Qt::IgnoreAction);
  EXPECT_EQ(Drop(mask, *Urls({Url("Photos")}, true)), Qt::IgnoreAction);
  ASSERT_TRUE(wintest::WaitFor([&] { return !f.BatchRunning(); }));
  EXPECT_EQ(f.CurrentDir(), Desktop + "Other/");
}

// The other end of a drag from another program: a client of its own,
// offering text/uri-list by the XDND protocol from a thread of its own while
// the window's thread answers, as a file manager would.
class TXdndSource {
 public:
  struct TOutcome {
    bool Accepted = false;  // the window said it takes the drag
    bool Finished = false;  // ... and, once dropped, that it is done with it
  };
  // Drags `uriList` to (x, y) of the screen, over `target`; drops it there if taken, else leaves.
  static TOutcome Drag(xcb_window_t target, QPoint at, const std::string& uriList) {
    TXdndSource source(uriList);
    TOutcome outcome;
    if (!xcb_connection_has_error(source.C)) outcome = source.Run(target, at);
    // A round trip: the window has the last message before the next drag's
    // source (with the same window id) speaks.
    std::free(xcb_get_input_focus_reply(source.C, xcb_get_input_focus(source.C), nullptr));
    return outcome;
  }

 private:
  explicit TXdndSource(std::string data) : C(xcb_connect(nullptr, nullptr)), Data(std::move(data)) {}
  ~TXdndSource() { xcb_disconnect(C); }

  xcb_atom_t Atom(const char* name) {
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> r(
        xcb_intern_atom_reply(C, xcb_intern_atom(C, 0, uint16_t(strlen(name)), name), nullptr), &std::free);
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
  }
  void Send(xcb_window_t to, const char* type, std::array<uint32_t, 5> data) {
    xcb_client_message_event_t m{};
    m.response_type = XCB_CLIENT_MESSAGE;
    m.format = 32;
    m.window = to;
    m.type = Atom(type);
    std::copy(data.begin(), data.end(), m.data.data32);
    xcb_send_event(C, 0, to, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&m));
    xcb_flush(C);
  }
  // Data32 of the window's message `type` (answering its requests for the
  // data meanwhile); none when it does not come in time.
  std::optional<std::array<uint32_t, 5>> Await(const char* type) {
    const xcb_atom_t wanted = Atom(type);
    for (QDeadlineTimer patience(realx::kPatienceMs); !patience.hasExpired();) {
      std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> e(xcb_poll_for_event(C), &std::free);
      if (!e) {
        pollfd fd{xcb_get_file_descriptor(C), POLLIN, 0};
        poll(&fd, 1, 50);
      } else if ((e->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
        Answer(*reinterpret_cast<xcb_selection_request_event_t*>(e.get()));
      } else if ((e->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
        const auto* m = reinterpret_cast<xcb_client_message_event_t*>(e.get());
        if (m->type == wanted) return std::to_array(m->data.data32);
      }
    }
    return std::nullopt;
  }
  void Answer(const xcb_selection_request_event_t& r) {
    xcb_selection_notify_event_t n{};
    n.response_type = XCB_SELECTION_NOTIFY;
    n.time = r.time;
    n.requestor = r.requestor;
    n.selection = r.selection;
    n.target = r.target;
    if (r.target == Atom("text/uri-list")) {
      xcb_change_property(C, XCB_PROP_MODE_REPLACE, r.requestor, r.property, r.target, 8, uint32_t(Data.size()),
                          Data.data());
      n.property = r.property;
    }
    xcb_send_event(C, 0, r.requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&n));
    xcb_flush(C);
  }
  TOutcome Run(xcb_window_t target, QPoint at) {
    const xcb_window_t source = xcb_generate_id(C);
    xcb_create_window(C, XCB_COPY_FROM_PARENT, source, xcb_setup_roots_iterator(xcb_get_setup(C)).data->root, -10,
                      -10, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(C, source, Atom("XdndSelection"), XCB_CURRENT_TIME);
    constexpr uint32_t kVersion = 5;
    Send(target, "XdndEnter", {source, kVersion << 24, Atom("text/uri-list"), 0, 0});
    Send(target, "XdndPosition", {source, 0, uint32_t(at.x() << 16 | at.y()), XCB_CURRENT_TIME, Atom("XdndActionCopy")});
    TOutcome outcome;
    const auto status = Await("XdndStatus");
    outcome.Accepted = status && ((*status)[1] & 1);
    if (!outcome.Accepted) {
      Send(target, "XdndLeave", {source, 0, 0, 0, 0});
      return outcome;
    }
    Send(target, "XdndDrop", {source, 0, XCB_CURRENT_TIME, 0, 0});
    const auto finished = Await("XdndFinished");
    outcome.Finished = finished && ((*finished)[1] & 1);
    return outcome;
  }

  xcb_connection_t* C;
  std::string Data;
};

class RealXFolderDrop : public FolderDrop {
 protected:
  // Drags `uriList` from another client to the middle of `over` and drops it if taken.
  TXdndSource::TOutcome DragFromOutside(QWidget* over, const std::string& uriList) {
    auto outcome = std::async(std::launch::async, TXdndSource::Drag, xcb_window_t(Form->winId()),
                              over->mapToGlobal(over->rect().center()), uriList);
    EXPECT_TRUE(wintest::WaitFor([&] { return outcome.wait_for(0s) == std::future_status::ready; }, realx::kPatienceMs));
    return outcome.get();
  }
};

TEST_F(RealXFolderDrop, AFolderFromAnotherProgramIsListedAndAFileIsRefused) {
  BR_REQUIRE_REAL_X();
  TmainForm& f = Open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));

  TXdndSource::TOutcome file = DragFromOutside(f.ListBox1, Url("top.txt") + "\r\n");
  EXPECT_FALSE(file.Accepted);
  EXPECT_EQ(f.CurrentDir(), Desktop);

  TXdndSource::TOutcome folder = DragFromOutside(f.ListBox1, Url("Photos") + "\r\n");
  EXPECT_TRUE(folder.Accepted);
  EXPECT_TRUE(folder.Finished);
  ASSERT_TRUE(wintest::WaitFor([&] { return f.CurrentDir() == Desktop + "Photos/"; }));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"p1.jpg", "p2.jpg"}));
  EXPECT_EQ(f.ShellTreeView1->SelectedPath(), Desktop + "Photos");

  // Over the mask field, which would take the address as text.
  TXdndSource::TOutcome onField = DragFromOutside(f.EdtFindEx, Url("Other") + "\r\n");
  EXPECT_TRUE(onField.Finished);
  ASSERT_TRUE(wintest::WaitFor([&] { return f.CurrentDir() == Desktop + "Other/"; }));
  EXPECT_EQ(Listed(), (std::vector<std::string>{"o.txt"}));
  EXPECT_EQ(f.EdtFindEx->Text(), "*.*");
}

}  // namespace
