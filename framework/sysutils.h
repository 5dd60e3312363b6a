// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text helpers and the error classes whose messages the user sees.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A text that is not the number it was meant to be.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Removes blanks and control characters (everything up to ' ') from both ends.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

// Reads a signed 32-bit integer: leading blanks skipped, an optional sign, then
// decimal digits or hexadecimal after "$" or "0x". Anything else, an empty
// text or a value outside the 32-bit range fails.
bool TryStrToInt(std::string_view text, int32_t& value);
// As TryStrToInt, throwing EConvertError "'<text>' is not a valid integer value".
int32_t StrToInt(std::string_view text);
// As TryStrToInt, giving `fallback` for a text that is not a number.
int32_t StrToIntDef(std::string_view text, int32_t fallback);

std::string IntToStr(int64_t value);
