#include "jpeg/error_manager.h"

#include "jpeg/codec_guard.h"
#include "jpeg/ejpeg.h"

namespace {

void errorExit(j_common_ptr cinfo) noexcept
{
    const int code = cinfo->err->msg_code;
    codec_detail::runCallbackBody(cinfo, [code] { raiseJpegError(code); });
    codec_detail::jumpToGuard(cinfo);
}

void emitMessage(j_common_ptr, int) noexcept
{
}

void outputMessage(j_common_ptr) noexcept
{
}

void formatMessage(j_common_ptr, char *) noexcept
{
}

void resetErrorManager(j_common_ptr cinfo) noexcept
{
    cinfo->err->msg_code = 0;
    cinfo->err->num_warnings = 0;
}

} // namespace

// Constant-initialised, so that it is complete before any code runs.
const jpeg_error_mgr ErrorManagerTemplate = {
    .error_exit = errorExit,
    .emit_message = emitMessage,
    .output_message = outputMessage,
    .format_message = formatMessage,
    .reset_error_mgr = resetErrorManager,
    .msg_code = 0,
    .msg_parm = {},
    .trace_level = 0,
    .num_warnings = 0,
    .jpeg_message_table = nullptr,
    .last_jpeg_message = 0,
    .addon_message_table = nullptr,
    .first_addon_message = 0,
    .last_addon_message = 0,
};
