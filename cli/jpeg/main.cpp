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
    if (command.mode == JpegToolMode::Help || command.mode == JpegToolMode::Version) {
        std::cout << (command.mode == JpegToolMode::Help ? jpegToolUsage() : VORREL_VERSION "\n");
        return std::cout.flush() ? 0 : 1;
    }
    return runJpegTool(command, std::cerr);
}
