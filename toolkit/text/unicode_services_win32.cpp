#include "toolkit/text/unicode_services.h"

#include <windows.h>

#include <algorithm>

namespace {

const wchar_t *wide(std::u16string_view text)
{
    return reinterpret_cast<const wchar_t *>(text.data());
}

wchar_t *wide(std::u16string &text)
{
    return reinterpret_cast<wchar_t *>(text.data());
}

// Runs one Win32 call that writes into a buffer: first asks it for the
// length (a capacity of 0), then writes, with a larger buffer while the call
// says it is too small (NormalizeString's first answer is an estimate and
// its later ones too, as the negative of the length). `call` takes the
// buffer and its capacity and returns the length written or needed, 0 or
// less on failure; then the text is given back unchanged.
template<typename Call>
std::u16string withBuffer(std::u16string_view text, Call call)
{
    if (text.empty())
        return {};
    int capacity = call(nullptr, 0);
    for (int attempt = 0; capacity > 0 && attempt < 4; ++attempt) {
        std::u16string out(static_cast<std::size_t>(capacity), u'\0');
        const int length = call(wide(out), capacity);
        if (length > 0) {
            out.resize(static_cast<std::size_t>(length));
            return out;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
        capacity = length < 0 ? std::max(-length, capacity * 2) : capacity * 2;
    }
    return std::u16string(text);
}

std::u16string normalized(NORM_FORM form, std::u16string_view text)
{
    return withBuffer(text, [&](wchar_t *out, int capacity) {
        return ::NormalizeString(form, wide(text), static_cast<int>(text.size()), out, capacity);
    });
}

std::u16string mapped(DWORD flags, std::u16string_view text)
{
    return withBuffer(text, [&](wchar_t *out, int capacity) {
        return ::LCMapStringEx(LOCALE_NAME_INVARIANT, flags, wide(text), static_cast<int>(text.size()), out,
                               capacity, nullptr, nullptr, 0);
    });
}

} // namespace

std::u16string UnicodeServices::foldAndCompose(std::u16string_view text)
{
    // The system's file names ignore letter case by its upper-case mapping,
    // one code unit at a time; lower case after it gives keys that read
    // like the Linux build's folded ones.
    const std::u16string upper = mapped(LCMAP_UPPERCASE, normalized(NormalizationD, text));
    return normalized(NormalizationC, mapped(LCMAP_LOWERCASE, upper));
}

bool UnicodeServices::isWhiteSpace(char32_t c)
{
    if (c > 0xFFFF)
        return false;  // no white space lies beyond the first plane
    const wchar_t unit = static_cast<wchar_t>(c);
    WORD type = 0;
    return ::GetStringTypeW(CT_CTYPE1, &unit, 1, &type) && (type & C1_SPACE) != 0;
}

std::u16string UnicodeServices::ansiCodePageToUtf16(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int needed = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    if (needed <= 0)
        return {};
    std::u16string out(static_cast<std::size_t>(needed), u'\0');
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide(out), needed);
    out.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return out;
}
