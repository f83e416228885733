#include "jpeg/codec_guard.h"

#include <cstdio>
#include <cstdlib>

namespace codec_detail {

namespace {

// Kept out of runGuarded so that the frame holding setjmp has no handler
// and no objects of its own beyond plain data.
void invokeCatching(Thunk thunk, void *call, std::exception_ptr &failure) noexcept
{
    try {
        thunk(call);
    } catch (...) {
        failure = std::current_exception();
    }
}

JumpTarget *targetOf(j_common_ptr cinfo) noexcept
{
    return static_cast<JumpTarget *>(cinfo->client_data);
}

[[noreturn]] void unguardedCallback() noexcept
{
    std::fputs("vorrel: the JPEG library reported a failure outside a guarded call\n", stderr);
    std::abort();
}

} // namespace

void runGuarded(j_common_ptr cinfo, Thunk thunk, void *call, std::exception_ptr &failure) noexcept
{
    // Neither target nor previous changes after setjmp, so both keep their
    // values when a callback jumps back here.
    JumpTarget target;
    target.failure = &failure;
    void *const previous = cinfo->client_data;
    cinfo->client_data = &target;
    if (setjmp(target.buffer) == 0)
        invokeCatching(thunk, call, failure);
    cinfo->client_data = previous;
}

void storeCurrentFailure(j_common_ptr cinfo) noexcept
{
    JumpTarget *target = targetOf(cinfo);
    if (target == nullptr)
        unguardedCallback();
    *target->failure = std::current_exception();
}

void jumpToGuard(j_common_ptr cinfo) noexcept
{
    JumpTarget *target = targetOf(cinfo);
    if (target == nullptr)
        unguardedCallback();
    std::longjmp(target->buffer, 1);
}

} // namespace codec_detail
