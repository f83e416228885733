#pragma once

// Letter case of ASCII letters only, whatever the locale: bytes of other
// scripts (UTF-8 sequences, 8-bit code pages) are never changed, so file
// names compare and sort the same on every machine.
constexpr unsigned char asciiUpper(unsigned char byte)
{
    return (byte >= 'a' && byte <= 'z') ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

constexpr unsigned char asciiLower(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}
