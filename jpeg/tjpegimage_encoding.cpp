// Encoding of a TJPEGImage: the held bitmap becomes the holder's JPEG bytes.

#include "jpeg/tjpegimage.h"

#include "jpeg/codec_context.h"
#include "jpeg/destination_manager.h"
#include "jpeg/pixel_order.h"
#include "jpeg/row_transfer.h"
#include "jpeg/tjpegdata.h"
#include "toolkit/core/exceptions.h"

void TJPEGImage::EnsureCompressed()
{
    if (!m_sharedData->JpegStream)
        CompressBitmap();
}

void TJPEGImage::CompressBitmap()
{
    BusyScope busy(*this);
    ScopedDataReference data(m_sharedData);
    ScopedCodecContext context;
    InitCompressContext(context.get(), this);
    j_compress_ptr codec = &context->codec.compress;
    // The bytes are written aside and reach the holder only when complete:
    // other pictures may share the holder, and none of them may ever see a
    // partial file.
    auto encoded = std::make_unique<TMemoryStream>();
    std::int32_t width = 0;
    std::int32_t height = 0;
    try {
        jpeg_stream_dest(codec, *encoded);
        if (m_decodedBitmap && m_decodedBitmap->GetWidth() != 0 && m_decodedBitmap->GetHeight() != 0) {
            width = m_decodedBitmap->GetWidth();
            height = m_decodedBitmap->GetHeight();
            encodeBitmap(context.get());
        }
    } catch (const EAbort &) {
        // A progress handler cancelled: the partial bytes are abandoned, the
        // bitmap stays.
        AttachNewData();
        return;
    } catch (...) {
        // Partial bytes are no JPEG file: they are abandoned too, so that a
        // later save encodes again instead of writing a broken file.
        AttachNewData();
        throw;
    }
    // A handler may have saved a picture sharing the holder meanwhile; filled
    // bytes are never replaced, so ours go to a holder of our own.
    if (m_sharedData->JpegStream)
        AttachNewData();
    m_sharedData->JpegStream = std::move(encoded);
    if (width != 0) {
        m_sharedData->ImageWidth = width;
        m_sharedData->ImageHeight = height;
        if (m_grayscale)
            m_sharedData->GrayscaleData = true;
        m_outputSizeStale = true;
    }
}

void TJPEGImage::encodeBitmap(CodecContext &context)
{
    j_compress_ptr codec = &context.codec.compress;
    codec->image_width = static_cast<JDIMENSION>(m_decodedBitmap->GetWidth());
    codec->image_height = static_cast<JDIMENSION>(m_decodedBitmap->GetHeight());
    // The colour space of the input must be known before the defaults,
    // which are chosen from it.
    useBlueGreenRedInput(codec);

    // A 24-bit bitmap is read in place: while the picture is busy nothing
    // may replace it, and a progress handler only draws it. Other formats
    // are read from a 24-bit copy, which is freed whatever happens.
    std::unique_ptr<TBitmap> converted;
    TBitmap *rowsToEncode = m_decodedBitmap.get();
    if (rowsToEncode->GetPixelFormat() != TPixelFormat::pf24bit) {
        converted = std::make_unique<TBitmap>();
        converted->Assign(m_decodedBitmap.get());
        converted->SetPixelFormat(TPixelFormat::pf24bit);
        rowsToEncode = converted.get();
    }

    callCodec(codec, [codec] { jpeg_set_defaults(codec); });
    codec->dct_method = JDCT_FLOAT;
    const int quality = m_quality;
    callCodec(codec, [codec, quality] { jpeg_set_quality(codec, quality, TRUE); });
    if (m_grayscale)
        callCodec(codec, [codec] { jpeg_set_colorspace(codec, JCS_GRAYSCALE); });
    if (m_progressiveData)
        callCodec(codec, [codec] { jpeg_simple_progression(codec); });
    RowTransfer rows(*rowsToEncode);

    NotifyProgress(this, TProgressStage::Starting, 0, false, TRect{}, std::string());
    try {
        callCodec(codec, [codec] { jpeg_start_compress(codec, TRUE); });
        rows.writeRows(codec);
        callCodec(codec, [codec] { jpeg_finish_compress(codec); });
    } catch (...) {
        NotifyProgress(this, TProgressStage::Ending, 0, false, TRect{}, std::string());
        throw;
    }
    NotifyProgress(this, TProgressStage::Ending, 100, false, TRect{}, std::string());
}
