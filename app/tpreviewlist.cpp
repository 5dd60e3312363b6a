// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tpreviewlist.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "framework/sysutils.h"
#include "framework/tcanvas.h"
#include "renamer/trenamefile.h"
#include "skin/controls/tbsskincustomlistbox.h"
#include "skin/draw/skinglyphs.h"
#include "skin/draw/skinimage.h"

namespace {
constexpr TColor kWarningOnLight = RGBColor(192, 0, 0);
constexpr TColor kWarningOnDark = RGBColor(255, 128, 128);
constexpr int kDarkLuma = 128;  // a background below this (0..255) counts as dark

int Luma(TColor c) { return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000; }

constexpr double kReadableContrast = 4.5;  // what small text needs against its background
constexpr int kMixSteps = 256;             // fineness of the walk from the background back to the text

// Relative luminance of an sRGB colour, as contrast ratios are defined on it.
double Luminance(TColor c) {
  const auto linear = [](int v) {
    const double s = v / 255.0;
    return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) + 0.0722 * linear(GetBValue(c));
}

double Contrast(TColor a, TColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
}  // namespace

TPreviewList::TPreviewList(TbsSkinCustomListBox& list) : FList(list) {}

TPreviewList::~TPreviewList() {
  if (!FEnabled) return;
  FList.OnDrawItem = nullptr;
  FList.OnItemDescription = nullptr;
}

void TPreviewList::SetEnabled(bool value) {
  if (FEnabled == value) return;
  FEnabled = value;
  if (value) {
    FList.OnDrawItem = [this](TCanvas& canvas, int index, int, int, TRect textRect, TOwnerDrawState) {
      DrawRow(canvas, index, textRect);
    };
    FList.OnItemDescription = [this](int index) { return RowDescription(index); };
  } else {
    FList.OnDrawItem = nullptr;
    FList.OnItemDescription = nullptr;
  }
  FList.InnerList()->update();
}

void TPreviewList::ListingChanged(const std::string& folder, std::size_t count) {
  FModel.SetListing(folder);
  FCount = count;
  ApplyPattern();
  if (FEnabled) FList.InnerList()->update();
}

void TPreviewList::PatternChanged(const std::string& prefix, const std::string& startText) {
  int32_t start = 0;
  const bool number = TryStrToInt(Trim(startText), start);
  FPrefix = prefix;
  FStart = number ? std::optional<int32_t>(start) : std::nullopt;
  ApplyPattern();
}

void TPreviewList::SetZeroPad(bool value) {
  if (FZeroPad == value) return;
  FZeroPad = value;
  ApplyPattern();
}

void TPreviewList::ApplyPattern() {
  const int width = FZeroPad && FStart ? NumberWidth(*FStart, FCount) : 0;
  if (FModel.SetPattern(FPrefix, FStart, width) && FEnabled) FList.InnerList()->update();
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

std::string TPreviewList::RowDescription(int index) {
  const std::optional<TRowText> row = RowText(index);
  if (!row) return {};
  // The row's text without the arrow, which is drawn, not said.
  return kRenameTo + row->Text.substr(std::string_view(kArrow).size());
}

TColor TPreviewList::QuietColor(TColor text, TColor background) {
  text = ColorToRGB(text);
  background = ColorToRGB(background);
  // `step` of kMixSteps of the way from the text to the background.
  const auto mix = [&](int step) {
    const auto channel = [step](int t, int b) { return t + ((b - t) * step + kMixSteps / 2) / kMixSteps; };
    return RGBColor(channel(GetRValue(text), GetRValue(background)), channel(GetGValue(text), GetGValue(background)),
                    channel(GetBValue(text), GetBValue(background)));
  };
  for (int step = kMixSteps / 2; step > 0; --step)
    if (Contrast(mix(step), background) >= kReadableContrast) return mix(step);
  return text;  // the text itself is no more readable than that
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
