// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The default frame's border, shared by the frame's geometry, caption objects
// and painting (tbsskinframe*.cpp); not part of the frame's interface.

constexpr int kDefaultBorder = 3;  // the default frame's bevelled border
