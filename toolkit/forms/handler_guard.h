#pragma once

#include "toolkit/forms/tnotifyevent.h"

#include <functional>

// Runs code of ours that the platform calls from its event loop (a click
// handler, a paint). No exception may cross the platform's event loop, so
// whatever the code throws is caught here and shown in the application's
// error box; the loop then goes on. An empty handler does nothing.
void callHandler(const TNotifyEvent &handler, TObject *sender) noexcept;

// The same for code that runs while a control paints: a modal box must not
// open inside a paint, so the error box is shown once control is back in
// the loop.
void callDuringPaint(const std::function<void()> &code) noexcept;
