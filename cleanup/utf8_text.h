#pragma once

#include <string>
#include <string_view>

// True when `text` is well-formed UTF-8: no stray continuation bytes, no
// truncated or overlong sequences, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text);

// The bytes of `text` as lower-case hexadecimal, two digits per byte.
std::string toHex(std::string_view text);

// The bytes that `hex` (two hexadecimal digits per byte) writes; false when
// it is not such text.
bool fromHex(std::string_view hex, std::string &bytes);
