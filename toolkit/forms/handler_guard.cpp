#include "toolkit/forms/handler_guard.h"

#include "toolkit/forms/deferred_error_box.h"
#include "toolkit/forms/tapplication.h"

#include <exception>

void callHandler(const TNotifyEvent &handler, TObject *sender) noexcept
{
    if (!handler)
        return;
    try {
        handler(sender);
    } catch (...) {
        TApplication::ShowCurrentException(std::current_exception());
    }
}

void callDuringPaint(const std::function<void()> &code) noexcept
{
    try {
        code();
    } catch (...) {
        showErrorBoxLater(std::current_exception());
    }
}
