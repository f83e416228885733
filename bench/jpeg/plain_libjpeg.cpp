#include "bench/jpeg/plain_libjpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace {

// Plain data crossed by longjmp: nothing with a destructor lives here.
struct JumpingErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void jumpOnError(j_common_ptr codec)
{
    std::longjmp(reinterpret_cast<JumpingErrorManager *>(codec->err)->jump, 1);
}

// Kept free of locals with destructors: after the jump only the error code is
// looked at. Returns 0 on success, else the library's message code.
int decodeInto(jpeg_decompress_struct *codec, JumpingErrorManager *errors, const std::vector<std::uint8_t> *jpeg,
               PlainPicture *picture)
{
    if (setjmp(errors->jump))
        return errors->pub.msg_code == 0 ? -1 : errors->pub.msg_code;
    jpeg_mem_src(codec, jpeg->data(), static_cast<unsigned long>(jpeg->size()));
    jpeg_read_header(codec, TRUE);
    codec->out_color_space = JCS_EXT_BGR;
    codec->dct_method = JDCT_FLOAT;
    codec->do_block_smoothing = TRUE;
    jpeg_start_decompress(codec);
    picture->width = static_cast<int>(codec->output_width);
    picture->height = static_cast<int>(codec->output_height);
    picture->bgr.resize(static_cast<std::size_t>(picture->width) * picture->height * 3);
    const std::size_t stride = static_cast<std::size_t>(picture->width) * 3;
    JSAMPROW rows[16];
    while (codec->output_scanline < codec->output_height) {
        const int wanted = std::min<int>(codec->rec_outbuf_height, 16);
        for (int i = 0; i < wanted; ++i) {
            const std::size_t row = std::min<std::size_t>(codec->output_scanline + i, codec->output_height - 1);
            rows[i] = picture->bgr.data() + row * stride;
        }
        jpeg_read_scanlines(codec, rows, static_cast<JDIMENSION>(wanted));
    }
    jpeg_finish_decompress(codec);
    return 0;
}

int encodeInto(jpeg_compress_struct *codec, JumpingErrorManager *errors, const PlainPicture *picture,
               unsigned char **output, unsigned long *outputSize)
{
    if (setjmp(errors->jump))
        return errors->pub.msg_code == 0 ? -1 : errors->pub.msg_code;
    jpeg_mem_dest(codec, output, outputSize);
    codec->image_width = static_cast<JDIMENSION>(picture->width);
    codec->image_height = static_cast<JDIMENSION>(picture->height);
    codec->input_components = 3;
    codec->in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(codec);
    codec->dct_method = JDCT_FLOAT;
    jpeg_set_quality(codec, 90, TRUE);
    jpeg_start_compress(codec, TRUE);
    const std::size_t stride = static_cast<std::size_t>(picture->width) * 3;
    std::vector<JSAMPROW> rows(static_cast<std::size_t>(picture->height));
    for (int y = 0; y < picture->height; ++y)
        rows[y] = const_cast<JSAMPROW>(picture->bgr.data() + y * stride);
    while (codec->next_scanline < codec->image_height)
        jpeg_write_scanlines(codec, rows.data() + codec->next_scanline, codec->image_height - codec->next_scanline);
    jpeg_finish_compress(codec);
    return 0;
}

} // namespace

PlainPicture plainDecode(const std::vector<std::uint8_t> &jpeg)
{
    PlainPicture picture;
    JumpingErrorManager errors{};
    jpeg_decompress_struct codec{};
    codec.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = jumpOnError;
    jpeg_create_decompress(&codec);
    const int failure = decodeInto(&codec, &errors, &jpeg, &picture);
    jpeg_destroy_decompress(&codec);
    if (failure != 0)
        throw std::runtime_error("plain decode failed with code " + std::to_string(failure));
    return picture;
}

std::vector<std::uint8_t> plainEncode(const PlainPicture &picture)
{
    JumpingErrorManager errors{};
    jpeg_compress_struct codec{};
    codec.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = jumpOnError;
    jpeg_create_compress(&codec);
    unsigned char *output = nullptr;
    unsigned long outputSize = 0;
    const int failure = encodeInto(&codec, &errors, &picture, &output, &outputSize);
    jpeg_destroy_compress(&codec);
    std::unique_ptr<unsigned char, decltype(&std::free)> owned(output, &std::free);
    if (failure != 0)
        throw std::runtime_error("plain encode failed with code " + std::to_string(failure));
    return {output, output + outputSize};
}
