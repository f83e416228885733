#include "jpeg/tjpegimage.h"

#include "jpeg/headerreader.h"
#include "jpeg/tjpegdata.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/memorystream.h"
#include "toolkit/core/stringresources.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/display.h"

#include <limits>
#include <string>

TJPEGImage::TJPEGImage()
    : BlockSmoothing(DefaultJPEGSettings.BlockSmoothing),
      Grayscale(DefaultJPEGSettings.Grayscale),
      OutputDepth(DefaultJPEGSettings.OutputDepth),
      Quality(DefaultJPEGSettings.Quality),
      ProgressiveView(DefaultJPEGSettings.ProgressiveView),
      ProgressiveData(DefaultJPEGSettings.ProgressiveData),
      DecodeSpeed(DefaultJPEGSettings.DecodeSpeed),
      DecodeScale(DefaultJPEGSettings.DecodeScale)
{
    AttachNewData();
}

TJPEGImage::~TJPEGImage()
{
    OwnedPalette.reset();
    DecodedBitmap.reset();
    SharedData->Release();
}

TJPEGSettings TJPEGImage::Settings() const
{
    return {Quality, Grayscale, DecodeSpeed, OutputDepth, ProgressiveView, ProgressiveData, DecodeScale, BlockSmoothing};
}

void TJPEGImage::refuseWhileBusy() const
{
    if (m_busy)
        throw EInvalidGraphicOperation("Cannot change a JPEG image while it is being decoded or encoded");
}

void TJPEGImage::AttachNewData()
{
    auto *fresh = new TJPEGData;
    fresh->Reference();
    if (SharedData != nullptr)
        SharedData->Release();
    SharedData = fresh;
    OutputSizeStale = true;
}

void TJPEGImage::MakeNewBitmap()
{
    DecodedBitmap = std::make_unique<TBitmap>();
    m_bitmapFromBytes = false;
}

void TJPEGImage::DropBitmap()
{
    DecodedBitmap.reset();
    m_bitmapFromBytes = false;
}

void TJPEGImage::LoadCompressed(std::int32_t count, TStream &stream)
{
    AttachNewData();
    DropBitmap();
    SharedData->JpegStream = std::make_unique<TMemoryStream>();
    TMemoryStream &bytes = *SharedData->JpegStream;
    bytes.ReadFrom(stream, count);
    if (count > 0) {
        bytes.SetPosition(0);
        const JpegHeaderFacts facts = ReadJpegHeader(bytes);
        SharedData->ImageWidth = facts.width;
        SharedData->ImageHeight = facts.height;
        SharedData->GrayscaleData = facts.grayscale;
        ProgressiveData = facts.multipleScans;
    }
    SetPaletteDirty(true);
    Changed(this);
}

void TJPEGImage::ReadData(TStream &stream)
{
    refuseWhileBusy();
    std::uint8_t countBytes[4] = {};
    if (stream.Read(countBytes, 4) != 4)
        throw EReadError("JPEG picture data ends before its 4-byte length");
    const auto count = static_cast<std::int32_t>(std::uint32_t{countBytes[0]} | std::uint32_t{countBytes[1]} << 8 |
                                                 std::uint32_t{countBytes[2]} << 16 | std::uint32_t{countBytes[3]} << 24);
    if (count < 0)
        throw EReadError("JPEG picture data announces a negative length (" + std::to_string(count) + ")");
    // Checked before anything is allocated: the count comes from the data.
    const std::int64_t remaining = stream.GetSize() - stream.GetPosition();
    if (count > remaining)
        throw EReadError("JPEG picture data announces " + std::to_string(count) + " bytes, but only " +
                         std::to_string(remaining < 0 ? 0 : remaining) + " follow");
    LoadCompressed(count, stream);
}

void TJPEGImage::WriteData(TStream &stream)
{
    TMemoryStream *bytes = SharedData->JpegStream.get();
    const auto count = static_cast<std::uint32_t>(bytes != nullptr ? bytes->GetSize() : 0);
    const std::uint8_t countBytes[4] = {static_cast<std::uint8_t>(count), static_cast<std::uint8_t>(count >> 8),
                                        static_cast<std::uint8_t>(count >> 16), static_cast<std::uint8_t>(count >> 24)};
    stream.WriteBuffer(countBytes, 4);
    if (count > 0)
        stream.WriteBuffer(bytes->Memory(), count);
}

void TJPEGImage::LoadFromStream(TStream &stream)
{
    refuseWhileBusy();
    const std::int64_t remaining = stream.GetSize() - stream.GetPosition();
    if (remaining > std::numeric_limits<std::int32_t>::max())
        throw EReadError("JPEG file of " + std::to_string(remaining) + " bytes is too large");
    LoadCompressed(static_cast<std::int32_t>(remaining < 0 ? 0 : remaining), stream);
}

void TJPEGImage::SaveToStream(TStream &stream)
{
    EnsureCompressed();
    // A progress handler cancelled the encode: nothing to write, and the
    // caller must not take the save for done.
    if (!SharedData->JpegStream)
        throw EAbort();
    TMemoryStream &bytes = *SharedData->JpegStream;
    stream.WriteBuffer(bytes.Memory(), bytes.GetSize());
}

void TJPEGImage::Assign(TPersistent *source)
{
    if (source == this)
        return;
    if (auto *picture = dynamic_cast<TJPEGImage *>(source)) {
        refuseWhileBusy();
        // Copy first: the source's bitmap must be read before anything of
        // ours is released.
        std::unique_ptr<TBitmap> copy;
        if (picture->DecodedBitmap) {
            copy = std::make_unique<TBitmap>();
            copy->Assign(picture->DecodedBitmap.get());
        }
        picture->SharedData->Reference();
        SharedData->Release();
        SharedData = picture->SharedData;
        OutputSizeStale = true;
        DecodedBitmap = std::move(copy);
        m_bitmapFromBytes = picture->m_bitmapFromBytes;
        return;
    }
    if (auto *bitmap = dynamic_cast<TBitmap *>(source)) {
        refuseWhileBusy();
        // The source may be our own bitmap: copy it before dropping ours.
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(bitmap);
        AdoptBitmap(std::move(copy));
        return;
    }
    TGraphic::Assign(source);
}

void TJPEGImage::AdoptBitmap(std::unique_ptr<TBitmap> bitmap)
{
    refuseWhileBusy();
    AttachNewData();
    DecodedBitmap = bitmap ? std::move(bitmap) : std::make_unique<TBitmap>();
    m_bitmapFromBytes = false;
}

void TJPEGImage::AssignTo(TPersistent *dest)
{
    if (auto *bitmap = dynamic_cast<TBitmap *>(dest)) {
        bitmap->Assign(EnsureBitmap());
        return;
    }
    TGraphic::AssignTo(dest);
}

void TJPEGImage::Changed(TPersistent *sender)
{
    TGraphic::Changed(sender);
}

void TJPEGImage::Draw(TCanvas &canvas, const TRect &rect)
{
    canvas.StretchDraw(rect, EnsureBitmap());
}

bool TJPEGImage::Equals(TGraphic *graphic)
{
    auto *other = dynamic_cast<TJPEGImage *>(graphic);
    if (other == nullptr)
        return false;
    if (SharedData->JpegStream && other->SharedData->JpegStream)
        return TGraphic::Equals(graphic);
    return SharedData == other->SharedData;
}

bool TJPEGImage::GetEmpty()
{
    return !SharedData->JpegStream && (!DecodedBitmap || DecodedBitmap->GetEmpty());
}

int TJPEGImage::GetWidth()
{
    if (DecodedBitmap)
        return DecodedBitmap->GetWidth();
    if (DecodeScale == ScaleFull)
        return SharedData->ImageWidth;
    RecalcOutputSize();
    return CachedOutputWidth;
}

int TJPEGImage::GetHeight()
{
    if (DecodedBitmap)
        return DecodedBitmap->GetHeight();
    if (DecodeScale == ScaleFull)
        return SharedData->ImageHeight;
    RecalcOutputSize();
    return CachedOutputHeight;
}

void TJPEGImage::SetWidth(int)
{
    throw EInvalidGraphicOperation(LoadResString(StringResource::cannotChangeJpegSize));
}

void TJPEGImage::SetHeight(int)
{
    throw EInvalidGraphicOperation(LoadResString(StringResource::cannotChangeJpegSize));
}

HPALETTE TJPEGImage::GetPalette()
{
    if (DecodedBitmap)
        return DecodedBitmap->GetPalette();
    if (OwnedPalette)
        return OwnedPalette.get();
    if (OutputDepth == Depth24) {
        if (displayBitsPerPixel() <= 8)
            OwnedPalette.reset(CreateHalftonePalette(nullptr));
        return OwnedPalette.get();
    }
    return nullptr;
}

void TJPEGImage::SetPalette(HPALETTE palette)
{
    if (palette == OwnedPalette.get())
        return;
    refuseWhileBusy();
    // Only a bitmap that can be decoded again is dropped: pixels that came
    // from elsewhere would be lost.
    const bool differs = DecodedBitmap && m_bitmapFromBytes && palette != DecodedBitmap->GetPalette();
    // The bitmap's own palette stays the bitmap's: the picture keeps a copy,
    // so that no handle has two owners.
    const bool bitmapsOwn = DecodedBitmap && palette != nullptr && palette == DecodedBitmap->GetPalette();
    if (differs)
        DropBitmap();
    OwnedPalette.reset(bitmapsOwn ? CopyPalette(palette) : palette);
    if (differs) {
        SetPaletteDirty(true);
        Changed(this);
    }
}

void TJPEGImage::LoadFromClipboardFormat(TClipboardFormat format, THandle data, HPALETTE palette)
{
    refuseWhileBusy();
    if (!DecodedBitmap)
        MakeNewBitmap();
    DecodedBitmap->LoadFromClipboardFormat(format, data, palette);
    m_bitmapFromBytes = false;
}

void TJPEGImage::SaveToClipboardFormat(TClipboardFormat &format, THandle &data, HPALETTE &palette)
{
    EnsureBitmap()->SaveToClipboardFormat(format, data, palette);
}
