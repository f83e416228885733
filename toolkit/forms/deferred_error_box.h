#pragma once

#include <exception>

// Shows `error` the way the event loop does (TApplication::
// ShowCurrentException), once control is back in the loop rather than
// now: a modal box must not open inside a paint. Each backend defines it.
void showErrorBoxLater(std::exception_ptr error) noexcept;
