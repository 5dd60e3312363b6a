// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// skinpack compose: draws one record of a skin at a wanted size through the
// program's own classes (the frame on a real window, a real control of the
// record's kind), rendered offscreen, so the preview is what the program
// shows. Needs a running QApplication.

#include <string>
#include <vector>

struct TComposeRequest {
  std::string SkinPath;  // skin.ini of a skin folder, or a compressed skin file
  std::string Record;    // a control or object record, or a special name
  std::string Size;      // "<width>x<height>" ("X" too)
  std::string Out;       // .bmp (24-bit; outside the mask magenta) or .png (outside the mask transparent)
  std::string State = "normal";  // objects: normal, hot, down or inactive
  bool Inactive = false;         // the frame as an inactive window draws it
  std::string Caption = "Caption";  // of the window or control, or the hint's text
};

// The record names compose takes besides the skin's own records.
const std::vector<std::string>& ComposeSpecialRecords();

// Throws std::runtime_error with a message for the user.
int ComposeSkinRecord(const TComposeRequest& request);
