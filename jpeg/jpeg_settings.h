#pragma once

#include <cstdint>

// The choices that steer one picture's decoding and encoding.

enum TJPEGPerformance : std::uint8_t {
    FavourQuality = 0, // floating-point transform, two-pass quantization, Floyd-Steinberg dithering
    FavourSpeed = 1,   // fast integer transform, one-pass quantization, ordered dithering
};

enum TJPEGPixelFormat : std::uint8_t {
    Depth24 = 0, // 24 bits per pixel
    Depth8 = 1,  // 8 bits per pixel with a palette of at most 236 colours
};

// Decoded size 1/1, 1/2, 1/4 or 1/8: the scale denominator is 2 to this power.
enum TJPEGScale : std::uint8_t {
    ScaleFull = 0,
    ScaleHalf = 1,
    ScaleQuarter = 2,
    ScaleEighth = 3,
};

struct TJPEGSettings {
    std::uint8_t Quality = 90;              // encoder quality; the codec clamps it into 1..100
    bool Grayscale = false;                 // decode to gray levels only; encode gray data
    TJPEGPerformance DecodeSpeed = FavourQuality;
    TJPEGPixelFormat OutputDepth = Depth24; // AdaptDefaultsToDisplay sets it at start-up
    bool ProgressiveView = false;           // show interim passes of data with several scans
    bool ProgressiveData = false;           // encode progressive data; after loading: the data has several scans
    TJPEGScale DecodeScale = ScaleFull;
    bool BlockSmoothing = true;             // the codec's block smoothing of incomplete progressive data
};

// The process-wide defaults that every new picture copies at construction.
// Changing them affects only pictures made afterwards.
extern TJPEGSettings DefaultJPEGSettings;

// Output depth for the display: Depth8 on a display of 8 bits per pixel or
// fewer (so that decoded pictures come with their own palette), else Depth24.
// Writes DefaultJPEGSettings.OutputDepth; called once at start-up.
void AdaptDefaultsToDisplay();
