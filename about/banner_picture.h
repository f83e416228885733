#pragma once

#include <cstddef>

// The About window's banner as the image control stores its picture: a
// 1-byte class-name length, the class name "TJPEGImage", a 4-byte
// little-endian count and the JPEG file's bytes. Generated at build time
// from about/banner/banner.jpg.
extern const unsigned char aboutBannerPicture[];
extern const std::size_t aboutBannerPictureSize;
