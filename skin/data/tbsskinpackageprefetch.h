// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decoding a skin (inflating its block, reading every picture and the
// description) is a few milliseconds of the program's start. A program that
// knows which block its window will load has that work done on a worker
// thread before the window exists; the skin data then takes the finished
// package instead of decoding the same bytes again. One prefetch is kept at a
// time and taken at most once.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "skin/data/tbsskinpackage.h"

class TbsSkinPackagePrefetch {
 public:
  // Starts decoding a copy of `block` on a worker of its own. A prefetch that
  // was not taken is dropped (after its worker ends).
  static void Start(const std::vector<uint8_t>& block);
  // The same, but the decoding is the returned job, for a worker the caller
  // already has to run next. A job that is dropped unrun leaves nothing
  // pending: the load then decodes on the spot.
  static std::function<void()> Prepare(const std::vector<uint8_t>& block);
  // The package decoded from exactly these bytes, waiting for the worker if
  // it is still busy; an error the decoding raised is raised here, as a
  // decoding on the spot would raise it. Nothing when no prefetch of these
  // bytes is pending.
  static std::optional<TbsSkinPackage> Take(const std::vector<uint8_t>& block);
};
