#pragma once

#include "jpeg/libjpeg.h"

// The error manager image that every codec object gets a copy of:
// - error_exit raises EJPEG "JPEG error #<msg_code>" out of the running
//   callCodec (see codec_guard.h) and never returns to the library;
// - emit_message, output_message and format_message do nothing: warnings and
//   trace messages are dropped, and no message text is ever formatted;
// - reset_error_mgr sets msg_code and num_warnings to 0.
// Every other field is zero. Never modified.
extern const jpeg_error_mgr ErrorManagerTemplate;
