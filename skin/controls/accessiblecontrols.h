// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive technology sees of the skinned controls: the rename-style
// push buttons, the one-line fields, the list and its rows, the link and the
// hint windows, each with its role, name, states and actions, given through
// Qt's accessibility interfaces; and the events that keep a screen reader in
// step with what these painted controls do.

#include <string>

class QWidget;
class TbsListBox;
class TControl;

// Installs the interfaces of this layer's controls, once; the controls'
// constructors call it, so every program and test that makes one gets them.
void InstallControlsAccessibility();

// The name a control is heard by: its accessible name when one was given,
// else its caption (without accelerator marks), else its hint as the hint
// window would show it.
std::string AccessibleControlName(const TControl* control, const std::string& caption);

// The list's rows were replaced: their interfaces go, and a client reads them again.
void ListRowsChanged(TbsListBox* list);
// The current row moved: selection and, while the list has the focus, focus follow it.
void ListCurrentRowChanged(TbsListBox* list);
// The list took the focus: once the widget's own focus event has gone out,
// the focus goes on to its current row.
void ListFocused(TbsListBox* list);
// A hint window came up with its text, or shows another text now.
void HintShown(QWidget* hint);
