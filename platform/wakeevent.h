// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A wake-up signal a blocked poll can wait on beside other descriptors: an
// eventfd that any thread may signal. Signals before the wait are not lost.

class WakeEvent {
 public:
  WakeEvent();
  ~WakeEvent();
  WakeEvent(const WakeEvent&) = delete;
  WakeEvent& operator=(const WakeEvent&) = delete;

  int Fd() const { return FFd; }
  void Signal();
  // Clears the pending signals.
  void Drain();

 private:
  int FFd = -1;
};
