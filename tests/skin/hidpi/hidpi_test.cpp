// SPDX-License-Identifier: GPL-3.0-or-later
// The skinned window at two device pixels per logical pixel (the executable
// starts with QT_SCALE_FACTOR=2). Every skin piece must come out as the
// one-to-one window doubled pixel for pixel, while text is drawn at the
// screen's own resolution. The one-to-one picture is the same window
// rendered into a picture of ratio 1, which takes the unscaled drawing path.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QHash>
#include <QProcess>
#include <QTest>
#include <functional>

#include "framework/tbitmap.h"
#include "framework/tcanvas.h"
#include "framework/tform.h"
#include "skin/controls/tbsskinbutton.h"
#include "skin/controls/tbsskinedit.h"
#include "skin/controls/tbsskinlistbox.h"
#include "skin/controls/tbsskinpanel.h"
#include "skin/controls/tbsskinscrollbar.h"
#include "skin/data/tbscompressedstoredskin.h"
#include "skin/data/tbsskindata.h"
#include "skin/form/tbsactiveskinobject.h"
#include "skin/form/tbsskinframe.h"
#include "skins/defaultskinblock.h"
#include "realx.h"

namespace {

constexpr int kScale = 2;

// Each pixel of `image` as a kScale x kScale block: what nearest-neighbour
// doubling gives, written out here so it shares nothing with the code tested.
QImage Doubled(const QImage& image) {
  QImage out(image.width() * kScale, image.height() * kScale, QImage::Format_RGB32);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, image.pixel(x / kScale, y / kScale));
  return out;
}

QImage DevicePicture(QWidget& w) {
  QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
  image.setDevicePixelRatio(1);
  return image;
}

QImage OneToOnePicture(QWidget& w) {
  QImage image(w.size(), QImage::Format_RGB32);
  image.fill(Qt::black);
  w.render(&image);
  return image;
}

// Device pixels where the two pictures differ, as a region in logical pixels.
QRegion Differences(const QImage& a, const QImage& b) {
  QRegion r;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) r += QRect(x / kScale, y / kScale, 1, 1);
  return r;
}

// Logical pixels inside `area` whose device block is not one colour: only
// drawing at device resolution makes them.
int MixedBlocks(const QImage& device, const QRect& area) {
  int mixed = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QRgb first = device.pixel(x * kScale, y * kScale);
      bool same = true;
      for (int dy = 0; dy < kScale; ++dy)
        for (int dx = 0; dx < kScale; ++dx) same = same && device.pixel(x * kScale + dx, y * kScale + dy) == first;
      if (!same) ++mixed;
    }
  return mixed;
}

TbsSkinData* EmbeddedSkin(QObject* owner) {
  auto* data = new TbsSkinData(owner);
  auto* stored = new TbsCompressedStoredSkin(data);
  stored->SetCompressedData(DefaultSkinBlock());
  data->SetCompressedStoredSkin(stored);
  return data;
}

// A skinned window with the controls the main window is made of; every text
// is empty unless a test gives one.
struct SkinnedWindow {
  explicit SkinnedWindow(const std::string& caption = "") {
    Form.SetBounds(30, 30, 420, 300);
    Frame = new TbsSkinFrame(&Form);
    Data = EmbeddedSkin(&Form);
    Frame->SetSkinData(Data);
    Form.SetCaption(caption);
    QWidget* client = Form.ClientArea();
    Panel = new TbsSkinPanel(client);
    Panel->SetSkinDataName("panel");
    Panel->SetBounds(4, 4, 250, 70);
    Button = new TbsSkinButton(Panel);
    Button->SetSkinDataName("button");
    Button->SetBounds(8, 8, 90, 40);
    Edit = new TbsSkinEdit(Panel);
    Edit->SetSkinDataName("edit");
    Edit->SetBounds(110, 16, 120, 22);
    List = new TbsSkinListBox(client);
    List->SetSkinDataName("listbox");
    List->SetBounds(4, 80, 250, 150);
    Bar = new TbsSkinScrollBar(client);
    Bar->SetSkinDataName("vscrollbar");
    Bar->SetKind(sbVertical);
    Bar->SetBounds(270, 4, 19, 220);
    for (TbsSkinControl* c : std::initializer_list<TbsSkinControl*>{Panel, Button, List, Bar}) c->SetSkinData(Data);
    Edit->SetSkinData(Data);
    Form.show();
    [[maybe_unused]] bool exposed = QTest::qWaitForWindowExposed(&Form);
    Form.activateWindow();
    [[maybe_unused]] bool active = QTest::qWaitForWindowActive(&Form);
    Form.Perform(WM_NCACTIVATE, 1);
  }
  TForm Form;
  TbsSkinFrame* Frame;
  TbsSkinData* Data;
  TbsSkinPanel* Panel;
  TbsSkinButton* Button;
  TbsSkinEdit* Edit;
  TbsSkinListBox* List;
  TbsSkinScrollBar* Bar;
};

QRect ToQ(const TRect& r) { return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }

TEST(HiDpi, TheProcessRunsAtRatioTwo) {
  // Every other test here assumes it; a platform that ignores the factor fails here first.
  SkinnedWindow w;
  ASSERT_EQ(w.Form.devicePixelRatioF(), 2.0);
  EXPECT_EQ(DevicePicture(w.Form).size(), w.Form.size() * 2);
}

TEST(HiDpi, AWindowWithoutTextIsTheOneToOneWindowDoubled) {
  SkinnedWindow w;
  const QImage device = DevicePicture(w.Form);
  const QImage single = OneToOnePicture(w.Form);
  ASSERT_EQ(device.size(), single.size() * kScale);
  EXPECT_TRUE(Differences(device, Doubled(single)).isEmpty())
      << "first differing logical pixel: " << Differences(device, Doubled(single)).boundingRect().topLeft().x()
      << "," << Differences(device, Doubled(single)).boundingRect().topLeft().y();
}

TEST(HiDpi, AnInactiveWindowWithoutTextIsTheOneToOneWindowDoubled) {
  SkinnedWindow w;
  w.Form.Perform(WM_NCACTIVATE, 0);
  const QImage device = DevicePicture(w.Form);
  EXPECT_TRUE(Differences(device, Doubled(OneToOnePicture(w.Form))).isEmpty());
}

TEST(HiDpi, CaptionTextIsDrawnAtFullResolutionAndNothingElseChanges) {
  for (bool active : {true, false}) {
    SkinnedWindow w("Batch Wg 批量");
    w.Form.Perform(WM_NCACTIVATE, active ? 1 : 0);
    const QImage device = DevicePicture(w.Form);
    const QRect caption = ToQ(w.Frame->FindObject("caption1")->Bounds);
    const QRegion changed = Differences(device, Doubled(OneToOnePicture(w.Form)));
    EXPECT_FALSE(changed.isEmpty()) << "active " << active;
    EXPECT_TRUE((changed - caption).isEmpty()) << "active " << active << ": a change outside the caption text";
    // Pixel-doubled text has one colour in every device block; real device text does not.
    EXPECT_GT(MixedBlocks(device, caption), 20) << "active " << active;
  }
}

TEST(HiDpi, ControlTextIsDrawnAtFullResolution) {
  SkinnedWindow w;
  w.Button->SetCaption("Rename");
  w.Edit->SetText("My 123");
  w.List->Items().Add("a.txt");
  w.List->Items().Add("b.jpg");
  QApplication::processEvents();
  const QImage device = DevicePicture(w.Form);
  const auto inWindow = [&](QWidget* c) { return QRect(c->mapTo(&w.Form, QPoint(0, 0)), c->size()); };
  for (QWidget* c : std::initializer_list<QWidget*>{w.Button, w.Edit, w.List})
    EXPECT_GT(MixedBlocks(device, inWindow(c)), 10) << c->metaObject()->className();
  // The skin around the text is still the one-to-one picture doubled.
  const QRegion changed = Differences(device, Doubled(OneToOnePicture(w.Form)));
  EXPECT_TRUE((changed - inWindow(w.Button) - inWindow(w.Edit) - inWindow(w.List)).isEmpty());
}

// ------------------------------------------------------------ any ratio

// Runs in this process (ratio 2) and again in child processes at fractional
// ratios: a window without text shows no colour its one-to-one picture lacks
// (no smoothing, no seam letting something else through), and every colour
// the one-to-one picture shows in more than a sliver is still there.
TEST(AnyRatio, TheWindowShowsItsOwnColoursOnlyAndAllOfThem) {
  SkinnedWindow w;
  const QImage device = DevicePicture(w.Form);
  const QImage single = OneToOnePicture(w.Form);
  const qreal ratio = w.Form.devicePixelRatioF();
  ASSERT_EQ(device.width(), int(std::ceil(w.Form.width() * ratio - 1e-9)));
  QHash<QRgb, int> own, shown;
  for (int y = 0; y < single.height(); ++y)
    for (int x = 0; x < single.width(); ++x) ++own[single.pixel(x, y)];
  for (int y = 0; y < device.height(); ++y)
    for (int x = 0; x < device.width(); ++x) ++shown[device.pixel(x, y)];
  int foreign = 0;
  for (auto it = shown.begin(); it != shown.end(); ++it) foreign += own.contains(it.key()) ? 0 : it.value();
  EXPECT_EQ(foreign, 0) << "ratio " << ratio;
  for (auto it = own.begin(); it != own.end(); ++it) {
    if (it.value() < 4) continue;  // a sliver may fall between device pixels
    EXPECT_TRUE(shown.contains(it.key())) << "ratio " << ratio << ": colour " << std::hex << it.key();
  }
}

// The one-to-one picture mapped onto `size` device pixels: each device pixel
// takes the logical pixel its centre lies in, a centre on a border going to
// the pixel before it (as the paint engine rounds the edges of a fill).
QImage NearestAt(const QImage& single, qreal ratio, const QSize& size) {
  const auto logical = [&](int d, int count) { return std::clamp(int(std::ceil((d + 0.5) / ratio)) - 1, 0, count - 1); };
  QImage out(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y)
    for (int x = 0; x < size.width(); ++x)
      out.setPixel(x, y, single.pixel(logical(x, single.width()), logical(y, single.height())));
  return out;
}

TEST(AnyRatio, EveryPieceLiesWhereTheOneToOnePictureHasItAndTextIsDrawnInDevicePixels) {
  SkinnedWindow w("Batch Wg 批量");
  const qreal ratio = w.Form.devicePixelRatioF();
  const QImage device = DevicePicture(w.Form);
  const QImage mapped = NearestAt(OneToOnePicture(w.Form), ratio, device.size());
  const TRect c = w.Frame->FindObject("caption1")->Bounds;
  const QRect caption(QPoint(int(c.Left * ratio), int(c.Top * ratio)), QPoint(int(c.Right * ratio), int(c.Bottom * ratio)));
  int inside = 0, outside = 0;
  for (int y = 0; y < device.height(); ++y)
    for (int x = 0; x < device.width(); ++x)
      if (device.pixel(x, y) != mapped.pixel(x, y)) ++(caption.contains(x, y) ? inside : outside);
  EXPECT_GT(inside, 50) << "ratio " << ratio << ": text mapped from the one-to-one picture";
  EXPECT_EQ(outside, 0) << "ratio " << ratio << ": every piece lies where the one-to-one picture has it";
}

TEST(HiDpi, AtFractionalRatiosTheWindowStaysCrispAndWhole) {
  for (const char* ratio : {"1.25", "1.5", "2.5"}) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_SCALE_FACTOR", ratio);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=AnyRatio.*"});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0) << "at " << ratio << ":\n" << child.readAllStandardOutput().toStdString();
  }
}

// ------------------------------------------------------------ drawing at a scale

// A painter on a picture of the given ratio, as a widget's painter is on a screen of that ratio.
struct ScaledPicture {
  ScaledPicture(int w, int h, qreal ratio) : Image(int(std::ceil(w * ratio)), int(std::ceil(h * ratio)), QImage::Format_RGB32) {
    Image.fill(qRgb(255, 0, 255));
    Image.setDevicePixelRatio(ratio);
  }
  QImage Image;
};

QImage Stripes(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 40 % 256, y * 60 % 256, (x + y) % 2 ? 200 : 20));
  return image;
}

TEST(CrispDrawing, TilesSideBySideMeetWithoutSeamsAtEveryRatio) {
  const QImage tile = Stripes(5, 3);
  for (qreal ratio : {1.0, 1.25, 1.5, 2.0, 2.5, 3.0}) {
    ScaledPicture target(37, 11, ratio);
    {
      QPainter p(&target.Image);
      for (int x = 0; x < 37; x += 5)
        for (int y = 0; y < 11; y += 3) DrawImageCrisp(p, QRect(x, y, 5, 3), tile, tile.rect());
    }
    // Every device pixel covered by some tile: the magenta ground never shows through.
    const QImage& img = target.Image;
    int gaps = 0;
    for (int y = 0; y < img.height() && y < std::lround(11 * ratio); ++y)
      for (int x = 0; x < img.width() && x < std::lround(37 * ratio); ++x) gaps += img.pixel(x, y) == qRgb(255, 0, 255);
    EXPECT_EQ(gaps, 0) << "ratio " << ratio;
    // No colour that the tile does not have: no blending of neighbours.
    QSet<QRgb> own;
    for (int y = 0; y < tile.height(); ++y)
      for (int x = 0; x < tile.width(); ++x) own.insert(tile.pixel(x, y));
    int foreign = 0;
    for (int y = 0; y < std::lround(11 * ratio); ++y)
      for (int x = 0; x < std::lround(37 * ratio); ++x) foreign += !own.contains(img.pixel(x, y));
    EXPECT_EQ(foreign, 0) << "ratio " << ratio;
  }
}

TEST(CrispDrawing, APieceOfAPictureTakesNoPixelFromBesideIt) {
  // The piece's neighbours are a colour the piece lacks; a sample taken
  // across its edge (a smoothed or shifted source rectangle) shows that colour.
  QImage picture(12, 12, QImage::Format_RGB32);
  picture.fill(qRgb(255, 0, 0));
  const QRect piece(3, 4, 5, 3);
  for (int y = piece.top(); y <= piece.bottom(); ++y)
    for (int x = piece.left(); x <= piece.right(); ++x) picture.setPixel(x, y, qRgb(0, 40 * x, 50 * y));
  for (qreal ratio : {1.5, 2.0, 2.5}) {
    ScaledPicture target(20, 10, ratio);
    {
      QPainter p(&target.Image);
      DrawImageCrisp(p, QRect(1, 1, 7, 5), picture, piece);  // stretched as well as scaled
    }
    int red = 0;
    for (int y = 0; y < target.Image.height(); ++y)
      for (int x = 0; x < target.Image.width(); ++x) red += target.Image.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_EQ(red, 0) << "ratio " << ratio;
  }
}

TEST(CrispDrawing, AtAWholeRatioEachPixelBecomesABlock) {
  const QImage tile = Stripes(7, 5);
  for (int ratio : {2, 3}) {
    ScaledPicture target(9, 7, ratio);
    {
      QPainter p(&target.Image);
      DrawImageCrisp(p, QRect(1, 1, 7, 5), tile, tile.rect());
    }
    for (int y = 0; y < 5 * ratio; ++y)
      for (int x = 0; x < 7 * ratio; ++x)
        ASSERT_EQ(target.Image.pixel(ratio + x, ratio + y), tile.pixel(x / ratio, y / ratio))
            << "ratio " << ratio << " at " << x << "," << y;
  }
}

// ------------------------------------------------------------ the device layer

TEST(DeviceLayer, TextOnABitmapIsKeptAtTheLayersResolution) {
  TBitmap b(60, 20);
  b.SetDeviceScale(2);
  b.Canvas().Brush.Color = clWhite;
  b.Canvas().FillRect({0, 0, 60, 20});
  b.Canvas().Font = TFont("Arial", 14);
  b.Canvas().Brush.Style = bsClear;
  b.Canvas().TextOut(2, 2, "Wg");
  const QImage* layer = b.DeviceLayer();
  ASSERT_NE(layer, nullptr);
  ASSERT_EQ(layer->size(), QSize(120, 40));
  QImage plain = *layer;
  plain.setDevicePixelRatio(1);
  EXPECT_GT(MixedBlocks(plain, QRect(0, 0, 60, 20)), 10);
}

TEST(DeviceLayer, DirectPixelChangesDropTheLayerAndItStartsAgainFromThePicture) {
  TBitmap b(10, 10);
  b.SetDeviceScale(2);
  b.Canvas().Brush.Color = clRed;
  b.Canvas().FillRect({0, 0, 10, 10});
  ASSERT_NE(b.DeviceLayer(), nullptr);
  b.Image().setPixel(3, 4, qRgb(0, 0, 255));
  EXPECT_EQ(b.DeviceLayer(), nullptr) << "a layer that misses the blue pixel would show the old picture";
  b.Canvas().SetPixel(0, 0, clLime);
  ASSERT_NE(b.DeviceLayer(), nullptr);
  const QImage& layer = *b.DeviceLayer();
  for (int dy = 0; dy < 2; ++dy)
    for (int dx = 0; dx < 2; ++dx) {
      EXPECT_EQ(layer.pixel(6 + dx, 8 + dy), qRgb(0, 0, 255));
      EXPECT_EQ(layer.pixel(dx, dy), qRgb(0, 255, 0));
    }
  EXPECT_EQ(layer.pixel(2, 2), qRgb(255, 0, 0));
}

TEST(DeviceLayer, AScaleOfOneKeepsNoLayer) {
  TBitmap b(10, 10);
  b.SetDeviceScale(1);
  b.Canvas().FillRect({0, 0, 10, 10});
  EXPECT_EQ(b.DeviceLayer(), nullptr);
}

TEST(DeviceLayer, ABitmapDrawnOnAOneToOnePictureUsesItsOwnPixels) {
  // A layer is for screens of its scale only: a ratio-1 target gets the picture.
  TBitmap b(8, 8);
  b.SetDeviceScale(2);
  b.Canvas().Brush.Color = clRed;
  b.Canvas().FillRect({0, 0, 8, 8});
  QImage target(8, 8, QImage::Format_RGB32);
  target.fill(Qt::black);
  {
    QPainter p(&target);
    TCanvas(&p).Draw(0, 0, b);
  }
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(target.pixel(x, y), qRgb(255, 0, 0));
}

// ------------------------------------------------------------ on a real X server

QString RunProgram(const QString& program, const QStringList& args, QByteArray* out = nullptr) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(realx::kPatienceMs);
  if (out) *out = p.readAllStandardOutput();
  return QString::fromUtf8(out ? *out : p.readAllStandardOutput());
}

// The window's top-left as the X server has it, in device pixels.
QPoint ServerPosition(const QWidget& w) {
  const QString text = RunProgram("xdotool", {"getwindowgeometry", "--shell", QString::number(w.winId())});
  int x = INT_MIN, y = INT_MIN;
  for (const QString& line : text.split('\n')) {
    if (line.startsWith("X=")) x = line.mid(2).toInt();
    if (line.startsWith("Y=")) y = line.mid(2).toInt();
  }
  return QPoint(x, y);
}

// What the screen shows, read by another program: device pixels as the server composes them.
QImage Screen() {
  QByteArray png;
  RunProgram("import", {"-window", "root", "png:-"}, &png);
  return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

const QRgb kBackdrop = qRgb(255, 0, 255);

// A plain window of one colour the skins never use, behind the skinned one:
// where the shape leaves the window out, this colour shows.
struct Backdrop : QWidget {
  Backdrop() {
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(kBackdrop));
    setPalette(p);
  }
};

struct RealXHiDpi : ::testing::Test {
  void SetUp() override {
    BR_REQUIRE_REAL_X();
    ASSERT_GT(qApp->devicePixelRatio(), 1.0);
    backdrop.setGeometry(0, 0, 600, 480);
    backdrop.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&backdrop, realx::kPatienceMs));
    form.SetBounds(60, 50, 300, 200);
    frame = new TbsSkinFrame(&form);
    data = new TbsSkinData(&form);
    auto* stored = new TbsCompressedStoredSkin(data);
    ASSERT_TRUE(stored->BuildFromDescriptionFile(std::string(TEST_SKINS_DIR) + "/shaped/skin.ini"));
    data->SetCompressedStoredSkin(stored);
    frame->SetSkinData(data);
    form.SetCaption("");
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, realx::kPatienceMs));
    form.raise();
    form.activateWindow();
    // Active or not, the shape and picture are the same; the pointer test needs no focus.
    [[maybe_unused]] const bool active = QTest::qWaitFor([&] { return form.isActiveWindow(); }, 2000);
    QTest::qWait(300);  // let the server compose both windows
  }
  Backdrop backdrop;
  TForm form;
  TbsSkinFrame* frame = nullptr;
  TbsSkinData* data = nullptr;
};

// The run under scripts/realx.sh is at ratio 2, where each logical pixel is a
// 2 x 2 block; the same tests hold at any ratio (QT_SCALE_FACTOR=1.5 ...),
// each device pixel showing the logical pixel its centre lies in.
int LogicalOf(int device, qreal ratio) { return int(std::ceil((device + 0.5) / ratio)) - 1; }

TEST_F(RealXHiDpi, TheShapeOnTheScreenIsTheOneToOneMaskDoubled) {
  ASSERT_TRUE(frame->HasWindowRegion());
  const qreal ratio = form.devicePixelRatioF();
  const QRegion mask = form.mask();  // logical: at ratio 1 the server gets exactly this
  ASSERT_FALSE(mask.isEmpty());
  const QImage screen = Screen();
  const QPoint at = ServerPosition(form);
  ASSERT_FALSE(screen.isNull());
  int wrong = 0, cut = 0;
  QPoint firstWrong(-1, -1);
  for (int y = 0; y < qRound(form.height() * ratio); ++y)
    for (int x = 0; x < qRound(form.width() * ratio); ++x) {
      const bool inside = mask.contains(QPoint(LogicalOf(x, ratio), LogicalOf(y, ratio)));
      const bool shown = screen.pixel(at.x() + x, at.y() + y) != kBackdrop;
      cut += !inside;
      if (inside != shown && wrong++ == 0) firstWrong = QPoint(x, y);
    }
  EXPECT_GT(cut, 0) << "the shaped skin cuts its corners";
  EXPECT_EQ(wrong, 0) << "ratio " << ratio << ", first at device pixel " << firstWrong.x() << "," << firstWrong.y();
}

TEST_F(RealXHiDpi, TheWindowOnTheScreenIsItsPictureDoubled) {
  const qreal ratio = form.devicePixelRatioF();
  const QImage screen = Screen();
  const QPoint at = ServerPosition(form);
  const QImage single = OneToOnePicture(form);
  const QRegion mask = form.mask();
  int wrong = 0;
  for (int y = 0; y < qRound(form.height() * ratio); ++y)
    for (int x = 0; x < qRound(form.width() * ratio); ++x) {
      const QPoint logical(LogicalOf(x, ratio), LogicalOf(y, ratio));
      if (mask.contains(logical)) wrong += screen.pixel(at.x() + x, at.y() + y) != single.pixel(logical);
    }
  EXPECT_EQ(wrong, 0) << "ratio " << ratio;
}

TEST_F(RealXHiDpi, ACaptionButtonLightsUpUnderThePointerAtItsDoubledPlace) {
  const qreal ratio = form.devicePixelRatioF();
  auto* close = frame->FindObject("closebutton");
  ASSERT_NE(close, nullptr);
  const TRect b = close->Bounds;
  const QPoint at = ServerPosition(form);
  const auto pointerAt = [&](QPoint device) {
    RunProgram("xdotool", {"mousemove", QString::number(at.x() + device.x()), QString::number(at.y() + device.y())});
    QTest::qWait(150);
  };
  // The button's device pixels run from its first to its last; the one before is outside.
  const int first = qRound(b.Left * ratio), lastX = qRound(b.Right * ratio) - 1, lastY = qRound(b.Bottom * ratio) - 1;
  const int middle = qRound((b.Top + b.Bottom) / 2 * ratio);
  pointerAt(QPoint(lastX, lastY));
  EXPECT_TRUE(QTest::qWaitFor([&] { return close->Hot; }, realx::kPatienceMs)) << "the bottom-right device pixel of the button";
  pointerAt(QPoint(first - 1, middle));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !close->Hot; }, realx::kPatienceMs)) << "one device pixel left of the button";
  pointerAt(QPoint(first, middle));
  EXPECT_TRUE(QTest::qWaitFor([&] { return close->Hot; }, realx::kPatienceMs)) << "the button's first device column";
}

}  // namespace
