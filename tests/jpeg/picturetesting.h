#pragma once

#include "jpeg/jpegsettings.h"
#include "jpeg/tjpegimage.h"
#include "tests/jpeg/reference/rasterimage.h"
#include "toolkit/graphics/bitmap.h"

#include <filesystem>
#include <memory>
#include <vector>

// Test helpers between the picture object and plain rasters.

// The bitmap's pixels as a top-down raster with its palette.
RasterImage rasterFromBitmap(TBitmap &bitmap);
// A bitmap holding the raster (24-bit, or 8-bit with its palette), rows
// top-down unless bottomUp.
std::unique_ptr<TBitmap> bitmapFromRaster(const RasterImage &image, bool bottomUp = false);

// A new picture loaded from a JPEG file's bytes through LoadFromStream.
std::unique_ptr<TJPEGImage> pictureFromBytes(const std::vector<unsigned char> &jpeg);
std::unique_ptr<TJPEGImage> pictureFromFile(const std::filesystem::path &path);
// The picture decoded (AssignTo a bitmap) as a raster.
RasterImage decodedRaster(TJPEGImage &picture);
// What SaveToStream writes.
std::vector<unsigned char> savedBytes(TJPEGImage &picture);

// Sets DefaultJPEGSettings for as long as it lives; the previous settings
// return on destruction.
class DefaultSettingsScope {
public:
    explicit DefaultSettingsScope(const TJPEGSettings &settings) : m_previous(DefaultJPEGSettings)
    {
        DefaultJPEGSettings = settings;
    }
    ~DefaultSettingsScope() { DefaultJPEGSettings = m_previous; }
    DefaultSettingsScope(const DefaultSettingsScope &) = delete;
    DefaultSettingsScope &operator=(const DefaultSettingsScope &) = delete;

private:
    TJPEGSettings m_previous;
};
