#include "toolkit/text/unicode_services.h"

#include <unicode/ucnv.h>
#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>

#include <memory>

namespace {

// Runs one ICU call that writes into a buffer, once more with a buffer of
// the size it asked for when the first was too small. `call` takes the
// buffer, its capacity and the status, and returns the length needed.
// Gives `fallback` when ICU fails otherwise.
template<typename Call>
std::u16string withBuffer(std::u16string_view fallback, Call call)
{
    std::u16string out(fallback.size() + 16, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = call(out.data(), static_cast<int32_t>(out.size()), status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        out.assign(static_cast<std::size_t>(length), u'\0');
        status = U_ZERO_ERROR;
        length = call(out.data(), length, status);
    }
    if (U_FAILURE(status))
        return std::u16string(fallback);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

std::u16string normalized(const UNormalizer2 *form, std::u16string_view text)
{
    if (form == nullptr)
        return std::u16string(text);
    return withBuffer(text, [&](char16_t *out, int32_t capacity, UErrorCode &status) {
        return unorm2_normalize(form, text.data(), static_cast<int32_t>(text.size()), out, capacity, &status);
    });
}

struct ConverterCloser {
    void operator()(UConverter *converter) const noexcept { ucnv_close(converter); }
};

} // namespace

std::u16string UnicodeServices::foldAndCompose(std::u16string_view text)
{
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2 *decompose = unorm2_getNFDInstance(&status);
    const UNormalizer2 *compose = unorm2_getNFCInstance(&status);
    if (U_FAILURE(status))
        decompose = compose = nullptr;
    // Decomposed first: folding a composed letter and folding its
    // decomposed spelling can differ (a subscript iota, for one).
    const std::u16string decomposed = normalized(decompose, text);
    const std::u16string folded = withBuffer(decomposed, [&](char16_t *out, int32_t capacity, UErrorCode &status) {
        return u_strFoldCase(out, capacity, decomposed.data(), static_cast<int32_t>(decomposed.size()),
                             U_FOLD_CASE_DEFAULT, &status);
    });
    return normalized(compose, folded);
}

bool UnicodeServices::isWhiteSpace(char32_t c)
{
    return u_isUWhiteSpace(static_cast<UChar32>(c));
}

std::u16string UnicodeServices::ansiCodePageToUtf16(std::string_view bytes)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open("windows-1252", &status));
    if (U_FAILURE(status))
        return {};
    std::u16string out(bytes.size() * 2 + 1, u'\0');
    const int32_t length = ucnv_toUChars(converter.get(), out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                                         static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status))
        return {};
    out.resize(static_cast<std::size_t>(length));
    return out;
}
