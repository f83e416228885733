// Decoding of a TJPEGImage: decoder set-up from the picture's settings, the
// decode into the cached bitmap with progress and progressive view, the
// palette exchange with the codec's colour map and the reduced-size cache.

#include "jpeg/tjpegimage.h"

#include "jpeg/byte_view_stream.h"
#include "jpeg/codec_context.h"
#include "jpeg/ejpeg.h"
#include "jpeg/pixel_order.h"
#include "jpeg/row_transfer.h"
#include "jpeg/source_manager.h"
#include "jpeg/tjpegdata.h"

#include <algorithm>

namespace {

// Colours in the palette of an 8-bit decode; the rest of 256 stay free for
// the system's own colours.
constexpr int decodedPaletteColours = 236;

bool isGrayOutput(j_decompress_ptr codec)
{
    return codec->out_color_space == JCS_GRAYSCALE;
}

// The held bytes as a stream of their own (see ByteViewStream): reading moves
// no position that another picture sharing the holder relies on.
ByteViewStream viewOfBytes(TJPEGData &data)
{
    TMemoryStream &bytes = *data.JpegStream;
    return ByteViewStream(bytes.Memory(), bytes.GetSize());
}

// A header may announce far more pixels than its data could ever fill (up to
// 65500 x 65500). Such output could not be held by a bitmap anyway; refusing
// it before the codec allocates its working memory keeps a small bad file
// from exhausting memory and time.
void refuseOversizedOutput(j_decompress_ptr codec)
{
    callCodec(codec, [codec] { jpeg_calc_output_dimensions(codec); });
    const std::int64_t bytesPerPixel = codec->quantize_colors ? 1 : codec->out_color_components;
    const std::int64_t rowBytes = (std::int64_t{codec->output_width} * bytesPerPixel + 3) & ~std::int64_t{3};
    if (rowBytes * codec->output_height > TBitmap::maxPixelBytes)
        raiseJpegError(JERR_IMAGE_TOO_BIG);
}

} // namespace

void TJPEGImage::PrepareDecoder(CodecContext &context, TStream &source)
{
    InitDecompressContext(context, this);
    j_decompress_ptr codec = &context.codec.decompress;
    source.SetPosition(0);
    jpeg_stream_src(codec, source);
    callCodec(codec, [codec] { return jpeg_read_header(codec, TRUE); });
    useBlueGreenRedOutput(codec);

    codec->scale_num = 1;
    codec->scale_denom = 1u << m_decodeScale;
    codec->do_block_smoothing = m_blockSmoothing;
    if (m_grayscale)
        codec->out_color_space = JCS_GRAYSCALE;
    if (m_outputDepth == Depth8 || isGrayOutput(codec)) {
        codec->quantize_colors = TRUE;
        codec->desired_number_of_colors = decodedPaletteColours;
    }
    if (m_decodeSpeed == FavourSpeed) {
        codec->dct_method = JDCT_IFAST;
        codec->two_pass_quantize = FALSE;
        codec->dither_mode = JDITHER_ORDERED;
    } else {
        codec->dct_method = JDCT_FLOAT;
    }
    context.savedDctMethod = codec->dct_method;
    context.savedTwoPassQuantize = codec->two_pass_quantize != FALSE;
    context.savedDitherMode = codec->dither_mode;

    if (m_progressiveView && callCodec(codec, [codec] { return jpeg_has_multiple_scans(codec); })) {
        // Interim passes are fast and one-pass; the final pass gets the saved
        // choices back. The library must know before jpeg_start_decompress
        // that a two-pass quantizer will be wanted later.
        codec->enable_2pass_quant = codec->two_pass_quantize;
        codec->dct_method = JDCT_IFAST;
        codec->two_pass_quantize = FALSE;
        codec->dither_mode = JDITHER_ORDERED;
        codec->buffered_image = TRUE;
    }
}

TBitmap *TJPEGImage::EnsureBitmap()
{
    if (m_decodedBitmap)
        return m_decodedBitmap.get();
    MakeNewBitmap();
    // An Empty picture has nothing to decode: it shows an empty bitmap.
    if (!m_sharedData->JpegStream)
        return m_decodedBitmap.get();
    m_bitmapFromBytes = true;

    BusyScope busy(*this);
    withHeldBytesDecoder([this](CodecContext &context) {
        refuseOversizedOutput(&context.codec.decompress);
        try {
            decodeIntoBitmap(context);
        } catch (const EAbort &) {
            // A progress handler cancelled: the partly decoded bitmap stays.
        }
    });
    return m_decodedBitmap.get();
}

void TJPEGImage::withHeldBytesDecoder(const std::function<void(CodecContext &context)> &use)
{
    // Holds the bytes for as long as the decoder reads them, whatever a
    // progress handler does to the picture meanwhile.
    ScopedDataReference data(m_sharedData);
    ByteViewStream bytes = viewOfBytes(*m_sharedData);
    ScopedCodecContext context;
    PrepareDecoder(context.get(), bytes);
    use(context.get());
}

void TJPEGImage::endDecodeNotifications(std::uint8_t percent)
{
    NotifyProgress(this, TProgressStage::Ending, percent, GetPaletteDirty(), TRect{}, std::string());
    if (GetPaletteDirty())
        Changed(this);
}

void TJPEGImage::decodeIntoBitmap(CodecContext &context)
{
    j_decompress_ptr codec = &context.codec.decompress;
    TBitmap &bitmap = *m_decodedBitmap;
    bool paletteFromDecoder = true;
    const bool eightBit = m_outputDepth == Depth8 || isGrayOutput(codec);
    bitmap.SetHandle(nullptr);
    bitmap.SetPixelFormat(eightBit ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);

    NotifyProgress(this, TProgressStage::Starting, 0, false, TRect{}, std::string());
    try {
        if (m_ownedPalette) {
            if (m_outputDepth == Depth24) {
                m_ownedPalette.reset();
            } else if (!isGrayOutput(codec)) {
                // The codec maps colour output to the picture's palette. Gray
                // output cannot use a colour map (the codec would quietly
                // drop it), so gray keeps the decoder's gray levels.
                ColormapFromPalette(codec, m_ownedPalette.get());
                bitmap.SetPalette(CopyPalette(m_ownedPalette.get()));
                paletteFromDecoder = false;
            }
        }
        callCodec(codec, [codec] { return jpeg_start_decompress(codec); });

        bitmap.SetHandle(nullptr);
        bitmap.SetSize(static_cast<int>(codec->output_width), static_cast<int>(codec->output_height));
        RowTransfer rows(bitmap);
        bool paletteShown = false;

        if (codec->buffered_image) {
            // Every input step short of the end is shown as a whole pass.
            for (;;) {
                if (callCodec(codec, [codec] { return jpeg_consume_input(codec); }) == JPEG_REACHED_EOI)
                    break;
                callCodec(codec, [codec] { return jpeg_start_output(codec, codec->input_scan_number); });
                if (context.progress.completed_passes == 0 && codec->colormap != nullptr && eightBit &&
                    paletteFromDecoder) {
                    bitmap.SetPalette(PaletteFromColormap(codec));
                    SetPaletteDirty(true);
                    paletteShown = true;
                }
                rows.readRows(codec);
                callCodec(codec, [codec] { return jpeg_finish_output(codec); });
            }
            codec->dct_method = context.savedDctMethod;
            codec->dither_mode = context.savedDitherMode;
            if (context.savedTwoPassQuantize && paletteFromDecoder) {
                // Without clearing the colour map the library keeps the
                // one-pass cube of the interim passes. A palette imposed on
                // the decoder stays the colour map: the bitmap shows it.
                codec->two_pass_quantize = TRUE;
                codec->colormap = nullptr;
            }
            callCodec(codec, [codec] { return jpeg_start_output(codec, codec->input_scan_number); });
        }
        // The final pass's colour map, when it is new: always without interim
        // passes, after a two-pass quantizer's histogram pass, and when no
        // interim pass happened to show one.
        if ((!codec->buffered_image || context.savedTwoPassQuantize || !paletteShown) && codec->colormap != nullptr &&
            paletteFromDecoder) {
            bitmap.SetPalette(PaletteFromColormap(codec));
            SetPaletteDirty(true);
        }
        rows.readRows(codec);
        if (codec->buffered_image)
            callCodec(codec, [codec] { return jpeg_finish_output(codec); });
        callCodec(codec, [codec] { return jpeg_finish_decompress(codec); });
    } catch (...) {
        endDecodeNotifications(0);
        throw;
    }
    endDecodeNotifications(100);
}

HPALETTE TJPEGImage::PaletteFromColormap(j_decompress_ptr codec)
{
    LOGPALETTE description;
    const int colours = std::clamp(codec->actual_number_of_colors, 0, maxPaletteEntries);
    description.palVersion = 0x300;
    description.palNumEntries = static_cast<std::uint16_t>(colours);
    const bool gray = isGrayOutput(codec);
    for (int i = 0; i < colours; ++i) {
        PALETTEENTRY &entry = description.palPalEntry[i];
        if (gray) {
            entry.peRed = entry.peGreen = entry.peBlue = codec->colormap[0][i];
        } else {
            entry.peRed = codec->colormap[2][i];
            entry.peGreen = codec->colormap[1][i];
            entry.peBlue = codec->colormap[0][i];
        }
        entry.peFlags = 0;
    }
    return CreatePalette(&description);
}

void TJPEGImage::ColormapFromPalette(j_decompress_ptr codec, HPALETTE palette)
{
    PALETTEENTRY entries[maxPaletteEntries];
    const unsigned count = GetPaletteEntries(palette, 0, maxPaletteEntries, entries);
    if (count == 0)
        return;
    j_common_ptr common = reinterpret_cast<j_common_ptr>(codec);
    JSAMPARRAY colormap = callCodec(common, [common, count] {
        return (*common->mem->alloc_sarray)(common, JPOOL_IMAGE, count, 3);
    });
    for (unsigned i = 0; i < count; ++i) {
        colormap[2][i] = entries[i].peRed;
        colormap[1][i] = entries[i].peGreen;
        colormap[0][i] = entries[i].peBlue;
    }
    codec->colormap = colormap;
    codec->actual_number_of_colors = static_cast<int>(count);
}

void TJPEGImage::RecalcOutputSize()
{
    if (!m_outputSizeStale)
        return;
    if (!m_sharedData->JpegStream || m_sharedData->ImageWidth == 0) {
        // No header facts: nothing to scale.
        m_cachedOutputWidth = 0;
        m_cachedOutputHeight = 0;
        m_outputSizeStale = false;
        return;
    }
    withHeldBytesDecoder([this](CodecContext &context) {
        j_decompress_ptr codec = &context.codec.decompress;
        codec->progress = nullptr;
        callCodec(codec, [codec] { jpeg_calc_output_dimensions(codec); });
        m_cachedOutputWidth = static_cast<std::int32_t>(codec->output_width);
        m_cachedOutputHeight = static_cast<std::int32_t>(codec->output_height);
        m_progressiveData = callCodec(codec, [codec] { return jpeg_has_multiple_scans(codec); }) != FALSE;
    });
    m_outputSizeStale = false;
}
