// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file list's preview of a rename: each row shows its name, then " → "
// and the name it will get, in a quieter colour; a row whose new name is
// taken (so the file keeps its name) says so in a warning colour. Off, the
// list draws exactly as without it. The rows come from TNamePreview, worked
// out only for the rows painted.

#include <optional>
#include <string>

#include "app/tnamepreview.h"
#include "framework/tcolor.h"
#include "framework/trect.h"

class TbsSkinCustomListBox;
class TCanvas;

class TPreviewList {
 public:
  static constexpr const char* kArrow = " → ";
  static constexpr const char* kTakenMark = "（已存在）";    // the file keeps its name
  static constexpr const char* kTooLongMark = "（名称过长）";  // the file keeps its name
  static constexpr const char* kRenameTo = "改名为 ";  // what assistive technology says before the new name

  explicit TPreviewList(TbsSkinCustomListBox& list);
  ~TPreviewList();

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);

  // The list now shows the files of `folder`, of which the rename moves the first `count`.
  void ListingChanged(const std::string& folder, std::size_t count);
  // The prefix and the start field's text, read as the rename reads them.
  void PatternChanged(const std::string& prefix, const std::string& startText);
  // Numbers padded with zeros to the width of the last one, as the rename pads them.
  void SetZeroPad(bool value);

  // What row `index` shows after its name, and whether it is marked as keeping its name.
  struct TRowText {
    std::string Text;
    bool Marked = false;
  };
  std::optional<TRowText> RowText(int index);
  // Row `index` for assistive technology: the name it will get and the mark
  // when it keeps its own; empty without a preview for it.
  std::string RowDescription(int index);
  TNamePreview& Model() { return FModel; }

  // Half way from the row's text colour to its background, or as far as
  // keeps 4.5:1 against it: the same hue as the name, only quieter, and
  // still readable on any skin and in any row state.
  static TColor QuietColor(TColor text, TColor background);
  // Dark red on a light row, light red on a dark one.
  static TColor WarningColor(TColor background);

 private:
  void DrawRow(TCanvas& canvas, int index, const TRect& textRect);
  // Hands the pattern to the model; the padding's width depends on the count too.
  void ApplyPattern();

  TbsSkinCustomListBox& FList;
  TNamePreview FModel;
  std::size_t FCount = 0;
  bool FEnabled = false;
  std::string FPrefix;
  std::optional<int32_t> FStart;
  bool FZeroPad = false;
};
