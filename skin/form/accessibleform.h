// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive technology sees of the window layer: a form is a window
// named by its caption whose children are its widgets and then the frame's
// caption buttons (drawn pieces of the frame, pressed through their action);
// a skinned popup window is a popup menu whose children are its items, with
// their captions, shortcuts, states and the submenu they open.

#include <functional>

class QAccessibleEvent;
class TForm;

// Installs the interfaces once; the frame and the popup window call it as
// they are made.
void InstallFormAccessibility();

// A form that gets a frame may already have a plain interface, made while it
// was built and kept by the accessibility cache: it is dropped so the next
// query makes the window interface with the frame's buttons.
void AdoptFormAccessibility(TForm* form);

// Whether an assistive-technology client listens: the platform's bridge is
// active, or a client inside the process said so with QAccessible::setActive.
// Events are made only then, so nothing is paid without one.
bool AccessibleClientListens();

// Hands an event to Qt, and first to the watcher when one is set. Qt passes
// events on only while a platform bridge is active, so the watcher is how a
// test inside the process sees them.
void SendAccessibleEvent(QAccessibleEvent& event);
void WatchSentAccessibleEvents(std::function<void(const QAccessibleEvent&)> watch);
