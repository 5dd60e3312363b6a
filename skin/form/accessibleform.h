// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What assistive technology sees of the window layer: a form is a window
// named by its caption whose children are its widgets and then the frame's
// caption buttons (drawn pieces of the frame, pressed through their action);
// a skinned popup window is a popup menu whose children are its items, with
// their captions, shortcuts, states and the submenu they open.

#include <QAccessibleInterface>
#include <functional>

class QAccessibleEvent;
class TForm;

// A part of a control that is no widget of its own and has no parts (a
// caption button, a list row, a strip's cancel cross): no object, no
// children, a name that cannot be set. The part says the rest.
class TbsAccessibleLeaf : public QAccessibleInterface {
 public:
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  void setText(QAccessible::Text, const QString&) override {}
};

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
