// vorrel-scan: the scan from the command line. Prints the report the results
// box would show, or with --json a document with the details.

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/scan/scan_arguments.h"
#include "cli/scan/scan_json.h"
#include "scan/scan_details.h"

namespace {
constexpr int usageErrorExit = 2;
constexpr int outputErrorExit = 1;
}

int main(int argc, char **argv)
{
    const std::string program = "vorrel-scan";
    std::string error;
    const std::optional<ScanArguments> arguments =
        parseScanArguments(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), error);
    if (!arguments) {
        std::cerr << program << ": " << error << '\n' << scanUsage(program) << '\n';
        return usageErrorExit;
    }
    if (arguments->help) {
        std::cout << scanUsage(program) << "\n\n"
                  << "Lists the .ogg files of AUDIO_FOLDER that no .sch scheme of SCHEMES_FOLDER uses.\n"
                  << "  --schemes-subfolders  read the schemes of all subfolders too\n"
                  << "  --audio-subfolders    collect the audio of all subfolders too\n"
                  << "  --json                print the details as one JSON document\n"
                  << "Relative folders are taken from the current folder. Exit status: 0 when the\n"
                  << "scan ran (whatever it found), 2 on a usage error.\n";
        return std::cout.flush() ? 0 : outputErrorExit;
    }

    const ScanDetails details = runScanDetailed(arguments->request);
    if (arguments->json) {
        std::cout << dumpScanJson(scanToJson(*arguments, details, FileSystem::posix())) << '\n';
    } else {
        for (const std::string &line : details.lines)
            std::cout << line << '\n';
    }
    if (!std::cout.flush()) {
        std::cerr << program << ": cannot write the report to standard output\n";
        return outputErrorExit;
    }
    return 0;
}
