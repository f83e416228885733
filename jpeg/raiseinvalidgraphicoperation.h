#pragma once

#include <string>

// Refuses an operation of a graphic: raises EInvalidGraphicOperation with
// exactly message.
[[noreturn]] void RaiseInvalidGraphicOperation(const std::string &message);
