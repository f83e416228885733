#include "jpeg/pixel_order.h"

void useBlueGreenRedOutput(j_decompress_ptr cinfo)
{
    if (cinfo->out_color_space != JCS_GRAYSCALE)
        cinfo->out_color_space = JCS_EXT_BGR;
}

void useBlueGreenRedInput(j_compress_ptr cinfo)
{
    cinfo->in_color_space = JCS_EXT_BGR;
    cinfo->input_components = 3;
}
