#include "app/tpreviewlist.h"

#include "framework/sysutils.h"
#include "framework/tcanvas.h"
#include "skin/controls/tbsskincustomlistbox.h"
#include "skin/draw/skinglyphs.h"
#include "skin/draw/skinimage.h"

namespace {
constexpr TColor kWarningOnLight = RGBColor(192, 0, 0);
constexpr TColor kWarningOnDark = RGBColor(255, 128, 128);
constexpr int kDarkLuma = 128;  // a background below this (0..255) counts as dark

int Luma(TColor c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; }
}  // namespace

TPreviewList::TPreviewList(TbsSkinCustomListBox& list) : FList(list) {}

TPreviewList::~TPreviewList() {
  if (FEnabled) FList.OnDrawItem = nullptr;
}

void TPreviewList::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  if (value)
    FList.OnDrawItem = [this](TCanvas& canvas, int index, int, int, TRect textRect, TOwnerDrawState) {
      DrawRow(canvas, index, textRect);
    };
  else
    FList.OnDrawItem = nullptr;
  FList.InnerList()->update();
}

void TPreviewList::ListingChanged(const std::string& folder, std::size_t count) {
  FModel.SetListing(folder);
  FCount = count;
  if (FEnabled) FList.InnerList()->update();
}

void TPreviewList::PatternChanged(const std::string& prefix, const std::string& startText) {
  int32_t start = 0;
  const bool number = TryStrToInt(Trim(startText), start);
  if (FModel.SetPattern(prefix, number ? std::optional<int32_t>(start) : std::nullopt) && FEnabled)
    FList.InnerList()->update();
}

std::optional<TPreviewList::TRowText> TPreviewList::RowText(int index) {
  if (index < 0) return std::nullopt;
  const std::optional<TPreviewRow> row = FModel.Row(FList.Items().Items(), FCount, std::size_t(index));
  if (!row || row->Outcome == TPreviewOutcome::Skipped) return std::nullopt;
  TRowText text{kArrow + row->NewName, false};
  if (row->Outcome == TPreviewOutcome::Taken) text.Text += kTakenMark;
  if (row->Outcome == TPreviewOutcome::TooLong) text.Text += kTooLongMark;
  text.Marked = row->Outcome == TPreviewOutcome::Taken || row->Outcome == TPreviewOutcome::TooLong;
  return text;
}

TColor TPreviewList::QuietColor(TColor text, TColor background) {
  text = ColorToRGB(text);
  background = ColorToRGB(background);
  auto mid = [](int a, int b) { return (a + b + 1) / 2; };
  return RGBColor(mid(GetRValue(text), GetRValue(background)), mid(GetGValue(text), GetGValue(background)),
                  mid(GetBValue(text), GetBValue(background)));
}

TColor TPreviewList::WarningColor(TColor background) {
  return Luma(ColorToRGB(background)) < kDarkLuma ? kWarningOnDark : kWarningOnLight;
}

void TPreviewList::DrawRow(TCanvas& canvas, int index, const TRect& textRect) {
  const std::string& name = FList.Items()[index];
  const int scrolled = -FList.InnerList()->HScrollOffset;
  // The row's own background, read before any text covers it.
  TColor background = canvas.Pixel(textRect.Left, textRect.Top + RectHeight(textRect) / 2);
  if (background == clNone) background = clWindow;
  canvas.Brush.Style = bsClear;
  // The name exactly where the list puts it without a preview.
  DrawTextVCentered(canvas, name, textRect, scrolled);
  const std::optional<TRowText> after = RowText(index);
  if (!after) return;
  const TColor nameColor = canvas.Font.Color();
  canvas.Font.SetColor(after->Marked ? WarningColor(background) : QuietColor(nameColor, background));
  DrawTextVCentered(canvas, after->Text, textRect, scrolled + canvas.TextWidth(name));
  canvas.Font.SetColor(nameColor);
}
