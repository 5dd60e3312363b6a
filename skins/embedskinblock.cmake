# SPDX-License-Identifier: GPL-3.0-or-later
# Turns a compressed skin file (32-bit version, 32-bit length, the block)
# into a C++ source that defines DefaultSkinBlock() with the block's bytes.
#   cmake -DINPUT=<file> -DOUTPUT=<source.cpp> -P embedskinblock.cmake
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length LESS 20)
  message(FATAL_ERROR "${INPUT}: too short for a compressed skin file")
endif()
string(SUBSTRING "${hex}" 0 8 version)
if(NOT version STREQUAL "03000000")
  message(FATAL_ERROR "${INPUT}: the compressed skin file is not version 3")
endif()
# The length, little-endian, must be exactly the rest of the file.
string(SUBSTRING "${hex}" 8 8 length_hex)
string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" length_hex "${length_hex}")
math(EXPR block_length "0x${length_hex}")
math(EXPR expected_hex "(${block_length} + 8) * 2")
if(NOT hex_length EQUAL expected_hex)
  message(FATAL_ERROR "${INPUT}: the block length ${block_length} does not match the file")
endif()
string(SUBSTRING "${hex}" 16 -1 block)
if(NOT block MATCHES "^78da")
  message(FATAL_ERROR "${INPUT}: the block is not a zlib stream at level 9")
endif()
# 16 bytes (32 hex digits) a line.
set(bytes "")
string(LENGTH "${block}" block_hex_length)
set(at 0)
while(at LESS block_hex_length)
  string(SUBSTRING "${block}" ${at} 32 line)
  string(REGEX REPLACE "(..)" "0x\\1," line "${line}")
  string(APPEND bytes "  ${line}\n")
  math(EXPR at "${at} + 32")
endwhile()
file(WRITE ${OUTPUT}
"// Generated at build time from skins/default by skinpack; do not edit.
#include \"skins/defaultskinblock.h\"

namespace {
const uint8_t kBlock[${block_length}] = {
${bytes}};
}  // namespace

const std::vector<uint8_t>& DefaultSkinBlock() {
  static const std::vector<uint8_t> block(kBlock, kBlock + sizeof kBlock);
  return block;
}
")
