#pragma once

#include "jpeg/jpeg_settings.h"
#include "jpeg/libjpeg.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/graphic.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

class TJPEGData;
struct CodecContext;

// A picture held as the bytes of a JPEG file. Width, height and emptiness
// come from the header without decoding; the pixels are decoded into a cached
// bitmap the first time the picture is drawn or copied, and a picture that
// holds only pixels encodes them when its bytes are asked for.
//
// States, by whether the shared holder has bytes and whether a decoded bitmap
// is held: Empty (neither), Compressed (bytes), Decoded (both), Pixels only
// (bitmap). Pictures assigned from one another share the holder, never the
// bitmap.
//
// While the picture decodes or encodes, its progress and change handlers run
// inside the codec call; from there the picture may be drawn or measured, but
// operations that would replace its data or bitmap (loading, Assign,
// SetPalette, a clipboard load) raise EInvalidGraphicOperation.
class TJPEGImage : public TGraphic {
public:
    static constexpr std::string_view StaticClassName = "TJPEGImage";

    // Empty, with a fresh holder and the settings of DefaultJPEGSettings.
    TJPEGImage();
    ~TJPEGImage() override;
    std::string ClassName() const override { return std::string(StaticClassName); }

    // From a TJPEGImage: shares its holder (no bytes copied) and copies its
    // bitmap, or drops the own bitmap when the source has none; the settings
    // stay. Assigning a picture to itself changes nothing. From a TBitmap: a
    // fresh holder and a copy of the pixels (Pixels only). Anything else goes
    // to TPersistent.
    void Assign(TPersistent *source) override;
    // As Assign from a TBitmap, but the picture takes the bitmap over instead
    // of copying its pixels: for a large picture that only passes through,
    // where a second copy would double the memory. nullptr gives an empty
    // bitmap.
    void AdoptBitmap(std::unique_ptr<TBitmap> bitmap);
    // Into a TBitmap: the decoded picture. Anything else goes to TPersistent.
    void AssignTo(TPersistent *dest) override;
    void Changed(TPersistent *sender) override;

    // Decodes on first use; an Empty picture draws nothing.
    void Draw(TCanvas &canvas, const TRect &rect) override;
    // Both pictures' holders have bytes: TGraphic's comparison of the bytes.
    // Otherwise: whether both use the same holder. Never equal to another class.
    bool Equals(TGraphic *graphic) override;

    bool GetEmpty() override;
    // The bitmap's size when one is held; else the header's size, reduced by
    // DecodeScale without decoding pixels. 0 without header facts.
    int GetWidth() override;
    int GetHeight() override;
    // Always refuse with EInvalidGraphicOperation "Cannot change the size of a
    // JPEG image"; nothing changes.
    void SetWidth(int value) override;
    void SetHeight(int value) override;

    // The bitmap's palette, else the palette the picture owns, else (24-bit
    // output on a display of 8 bits or fewer) a halftone palette made once.
    // Still owned by the picture or its bitmap.
    HPALETTE GetPalette() override;
    // The picture takes over palette (a copy, when it is the decoded bitmap's
    // own). Another palette than the bitmap's drops a decoded bitmap, so that
    // the next draw decodes against the new palette; pixels that were not
    // decoded from the held bytes (a bitmap's, the clipboard's) are kept.
    void SetPalette(HPALETTE palette) override;

    // Stored form: a signed 32-bit little-endian count N, then N JPEG bytes.
    // ReadData raises EReadError, keeping the picture as it was, when fewer
    // than 4 bytes remain, N is negative, or N exceeds what the stream holds.
    void ReadData(TStream &stream) override;
    // Writes the count and the bytes held (count 0 when there are none); does
    // not encode.
    void WriteData(TStream &stream) override;
    // The rest of the stream, from its position, is one JPEG file. A bad
    // header raises EJPEG; the bytes are kept without header facts.
    void LoadFromStream(TStream &stream) override;
    // Writes the JPEG file, encoding the bitmap first when no bytes are held.
    // A stream that takes fewer bytes raises EWriteError; an encode cancelled
    // by a progress handler raises EAbort and writes nothing.
    void SaveToStream(TStream &stream) override;

    // Loads into the bitmap (one is made when none is held); the bytes stay.
    void LoadFromClipboardFormat(TClipboardFormat format, THandle data, HPALETTE palette) override;
    // The decoded bitmap's clipboard save; an Empty picture saves an empty bitmap.
    void SaveToClipboardFormat(TClipboardFormat &format, THandle &data, HPALETTE &palette) override;

    // This picture's settings, as copied at construction (ProgressiveData is
    // refreshed by loading).
    TJPEGSettings Settings() const;
    // Read-only views of the state, for callers that must not trigger a decode.
    const TJPEGData *Data() const { return m_sharedData; }
    TBitmap *Bitmap() const { return m_decodedBitmap.get(); }

protected:
    // The held bitmap, decoding first if there is none. A decode failure
    // (EJPEG) propagates and leaves the partly filled bitmap held; a progress
    // handler's EAbort stops the decode quietly.
    TBitmap *EnsureBitmap();
    // Encodes the bitmap into the holder when it has no bytes. An encode that
    // is cancelled (EAbort from a progress handler) or fails moves this
    // picture to a fresh holder without bytes, keeps the bitmap, and leaves
    // the holder it shared with other pictures as it was; a failure propagates.
    void EnsureCompressed();

private:
    // Marks the picture busy for the length of a decode or encode; nests,
    // restoring the previous state.
    class BusyScope {
    public:
        explicit BusyScope(TJPEGImage &picture) : m_picture(picture), m_previous(picture.m_busy) { picture.m_busy = true; }
        ~BusyScope() { m_picture.m_busy = m_previous; }
        BusyScope(const BusyScope &) = delete;
        BusyScope &operator=(const BusyScope &) = delete;

    private:
        TJPEGImage &m_picture;
        bool m_previous;
    };

    void AttachNewData();
    void MakeNewBitmap();
    void DropBitmap();
    void LoadCompressed(std::int32_t count, TStream &stream);
    void refuseWhileBusy() const;

    // Decoding and encoding (tjpegimage_decoding.cpp, tjpegimage_encoding.cpp).
    void CompressBitmap();
    // Encodes the held, non-empty bitmap through context's destination.
    void encodeBitmap(CodecContext &context);
    void RecalcOutputSize();
    // Opens a decoding context on source (the held bytes) and applies the
    // settings; source must outlive the context's use.
    void PrepareDecoder(CodecContext &context, TStream &source);
    // Opens a decoder on the held bytes (PrepareDecoder) and hands it to use;
    // the bytes stay held until use returns.
    void withHeldBytesDecoder(const std::function<void(CodecContext &context)> &use);
    void decodeIntoBitmap(CodecContext &context);
    void endDecodeNotifications(std::uint8_t percent);
    HPALETTE PaletteFromColormap(j_decompress_ptr codec);
    void ColormapFromPalette(j_decompress_ptr codec, HPALETTE palette);

    TJPEGData *m_sharedData = nullptr; // one reference held; never null while the picture lives
    std::unique_ptr<TBitmap> m_decodedBitmap;
    std::int32_t m_cachedOutputWidth = 0;
    std::int32_t m_cachedOutputHeight = 0;
    UniquePalette m_ownedPalette;
    bool m_blockSmoothing;
    bool m_grayscale;
    TJPEGPixelFormat m_outputDepth;
    std::uint8_t m_quality;
    bool m_progressiveView;
    bool m_progressiveData;
    TJPEGPerformance m_decodeSpeed;
    TJPEGScale m_decodeScale;
    // The reduced-scale size cache needs refreshing (new data arrived).
    bool m_outputSizeStale = false;
    // The bitmap was decoded from the held bytes, so dropping it loses
    // nothing; pixels from a bitmap or the clipboard have no other copy.
    bool m_bitmapFromBytes = false;
    // A decode or encode of this picture is running.
    bool m_busy = false;
};
