#include "toolkit/forms/handler_guard.h"

#include "toolkit/forms/tapplication.h"

#include <QMetaObject>
#include <QCoreApplication>

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
        std::exception_ptr error = std::current_exception();
        if (QCoreApplication *application = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                application, [error] { TApplication::ShowCurrentException(error); },
                Qt::QueuedConnection);
        }
    }
}
