#include "toolkit/forms/deferred_error_box.h"

#include "toolkit/forms/tapplication.h"

#include <QCoreApplication>
#include <QMetaObject>

void showErrorBoxLater(std::exception_ptr error) noexcept
{
    if (QCoreApplication *application = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            application, [error] { TApplication::ShowCurrentException(error); }, Qt::QueuedConnection);
    }
}
