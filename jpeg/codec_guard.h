#pragma once

// How exceptions cross the JPEG library.
//
// The library is C: an exception must not unwind through its frames. So every
// library call that can fail, or can reach one of our callbacks, goes through
// callCodec:
//
//     int status = callCodec(&context.codec.common, [&] { return jpeg_read_header(&context.codec.decompress, TRUE); });
//
// callCodec arms a jump target (setjmp) and points the codec object's
// client_data at it. A callback that fails (error_exit, a stream that throws,
// a progress handler that throws EAbort) catches the exception in its own
// frame, stores it as a std::exception_ptr, leaves the catch block, and then
// longjmps back into callCodec, which rethrows it. The caller therefore sees
// the original exception (EJPEG, EAbort, EReadError, ...) and the codec object
// stays destroyable; after a failure the only thing to do with it is to
// destroy it (ReleaseContext).
//
// Contract for the callable handed to callCodec:
// - It is called once. It may return nothing or a trivially copyable value
//   (int, boolean, JDIMENSION), which callCodec returns.
// - The jump skips its frame: it must not create objects with non-trivial
//   destructors (no std::string, no containers, no smart pointers, no
//   temporaries of such types). Call library functions with plain arguments,
//   prepared outside the callable, and nothing else.
// - It may itself use callCodec (the bridge's own functions do); each level
//   rethrows into the one above.
//
// The bridge owns client_data of every codec object it drives. A library
// callback that fails while no callCodec is running on its codec object is a
// programming error: the program stops with a message instead of unwinding
// through C.

#include "jpeg/libjpeg.h"

#include <csetjmp>
#include <exception>
#include <memory>
#include <type_traits>

namespace codec_detail {

// The jump target of one guarded call. Plain data that lives in the frame of
// runGuarded while the call runs; nothing with a destructor may be added to
// it. The failure it points to lives in callCodec's frame, outside the jump.
struct JumpTarget {
    std::jmp_buf buffer;
    std::exception_ptr *failure;
};

using Thunk = void (*)(void *call);

// Runs thunk(call) with a jump target armed on cinfo. Never throws: a failure
// that a callback stored, or an exception that the thunk threw directly, is
// left in failure. cinfo->client_data is restored before returning.
void runGuarded(j_common_ptr cinfo, Thunk thunk, void *call, std::exception_ptr &failure) noexcept;

// Stores the exception being handled as the failure of the guarded call
// running on cinfo. Only for use inside a catch block of a callback.
void storeCurrentFailure(j_common_ptr cinfo) noexcept;

// Returns to the guarded call running on cinfo. The caller's frame must hold
// no object with a non-trivial destructor, and must not be inside a catch block.
[[noreturn]] void jumpToGuard(j_common_ptr cinfo) noexcept;

// For library callbacks: runs body; an exception from it is stored for the
// guarded call and false is returned, so that the callback can leave its
// frame's catch handling behind and then jumpToGuard. True when body returned.
template <class Body>
bool runCallbackBody(j_common_ptr cinfo, Body &&body) noexcept
{
    try {
        body();
        return true;
    } catch (...) {
        storeCurrentFailure(cinfo);
    }
    return false;
}

} // namespace codec_detail

template <class Call>
auto callCodec(j_common_ptr cinfo, Call &&call) -> decltype(call())
{
    using Result = decltype(call());
    using Callable = std::remove_reference_t<Call>;
    static_assert(std::is_void_v<Result> || std::is_trivially_copyable_v<Result>,
                  "a guarded codec call returns nothing or plain data");
    std::exception_ptr failure;
    if constexpr (std::is_void_v<Result>) {
        void *callable = const_cast<void *>(static_cast<const void *>(std::addressof(call)));
        codec_detail::runGuarded(cinfo, [](void *p) { (*static_cast<Callable *>(p))(); }, callable, failure);
        if (failure)
            std::rethrow_exception(failure);
    } else {
        struct Frame {
            Callable *call;
            Result result;
        } frame{std::addressof(call), Result{}};
        codec_detail::runGuarded(
            cinfo, [](void *p) {
                auto *f = static_cast<Frame *>(p);
                f->result = (*f->call)();
            },
            &frame, failure);
        if (failure)
            std::rethrow_exception(failure);
        return frame.result;
    }
}

template <class Call>
auto callCodec(j_decompress_ptr cinfo, Call &&call) -> decltype(call())
{
    return callCodec(reinterpret_cast<j_common_ptr>(cinfo), std::forward<Call>(call));
}

template <class Call>
auto callCodec(j_compress_ptr cinfo, Call &&call) -> decltype(call())
{
    return callCodec(reinterpret_cast<j_common_ptr>(cinfo), std::forward<Call>(call));
}
