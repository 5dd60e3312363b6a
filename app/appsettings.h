// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's settings file: $XDG_CONFIG_HOME/batch-renamer/settings.ini (or
// under ~/.config), an ini file of plain keys. Everything the program
// remembers across runs (the chosen skin, the preview switch, the numbering)
// is read and written here. A missing or damaged file reads as empty, never as an error;
// so does one that is no regular file or is over 1 MB, which is also never
// written (standard error says why, once).

#include <string>

// Where the settings live, from the environment at the time of the call.
std::string SettingsFilePath();

// The value of `key`, or `fallback` when the file or the key is missing or the file is damaged.
std::string ReadSetting(const std::string& file, const char* key, const std::string& fallback = {});
// Stores `value` under `key`, keeping the other keys.
void WriteSetting(const std::string& file, const char* key, const std::string& value);

// The list's preview of new names: "true" on; anything else, or no key, off.
constexpr const char* kPreviewSetting = "preview";
// The order the running numbers follow: NumberOrderKey's words ("name",
// "modified", "taken"); anything else, or no key, by name.
constexpr const char* kOrderSetting = "order";
// Zero padding of the running numbers: "true" on; anything else, or no key, off.
constexpr const char* kZeroPadSetting = "zeropad";
