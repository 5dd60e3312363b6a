// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the system's font configuration (every configuration file and the
// font caches) takes a few milliseconds, paid at a program's first text. A
// program starts that reading on a worker before anything else, and the
// first text waits for it (the canvas's text and the edit's field wait), so
// the reading overlaps the toolkit's start and the window's first controls
// instead of preceding them; the toolkit, finding it done, reads no second
// one. Without a start the toolkit reads the configuration itself when it
// first needs it.

#include <functional>

class TFontConfiguration {
 public:
  // Starts the reading in the background; `then`, when given, runs on the
  // same worker once the reading is done: work that is needed later, which
  // would only slow the reading down on a worker of its own. A second start
  // does nothing, except that its `then` still runs on a worker.
  static void Start(std::function<void()> then = {});
  // Returns once a started reading has finished (at once when none was
  // started), without waiting for what runs after it. Cheap once it has.
  // The first call that finds the reading still going first does the work
  // given to WhileWaiting.
  static void Wait();
  // Work for the waiting thread that would otherwise be done later on the way
  // to the first picture, done in the time it would spend idle. Work given
  // when no wait is to come (no reading, or the first wait is over), or left
  // when the first wait finds the reading done, is dropped: it was only ever
  // a head start.
  static void WhileWaiting(std::function<void()> work);
};
