// SPDX-License-Identifier: GPL-3.0-or-later
// Every test program draws with the tests' own font configuration
// (fonts.conf), also when started by hand rather than by ctest; a
// configuration already named (app_cjk_fonts names its own) is kept.

#include <cstdlib>

namespace {
// Before main: the toolkit reads the configuration at its first text.
[[maybe_unused]] const bool kFontsPinned = setenv("FONTCONFIG_FILE", BR_TEST_FONTS_CONF, 0) == 0;
}  // namespace
