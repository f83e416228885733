// Writes the fuzzing seed corpus: small JPEG files of photo-like and gray
// pictures, baseline and progressive, encoded through the picture object.
//
//   vorrel-fuzz-seeds FOLDER

#include "synthetic/synthetic_photo.h"
#include "jpeg/jpeg_settings.h"
#include "jpeg/tjpegimage.h"
#include "toolkit/graphics/bitmap.h"

#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: vorrel-fuzz-seeds FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    int written = 0;
    for (const auto &[width, height] : {std::pair{1, 1}, std::pair{17, 9}, std::pair{64, 48}, std::pair{303, 93}}) {
        for (int variant = 0; variant < 4; ++variant) {
            TJPEGSettings settings;
            settings.ProgressiveData = variant & 1;
            settings.Grayscale = variant & 2;
            settings.Quality = static_cast<std::uint8_t>(50 + 15 * variant);
            DefaultJPEGSettings = settings;
            TBitmap bitmap;
            bitmap.SetSize(width, height);
            for (int y = 0; y < height; ++y)
                fillSyntheticPhotoRow(width, height, y, static_cast<std::uint32_t>(variant), bitmap.GetScanline(y));
            TJPEGImage picture;
            picture.Assign(&bitmap);
            picture.SaveToFile(folder + "/seed-" + std::to_string(width) + "x" + std::to_string(height) + "-" +
                               std::to_string(variant) + ".jpg");
            ++written;
        }
    }
    std::cout << written << " seeds written to " << folder << "\n";
    return 0;
}
