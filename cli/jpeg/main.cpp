// vorrel-jpeg: decodes a JPEG file into a BMP file, or encodes a BMP file as
// JPEG, through the same picture object that the application uses.

#include "cli/jpeg/commandline.h"
#include "cli/jpeg/jpegtool.h"

#include <iostream>

int main(int argc, char **argv)
{
    JpegToolCommand command;
    try {
        command = parseJpegToolCommand(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const UsageError &error) {
        std::cerr << "vorrel-jpeg: " << error.what() << "\n" << jpegToolUsage();
        return 2;
    }
    return runJpegTool(command, std::cerr);
}
