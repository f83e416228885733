#include "jpeg/tjpegimage.h"

#include "jpeg/header_reader.h"
#include "jpeg/tjpegdata.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/memory_stream.h"
#include "toolkit/core/string_resources.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/display.h"

#include <limits>
#include <string>

TJPEGImage::TJPEGImage()
    : m_blockSmoothing(DefaultJPEGSettings.BlockSmoothing),
      m_grayscale(DefaultJPEGSettings.Grayscale),
      m_outputDepth(DefaultJPEGSettings.OutputDepth),
      m_quality(DefaultJPEGSettings.Quality),
      m_progressiveView(DefaultJPEGSettings.ProgressiveView),
      m_progressiveData(DefaultJPEGSettings.ProgressiveData),
      m_decodeSpeed(DefaultJPEGSettings.DecodeSpeed),
      m_decodeScale(DefaultJPEGSettings.DecodeScale)
{
    AttachNewData();
}

TJPEGImage::~TJPEGImage()
{
    m_ownedPalette.reset();
    m_decodedBitmap.reset();
    m_sharedData->Release();
}

TJPEGSettings TJPEGImage::Settings() const
{
    return {m_quality, m_grayscale, m_decodeSpeed, m_outputDepth, m_progressiveView, m_progressiveData, m_decodeScale, m_blockSmoothing};
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
    if (m_sharedData != nullptr)
        m_sharedData->Release();
    m_sharedData = fresh;
    m_outputSizeStale = true;
}

void TJPEGImage::MakeNewBitmap()
{
    m_decodedBitmap = std::make_unique<TBitmap>();
    m_bitmapFromBytes = false;
}

void TJPEGImage::DropBitmap()
{
    m_decodedBitmap.reset();
    m_bitmapFromBytes = false;
}

void TJPEGImage::LoadCompressed(std::int32_t count, TStream &stream)
{
    AttachNewData();
    DropBitmap();
    m_sharedData->JpegStream = std::make_unique<TMemoryStream>();
    TMemoryStream &bytes = *m_sharedData->JpegStream;
    bytes.ReadFrom(stream, count);
    if (count > 0) {
        bytes.SetPosition(0);
        const JpegHeaderFacts facts = ReadJpegHeader(bytes);
        m_sharedData->ImageWidth = facts.width;
        m_sharedData->ImageHeight = facts.height;
        m_sharedData->GrayscaleData = facts.grayscale;
        m_progressiveData = facts.multipleScans;
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
    TMemoryStream *bytes = m_sharedData->JpegStream.get();
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
    if (!m_sharedData->JpegStream)
        throw EAbort();
    TMemoryStream &bytes = *m_sharedData->JpegStream;
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
        if (picture->m_decodedBitmap) {
            copy = std::make_unique<TBitmap>();
            copy->Assign(picture->m_decodedBitmap.get());
        }
        picture->m_sharedData->Reference();
        m_sharedData->Release();
        m_sharedData = picture->m_sharedData;
        m_outputSizeStale = true;
        m_decodedBitmap = std::move(copy);
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
    m_decodedBitmap = bitmap ? std::move(bitmap) : std::make_unique<TBitmap>();
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
    if (m_sharedData->JpegStream && other->m_sharedData->JpegStream)
        return TGraphic::Equals(graphic);
    return m_sharedData == other->m_sharedData;
}

bool TJPEGImage::GetEmpty()
{
    return !m_sharedData->JpegStream && (!m_decodedBitmap || m_decodedBitmap->GetEmpty());
}

int TJPEGImage::GetWidth()
{
    if (m_decodedBitmap)
        return m_decodedBitmap->GetWidth();
    if (m_decodeScale == ScaleFull)
        return m_sharedData->ImageWidth;
    RecalcOutputSize();
    return m_cachedOutputWidth;
}

int TJPEGImage::GetHeight()
{
    if (m_decodedBitmap)
        return m_decodedBitmap->GetHeight();
    if (m_decodeScale == ScaleFull)
        return m_sharedData->ImageHeight;
    RecalcOutputSize();
    return m_cachedOutputHeight;
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
    if (m_decodedBitmap)
        return m_decodedBitmap->GetPalette();
    if (m_ownedPalette)
        return m_ownedPalette.get();
    if (m_outputDepth == Depth24) {
        if (displayBitsPerPixel() <= 8)
            m_ownedPalette.reset(CreateHalftonePalette(nullptr));
        return m_ownedPalette.get();
    }
    return nullptr;
}

void TJPEGImage::SetPalette(HPALETTE palette)
{
    if (palette == m_ownedPalette.get())
        return;
    refuseWhileBusy();
    // Only a bitmap that can be decoded again is dropped: pixels that came
    // from elsewhere would be lost.
    const bool differs = m_decodedBitmap && m_bitmapFromBytes && palette != m_decodedBitmap->GetPalette();
    // The bitmap's own palette stays the bitmap's: the picture keeps a copy,
    // so that no handle has two owners.
    const bool bitmapsOwn = m_decodedBitmap && palette != nullptr && palette == m_decodedBitmap->GetPalette();
    if (differs)
        DropBitmap();
    m_ownedPalette.reset(bitmapsOwn ? CopyPalette(palette) : palette);
    if (differs) {
        SetPaletteDirty(true);
        Changed(this);
    }
}

void TJPEGImage::LoadFromClipboardFormat(TClipboardFormat format, THandle data, HPALETTE palette)
{
    refuseWhileBusy();
    if (!m_decodedBitmap)
        MakeNewBitmap();
    m_decodedBitmap->LoadFromClipboardFormat(format, data, palette);
    m_bitmapFromBytes = false;
}

void TJPEGImage::SaveToClipboardFormat(TClipboardFormat &format, THandle &data, HPALETTE &palette)
{
    EnsureBitmap()->SaveToClipboardFormat(format, data, palette);
}
