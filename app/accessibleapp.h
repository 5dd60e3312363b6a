// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive technology sees of the main window's own parts: the batch
// strip as a progress bar with its value, and its cancel cross as a button.

// Installs the interfaces of the window's parts, once; their constructors call it.
void InstallAppAccessibility();
