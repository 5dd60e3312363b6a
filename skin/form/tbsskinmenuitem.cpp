// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/form/tbsskinmenuitem.h"

#include <algorithm>
#include <cmath>

#include "framework/acceltext.h"
#include "skin/data/tbsdataskinmenuitem.h"
#include "skin/data/tbsskindata.h"
#include "skin/draw/defaultlook.h"
#include "skin/draw/skinglyphs.h"
#include "skin/draw/skinimage.h"
#include "skin/form/frameeffects.h"

namespace {

constexpr int kTextEndGap = 19;      // room right of the texts for the arrow
constexpr int kTextStartGap = 3;     // between the glyph column and the caption
constexpr int kGlyphInset = 2;       // the frame's own glyphs from the item's left
constexpr int kGlyphHalfHeight = 4;  // glyphs are about 8 pixels tall
constexpr int kArrowWidth = 8;
constexpr int kRadioSize = 6;

struct TNamedGlyph {
  const char* Name;
  void (*Draw)(TCanvas&, int, int, TColor);
};
constexpr TNamedGlyph kFrameGlyphs[] = {
    {"BSF_CLOSE", DrawCloseGlyph},          {"TRAY_BSF_CLOSE", DrawCloseGlyph},
    {"BSF_MINITEM", DrawMinimizeGlyph},     {"BSF_MAXITEM", DrawMaximizeGlyph},
    {"BSF_RESTORE", DrawRestoreGlyph},      {"TRAY_BSF_RESTORE", DrawRestoreGlyph},
    {"BSF_ROLLUP", DrawRollUpGlyph},        {"BSF_MINTOTRAY", DrawTrayGlyph},
};

}  // namespace

TbsSkinMenuItem::TbsSkinMenuItem(TMenuItem* item, const TbsDataSkinMenuItem* record, const TbsSkinData* skinData)
    : FMenuItem(item) {
  if (!record) return;
  FHasRecord = true;
  SkinRect = record->SkinRect;
  ActiveSkinRect = record->ActiveSkinRect;
  DividerRect = record->DividerRect;
  TextRect = record->TextRect;
  ItemLeftOffset = record->ItemLeftOffset;
  ItemRightOffset = record->ItemRightOffset;
  DividerLeftOffset = record->DividerLeftOffset;
  DividerRightOffset = record->DividerRightOffset;
  FontColor = record->FontColor;
  ActiveFontColor = record->ActiveFontColor;
  UnEnabledFontColor = record->UnEnabledFontColor;
  Morphing = record->Morphing;
  MorphKind = int(record->MorphKind);
  if (const TBitmap* picture = skinData ? skinData->ActivePicture(record->ActivePictureIndex) : nullptr) {
    ActivePicture = *picture;  // shares the pixels; the skin may go while the menu is open
  } else {
    // No picture to cut the pieces from: the items have no background.
    SkinRect = ActiveSkinRect = TRect{};
  }
  if (IsEmptyRect(ActiveSkinRect)) Morphing = false;
}

std::string TbsSkinMenuItem::Caption() const { return FMenuItem ? FMenuItem->Caption() : std::string(); }
bool TbsSkinMenuItem::IsLine() const { return FMenuItem && FMenuItem->IsLine(); }
bool TbsSkinMenuItem::Enabled() const { return FMenuItem && FMenuItem->Enabled(); }
bool TbsSkinMenuItem::HasSubItems() const { return FMenuItem && FMenuItem->Count() > 0; }

int TbsSkinMenuItem::Height(int defaultItemHeight) const {
  const int plain = IsLine() ? kSeparatorHeight : defaultItemHeight;
  if (!FHasRecord) return plain;
  const int skinned = RectHeight(IsLine() ? DividerRect : SkinRect);
  // A record without a usable piece would give rows nobody can hit.
  return skinned > 0 ? skinned : plain;
}

std::string TbsSkinMenuItem::MeasuredText() const {
  if (!FMenuItem) return {};
  std::string text = FMenuItem->Caption();
  if (!FMenuItem->ShortCutText().empty()) text += "  " + FMenuItem->ShortCutText();
  return text;
}

bool TbsSkinMenuItem::Fading() const {
  const double target = (Highlighted || Pressed) ? 1.0 : 0.0;
  return MorphFactor != target;
}

bool TbsSkinMenuItem::MorphStep() {
  if (!Fading()) return false;
  const double target = (Highlighted || Pressed) ? 1.0 : 0.0;
  const double next = MorphFactor + (target > MorphFactor ? kMorphStep : -kMorphStep);
  // Held to tenths so five steps land exactly on 0 or 1.
  MorphFactor = std::clamp(std::nearbyint(next * 10) / 10, 0.0, 1.0);
  return Fading();
}

void TbsSkinMenuItem::Draw(TCanvas& canvas, const TbsMenuPaintContext& context) const {
  if (!Visible || IsEmptyRect(ItemRect)) return;
  if (context.Skinned && FHasRecord) DrawSkinned(canvas, context);
  else DrawPlain(canvas, context);
}

// An item row is one horizontal piece, its ends kept and its middle tiled:
//
//   | left offset |  ...tiled...  | right offset |
//
// normal or active, faded into each other by the record's morph kind.
void TbsSkinMenuItem::DrawSkinned(TCanvas& canvas, const TbsMenuPaintContext& context) const {
  const int w = RectWidth(ItemRect);
  if (IsLine()) {
    if (ActivePicture.Empty() || IsEmptyRect(DividerRect)) return;
    TBitmap piece;
    ComposeHorizontalSkinImage(DividerLeftOffset, DividerRightOffset, piece, ActivePicture, DividerRect, w);
    canvas.Draw(ItemRect.Left, ItemRect.Top, piece);
    return;
  }
  const bool active = Highlighted || Pressed;
  if (!ActivePicture.Empty()) {
    const bool fading = Morphing && MorphFactor > 0 && MorphFactor < 1;
    const TRect& shown = active ? ActiveSkinRect : SkinRect;
    if (fading && !IsEmptyRect(SkinRect)) {
      TBitmap normal, hot;
      ComposeHorizontalSkinImage(ItemLeftOffset, ItemRightOffset, normal, ActivePicture, SkinRect, w);
      ComposeHorizontalSkinImage(ItemLeftOffset, ItemRightOffset, hot, ActivePicture, ActiveSkinRect, w);
      if (normal.Width() == hot.Width() && normal.Height() == hot.Height()) {
        MorphBitmaps(normal, hot, MorphKind, MorphFactor);
        canvas.Draw(ItemRect.Left, ItemRect.Top, normal);
      }
    } else if (!IsEmptyRect(shown)) {
      TBitmap piece;
      ComposeHorizontalSkinImage(ItemLeftOffset, ItemRightOffset, piece, ActivePicture, shown, w);
      canvas.Draw(ItemRect.Left, ItemRect.Top, piece);
    }
  }
  const TColor color = !Enabled() ? UnEnabledFontColor : active ? ActiveFontColor : FontColor;
  // The text area keeps the record's margins; its right edge follows the row.
  const int right = ItemRect.Left + w - (RectWidth(SkinRect) > 0 ? RectWidth(SkinRect) - TextRect.Right : 0);
  DrawGlyph(canvas, color);
  DrawTexts(canvas, context, color, ItemRect.Left + std::max(TextRect.Left, context.GlyphColumnWidth + kTextStartGap),
            right);
}

void TbsSkinMenuItem::DrawPlain(TCanvas& canvas, const TbsMenuPaintContext& context) const {
  const TRect& r = ItemRect;
  if (IsLine()) {
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(TRect{r.Left, r.Top, r.Left + context.GlyphColumnWidth, r.Bottom});
    canvas.Brush.Color = clWindow;
    canvas.FillRect(TRect{r.Left + context.GlyphColumnWidth, r.Top, r.Right, r.Bottom});
    // A sunken line: shadow above highlight.
    const int y = r.Top + RectHeight(r) / 2 - 1;
    const int left = r.Left + context.GlyphColumnWidth + kTextStartGap;
    canvas.Pen.Color = clBtnShadow;
    canvas.MoveTo(left, y);
    canvas.LineTo(r.Right, y);
    canvas.Pen.Color = clBtnHighlight;
    canvas.MoveTo(left, y + 1);
    canvas.LineTo(r.Right, y + 1);
    return;
  }
  if (Highlighted) {
    canvas.Brush.Color = kDefaultHotFaceColor;
    canvas.FillRect(r);
    canvas.Brush.Color = kDefaultHotFrameColor;
    canvas.FrameRect(r);
  } else {
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(TRect{r.Left, r.Top, r.Left + context.GlyphColumnWidth, r.Bottom});
    canvas.Brush.Color = clWindow;
    canvas.FillRect(TRect{r.Left + context.GlyphColumnWidth, r.Top, r.Right, r.Bottom});
  }
  const TColor color = Enabled() ? clWindowText : clBtnShadow;
  DrawGlyph(canvas, color);
  DrawTexts(canvas, context, color, r.Left + context.GlyphColumnWidth + kTextStartGap, r.Right);
}

void TbsSkinMenuItem::DrawGlyph(TCanvas& canvas, TColor color) const {
  if (!FMenuItem) return;
  const int x = ItemRect.Left + kGlyphInset;
  const int y = ItemRect.Top + RectHeight(ItemRect) / 2 - kGlyphHalfHeight;
  const std::string name = FMenuItem->Name();
  for (const TNamedGlyph& g : kFrameGlyphs)
    if (name == g.Name) {
      g.Draw(canvas, x, y, color);
      return;
    }
  if (!FMenuItem->Checked()) return;
  if (!FMenuItem->RadioItem()) {
    DrawCheckGlyph(canvas, x + 2, y, color);
    return;
  }
  canvas.Paint([&](QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(ToQColor(color));
    p.drawEllipse(QRectF(x + 3, y + 1, kRadioSize, kRadioSize));
    p.restore();
  });
}

void TbsSkinMenuItem::DrawTexts(TCanvas& canvas, const TbsMenuPaintContext& context, TColor color, int textLeft,
                                int textRight) const {
  if (!FMenuItem) return;
  canvas.Font = context.Font;
  canvas.Font.SetColor(color);
  canvas.Brush.Style = bsClear;
  const TRect& r = ItemRect;
  const int textEnd = textRight - kTextEndGap;
  const std::string& caption = FMenuItem->Caption();
  const int th = AccelTextHeight(canvas, caption);
  const int y = r.Top + (RectHeight(r) - th) / 2;
  const TRect clip{textLeft, r.Top, std::max(textLeft, textEnd), r.Bottom};
  AccelTextRect(canvas, clip, textLeft, y, caption);
  const std::string& shortcut = FMenuItem->ShortCutText();
  if (!shortcut.empty()) {
    const int sw = canvas.TextWidth(shortcut);
    canvas.TextRect(TRect{textLeft, r.Top, textEnd, r.Bottom}, textEnd - sw, y, shortcut);
  }
  canvas.Brush.Style = bsSolid;
  if (HasSubItems()) {
    const TRect arrow{textRight - kTextEndGap + (kTextEndGap - kArrowWidth) / 2, r.Top,
                      textRight - (kTextEndGap - kArrowWidth) / 2, r.Bottom};
    DrawArrowGlyph(canvas, arrow, color, akRight);
  }
}
