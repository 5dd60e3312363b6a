// SPDX-License-Identifier: GPL-3.0-or-later
// Carries the precompiled header every test executable reuses
// (tests/CMakeLists.txt); it has no code of its own.
