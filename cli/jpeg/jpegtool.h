#pragma once

#include "cli/jpeg/commandline.h"

#include <ostream>

// Runs one vorrel-jpeg command through the picture object: the options become
// DefaultJPEGSettings, a TJPEGImage does the decoding or encoding, a TBitmap
// reads or writes the BMP file. Returns the exit status: 0 on success, 1 when
// a file cannot be read, decoded, encoded or written, with one line on errors
// naming the file and the failure.
int runJpegTool(const JpegToolCommand &command, std::ostream &errors);
