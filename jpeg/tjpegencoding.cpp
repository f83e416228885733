// Encoding of a TJPEGImage: the held bitmap becomes the holder's JPEG bytes.

#include "jpeg/tjpegimage.h"

#include "jpeg/codeccontext.h"
#include "jpeg/destinationmanager.h"
#include "jpeg/pixelorder.h"
#include "jpeg/rowtransfer.h"
#include "jpeg/tjpegdata.h"
#include "toolkit/core/exceptions.h"

void TJPEGImage::EnsureCompressed()
{
    if (!SharedData->JpegStream)
        CompressBitmap();
}

void TJPEGImage::CompressBitmap()
{
    BusyScope busy(*this);
    ScopedDataReference data(SharedData);
    ScopedCodecContext context;
    InitCompressContext(context.get(), this);
    j_compress_ptr codec = &context->codec.compress;
    try {
        SharedData->JpegStream = std::make_unique<TMemoryStream>();
        jpeg_stream_dest(codec, *SharedData->JpegStream);
        if (!DecodedBitmap || DecodedBitmap->GetWidth() == 0 || DecodedBitmap->GetHeight() == 0)
            return;

        codec->image_width = static_cast<JDIMENSION>(DecodedBitmap->GetWidth());
        codec->image_height = static_cast<JDIMENSION>(DecodedBitmap->GetHeight());
        SharedData->ImageWidth = DecodedBitmap->GetWidth();
        SharedData->ImageHeight = DecodedBitmap->GetHeight();
        OutputSizeStale = true;
        // The colour space of the input must be known before the defaults,
        // which are chosen from it.
        useBlueGreenRedInput(codec);

        // A 24-bit bitmap is read in place: while the picture is busy nothing
        // may replace it, and a progress handler only draws it. Other formats
        // are read from a 24-bit copy, which is freed whatever happens.
        std::unique_ptr<TBitmap> converted;
        TBitmap *rowsToEncode = DecodedBitmap.get();
        if (rowsToEncode->GetPixelFormat() != TPixelFormat::pf24bit) {
            converted = std::make_unique<TBitmap>();
            converted->Assign(DecodedBitmap.get());
            converted->SetPixelFormat(TPixelFormat::pf24bit);
            rowsToEncode = converted.get();
        }

        callCodec(codec, [codec] { jpeg_set_defaults(codec); });
        codec->dct_method = JDCT_FLOAT;
        const int quality = Quality;
        callCodec(codec, [codec, quality] { jpeg_set_quality(codec, quality, TRUE); });
        if (Grayscale) {
            SharedData->GrayscaleData = true;
            callCodec(codec, [codec] { jpeg_set_colorspace(codec, JCS_GRAYSCALE); });
        }
        if (ProgressiveData)
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
    } catch (const EAbort &) {
        // A progress handler cancelled: the partial bytes are abandoned, the
        // bitmap stays.
        AttachNewData();
    } catch (...) {
        // Partial bytes are no JPEG file: they are abandoned too, so that a
        // later save encodes again instead of writing a broken file.
        AttachNewData();
        throw;
    }
}
