// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The strip under the file list that shows a long batch going on: how many
// files are done of how many, a bar filling as they go, and a cancel glyph at
// the right. Drawn from the skin's list record (its row pieces: the normal
// row as the track, the focused selected row as the filled part, the row
// font), so it
// looks like the list it belongs to; without that record, in system colours.

#include <cstddef>
#include <string>

#include "framework/tcontrol.h"

class TbsSkinData;

class TBatchStrip : public TControl {
  Q_OBJECT
 public:
  static constexpr int kHeight = 22;
  static constexpr int kCancelWidth = 22;  // the glyph's square at the right end

  explicit TBatchStrip(QWidget* parent = nullptr);

  void SetSkinData(TbsSkinData* value) { FSkinData = value; }
  // "正在重命名" or "正在撤销"; shown before the counts.
  void SetTitle(const std::string& value);
  const std::string& Title() const { return FTitle; }
  void SetProgress(std::size_t done, std::size_t total);
  std::size_t Done() const { return FDone; }
  std::size_t Total() const { return FTotal; }
  // What the strip says, e.g. "正在重命名 120 / 5000".
  std::string Text() const;
  // The cancel glyph's square, in the strip's coordinates.
  TRect CancelRect() const;
  // Width of the filled part of the bar at the present size.
  int FilledWidth() const;

  TNotifyEvent OnCancel;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  TbsSkinData* FSkinData = nullptr;
  std::string FTitle;
  std::size_t FDone = 0;
  std::size_t FTotal = 0;
};
