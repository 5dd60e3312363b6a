#pragma once
// Reading the system's font configuration (every configuration file and the
// font caches) takes a few milliseconds, paid at a program's first text. A
// program starts that reading on a worker before anything else; the
// application object waits for it once the toolkit is up, so the reading
// overlaps the toolkit's start instead of following it. Without a start the
// toolkit reads the configuration itself when it first needs it.

class TFontConfiguration {
 public:
  // Starts the reading in the background; a second start does nothing.
  static void Start();
  // Returns once a started reading has finished (at once when none was started).
  static void Wait();
};
