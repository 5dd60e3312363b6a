// SPDX-License-Identifier: GPL-3.0-or-later
// Carries the precompiled header the product's libraries reuse
// (CMakeLists.txt); it has no code of its own.
