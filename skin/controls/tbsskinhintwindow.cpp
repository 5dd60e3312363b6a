// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/controls/tbsskinhintwindow.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "framework/tapplication.h"
#include "skin/controls/accessiblecontrols.h"
#include "skin/controls/tbsskinhint.h"
#include "skin/data/tbsskindata.h"
#include "skin/draw/skinimage.h"
#include "skin/draw/skinregion.h"
#include "skin/draw/skinwindow.h"

namespace {
constexpr int kDefaultMargin = 2;  // default look: frame and gap around the text
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop;  // lines break only at line breaks (unless a width is set)

QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

QRect ScreenAt(const QPoint& p) {
  const QScreen* screen = QGuiApplication::screenAt(p);
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1 << 14, 1 << 14);
}
}  // namespace

TbsSkinHint* FindActiveSkinHint() {
  TApplication* app = Application();
  if (!app || !app->MainForm()) return nullptr;
  for (QObject* child : app->MainForm()->children())
    if (auto* hint = qobject_cast<TbsSkinHint*>(child); hint && hint->Active()) return hint;
  return nullptr;
}

TbsSkinHintWindow::TbsSkinHintWindow() {
  InstallControlsAccessibility();
  // The paint covers every pixel.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
}

TbsSkinHintWindow::~TbsSkinHintWindow() = default;

int TbsSkinHintWindow::TextFlags() const { return FMaxWidth > 0 ? kTextFlags | Qt::TextWordWrap : kTextFlags; }

void TbsSkinHintWindow::SetOnClick(std::function<void()> value) {
  FOnClick = std::move(value);
  setAttribute(Qt::WA_TransparentForMouseEvents, !FOnClick);
}

void TbsSkinHintWindow::mousePressEvent(QMouseEvent* event) {
  if (FOnClick) {
    event->accept();
    FOnClick();
    return;
  }
  THintWindow::mousePressEvent(event);
}

TBitmap* TbsSkinHintWindow::HintPicture(const TbsSkinData* skinData) {
  if (!skinData || !skinData->HasSkin() || skinData->HintWindowRecord.WindowPictureIndex == -1) return nullptr;
  TBitmap* picture = skinData->ActivePicture(skinData->HintWindowRecord.WindowPictureIndex);
  return picture && !picture->Empty() ? picture : nullptr;
}

void TbsSkinHintWindow::PrepareHint(const std::string& text, TbsSkinData* skinData, const TFont& defaultFont,
                                    bool useSkinFont) {
  FCaption = text;
  TBitmap* picture = HintPicture(skinData);
  FHintSkinData = picture ? skinData : nullptr;

  FHintFont = defaultFont;
  if (picture && useSkinFont) {
    const TbsDataSkinHintWindow& r = skinData->HintWindowRecord;
    FHintFont.SetHeight(r.FontHeight);
    FHintFont.SetName(r.FontName);
    FHintFont.SetStyle(r.FontStyle);
  }
  if (skinData && skinData->ResourceStrData()) FHintFont.SetCharSet(skinData->ResourceStrData()->CharSet());

  // The room the window keeps round its text.
  int frameWidth = 2 * kDefaultMargin;
  if (picture) {
    const TbsDataSkinHintWindow& r = skinData->HintWindowRecord;
    frameWidth = r.ClientRect.Left + picture->Width() - r.ClientRect.Right;
  }
  const QFontMetrics metrics(FHintFont.ToQFont());
  QRect extent = metrics.boundingRect(QRect(), kTextFlags, ToQ(text));
  if (FMaxWidth > 0 && extent.width() + frameWidth > FMaxWidth)
    extent = metrics.boundingRect(QRect(0, 0, std::max(1, FMaxWidth - frameWidth), 0), TextFlags(), ToQ(text));
  FTextWidth = extent.width();
  FTextHeight = extent.height();

  int w = FTextWidth + 2 * kDefaultMargin;
  int h = FTextHeight + 2 * kDefaultMargin;
  if (picture) {
    const TbsDataSkinHintWindow& r = skinData->HintWindowRecord;
    const int pw = picture->Width(), ph = picture->Height();
    w = std::max(pw, FTextWidth + r.ClientRect.Left + pw - r.ClientRect.Right);
    h = std::max(ph, FTextHeight + r.ClientRect.Top + ph - r.ClientRect.Bottom);
    const int dw = w - pw, dh = h - ph;
    SizedClientRect = TRect{r.ClientRect.Left, r.ClientRect.Top, r.ClientRect.Right + dw, r.ClientRect.Bottom + dh};
    SizedLeftTopPoint = r.LeftTopPoint;
    SizedRightTopPoint = TPoint{r.RightTopPoint.X + dw, r.RightTopPoint.Y};
    SizedLeftBottomPoint = TPoint{r.LeftBottomPoint.X, r.LeftBottomPoint.Y + dh};
    SizedRightBottomPoint = TPoint{r.RightBottomPoint.X + dw, r.RightBottomPoint.Y + dh};
  }
  // A text longer or taller than the screen is cut at the screen's size.
  const QRect screen = ScreenAt(pos());
  w = std::clamp(w, 1, std::max(1, screen.width()));
  h = std::clamp(h, 1, std::max(1, screen.height()));
  resize(w, h);

  FRegion.reset();
  if (picture) {
    const TbsDataSkinHintWindow& r = skinData->HintWindowRecord;
    // A mask of another size than the picture does not describe its pieces.
    const TBitmap* mask = r.MaskPictureIndex == -1 ? nullptr : skinData->ActivePicture(r.MaskPictureIndex);
    if (mask && mask->Width() == picture->Width() && mask->Height() == picture->Height())
      FRegion = BuildSkinRegion(r.LeftTopPoint, r.RightTopPoint, r.LeftBottomPoint, r.RightBottomPoint,
                                r.ClientRect, SizedLeftTopPoint, SizedRightTopPoint, SizedLeftBottomPoint,
                                SizedRightBottomPoint, SizedClientRect, *mask, w, h);
  }
  if (FRegion) setMask(*FRegion);
  else clearMask();
  update();
}

void TbsSkinHintWindow::ShowHintWindow(const TRect& R, const std::string& text) {
  TbsSkinHint* owner = FindActiveSkinHint();
  FOwnerHint = owner;
  if (!owner || !owner->Active()) return;
  move(R.Left, R.Top);  // so the text is measured against the screen it goes to
  PrepareHint(text, owner->SkinData(), owner->DefaultFont(), owner->UseSkinFont());

  TRect bounds{R.Left, R.Top, R.Left + width(), R.Top + height()};
  const QRect screen = ScreenAt(QPoint(R.Left, R.Top));
  if (bounds.Right > screen.x() + screen.width()) OffsetRect(bounds, -(width() + 2), 0);
  if (bounds.Bottom > screen.y() + screen.height()) OffsetRect(bounds, 0, -(height() + 2));

  if (owner->AlphaBlend() != FLastAlphaBlend) {
    if (!owner->AlphaBlend()) SetWindowAlphaValue(this, 255);
    FLastAlphaBlend = owner->AlphaBlend();
    FLastAlphaBlendValue = owner->AlphaBlend() ? -1 : 0;  // a new blend applies its value
  }
  if (owner->AlphaBlend() && owner->AlphaBlendValue() != FLastAlphaBlendValue) {
    SetWindowAlphaValue(this, owner->AlphaBlendValue());
    FLastAlphaBlendValue = owner->AlphaBlendValue();
  }

  move(bounds.Left, bounds.Top);
  show();
  raise();
  HintShown(this);
}

TRect TbsSkinHintWindow::CalcHintRect(int, const std::string& hint) {
  TbsSkinHint* owner = FindActiveSkinHint();
  if (!owner) return TRect{0, 0, 0, 0};
  PrepareHint(hint, owner->SkinData(), owner->DefaultFont(), owner->UseSkinFont());
  return TRect{0, 0, width(), height()};
}

void TbsSkinHintWindow::ActivateHint(const TRect& rect, const std::string& hint) { ShowHintWindow(rect, hint); }

// The picture's pieces around the text, as the record cuts them:
//
//   LT ------- RT        corners copied, edges tiled (or stretched by the
//   |   client  |        record's switches), the middle filled; the text
//   LB ------- RB        centred in the sized client rectangle.
void TbsSkinHintWindow::DrawSkinned(TBitmap& buffer, const TBitmap& picture) {
  const TbsDataSkinHintWindow& r = FHintSkinData->HintWindowRecord;
  const int w = width(), h = height();
  ComposeSkinImageStretched(r.LeftTopPoint, r.RightTopPoint, r.LeftBottomPoint, r.RightBottomPoint, r.ClientRect,
                            SizedLeftTopPoint, SizedRightTopPoint, SizedLeftBottomPoint, SizedRightBottomPoint,
                            SizedClientRect, buffer, picture, TRect{0, 0, picture.Width(), picture.Height()}, w, h,
                            true, r.LeftStretch, r.TopStretch, r.RightStretch, r.BottomStretch);
  const TRect& c = SizedClientRect;
  const int left = c.Left + c.Width() / 2 - FTextWidth / 2;
  const int top = c.Top + c.Height() / 2 - FTextHeight / 2;
  TFont font = FHintFont;
  font.SetColor(r.FontColor);
  buffer.Canvas().Paint([&](QPainter& p) {
    p.setFont(font.ToQFont());
    p.setPen(ToQColor(font.Color()));
    p.drawText(QRect(left, top, FTextWidth, FTextHeight), TextFlags(), ToQ(FCaption));
  });
}

void TbsSkinHintWindow::DrawDefault(TBitmap& buffer) {
  TCanvas& canvas = buffer.Canvas();
  const TRect all{0, 0, width(), height()};
  canvas.Brush.Color = clInfoBk;
  canvas.FillRect(all);
  canvas.Brush.Color = clBtnShadow;
  canvas.FrameRect(all);
  TFont font = FHintFont;
  font.SetColor(clInfoText);
  canvas.Paint([&](QPainter& p) {
    p.setFont(font.ToQFont());
    p.setPen(ToQColor(font.Color()));
    p.drawText(QRect(kDefaultMargin, kDefaultMargin, width() - 2 * kDefaultMargin, height() - 2 * kDefaultMargin),
               TextFlags(), ToQ(FCaption));
  });
}

void TbsSkinHintWindow::Paint(TCanvas& canvas) {
  if (width() <= 0 || height() <= 0) return;
  TBitmap buffer(width(), height(), TBitmap::ForPaint);
  PlaceOnDevice(buffer, canvas.Painter(), 0, 0);
  // Looked up again: the skin may have been loaded anew since the hint was sized.
  const TBitmap* picture = HintPicture(FHintSkinData.data());
  if (picture) DrawSkinned(buffer, *picture);
  else DrawDefault(buffer);
  canvas.Draw(0, 0, buffer);
}
