// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wakeevent.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

WakeEvent::WakeEvent() : FFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

WakeEvent::~WakeEvent() {
  if (FFd >= 0) close(FFd);
}

void WakeEvent::Signal() {
  const uint64_t one = 1;
  // Only overflow of the counter can refuse, and a pending signal is already there then.
  [[maybe_unused]] ssize_t written = write(FFd, &one, sizeof one);
}

void WakeEvent::Drain() {
  uint64_t count;
  [[maybe_unused]] ssize_t got = read(FFd, &count, sizeof count);
}
