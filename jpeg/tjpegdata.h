#pragma once

#include "toolkit/core/memory_stream.h"
#include "toolkit/graphics/shared_image.h"

#include <cstdint>
#include <memory>

// The shared holder of one picture's JPEG bytes and the facts read from their
// header. Pictures that were assigned from one another hold references on the
// same holder, so the bytes exist once however many pictures show them.
//
// Once JpegStream holds bytes they are never replaced or changed: a picture
// that brings new bytes moves to a fresh holder first. Only a holder without
// JpegStream is filled in place, by the encoder.
class TJPEGData : public TSharedImage {
public:
    TJPEGData() = default;

    // The complete JPEG file, or none in a fresh holder. May exist with 0
    // bytes (an encode of an empty picture), which counts as holding bytes.
    std::unique_ptr<TMemoryStream> JpegStream;
    // From the header, or the size of the bitmap last encoded into the holder;
    // 0 in a fresh holder.
    std::int32_t ImageHeight = 0;
    std::int32_t ImageWidth = 0;
    // The held data is gray (header colour space, or encoded as gray).
    bool GrayscaleData = false;

protected:
    ~TJPEGData() override = default;
    // The holder owns no system handle.
    void FreeHandle() noexcept override {}
};

// Holds one reference on a holder for as long as it lives.
class ScopedDataReference {
public:
    explicit ScopedDataReference(TJPEGData *data) : m_data(data) { m_data->Reference(); }
    ~ScopedDataReference() { m_data->Release(); }
    ScopedDataReference(const ScopedDataReference &) = delete;
    ScopedDataReference &operator=(const ScopedDataReference &) = delete;

private:
    TJPEGData *m_data;
};
