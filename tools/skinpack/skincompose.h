#pragma once
// skinpack compose: draws one record of a skin at a wanted size the way the
// program draws it, so a skin's pieces can be looked at without the program.

#include <string>

// Writes the picture of `record` at `size` ("<width>x<height>") to `out` as a
// BMP file. `record` names a control record; the names FORMINFO, HINTWINDOW
// and POPUPWINDOW draw the window frame, the hint window and the popup menu
// window. Throws std::runtime_error with a message for the user.
int ComposeSkinRecord(const std::string& skinPath, const std::string& record, const std::string& size,
                      const std::string& out);
