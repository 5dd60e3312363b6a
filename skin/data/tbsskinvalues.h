// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value kinds of a skin description: how a key's text becomes a point,
// rectangle, colour, font style or one of the skin's enumerations, and how a
// value is written back. Pure functions, shared by every record reader.

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/talignment.h"
#include "framework/tcolor.h"
#include "framework/tfont.h"
#include "framework/trect.h"
#include "skin/draw/tbsskinkinds.h"

// Horizontal placement of a caption (the framework's order).
// What a frame button does; every unknown word means minimise to tray.
enum TbsStdCommand { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray };

// Every coordinate, size, offset and font height a skin gives is held within
// -kSkinValueLimit .. kSkinValueLimit when it is read: the X protocol's 16-bit
// range, far beyond any real skin, and small enough that sums, differences
// and products of two such values cannot overflow an int.
constexpr int32_t kSkinValueLimit = 32767;
int32_t ClampSkinValue(int64_t value);

// Decimal, "$hex" or "0xhex"; anything else gives `fallback`.
int32_t SkinIntegerValue(std::string_view text, int32_t fallback);
// An integer that is a measure (not a colour): SkinIntegerValue, clamped.
int32_t SkinMeasureValue(std::string_view text, int32_t fallback);
// True only for a text that reads as the integer 1.
bool SkinBooleanValue(std::string_view text);
// Only the digits of each comma-separated field count, so no coordinate is
// negative; a field without digits throws EConvertError. Clamped as above.
TPoint SkinPointValue(std::string_view text);
TRect SkinRectValue(std::string_view text);
TFontStyles SkinFontStyleValue(std::string_view text);
TAlignment SkinAlignmentValue(std::string_view text);
TbsImageEffect SkinImageEffectValue(std::string_view text);
TbsMorphKind SkinMorphKindValue(std::string_view text);
TbsStdCommand SkinCommandValue(std::string_view text);

std::string SkinPointText(const TPoint& p);
std::string SkinRectText(const TRect& r);
std::string SkinFontStyleText(TFontStyles style);
std::string SkinAlignmentText(TAlignment alignment);
std::string SkinImageEffectText(TbsImageEffect effect);
std::string SkinMorphKindText(TbsMorphKind kind);
std::string SkinCommandText(TbsStdCommand command);
