// vorrel-scan: the scan from the command line. Prints the report the results
// box would show, or with --json a document with the details.

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/scan/cleanup_commands.h"
#include "cli/scan/scan_arguments.h"
#include "cli/scan/scan_json.h"
#include "scan/scan_run.h"

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
                  << "  --move-unused FOLDER  move the unreferenced files into FOLDER, each at its path\n"
                  << "                        relative to AUDIO_FOLDER, with a manifest to restore them\n"
                  << "  --dry-run             only print what --move-unused would move\n"
                  << "  --include-near-misses move files whose name a scheme writes in another letter\n"
                  << "                        case or with blanks around it too (kept by default)\n"
                  << "  --restore MANIFEST    put the files a manifest lists back where they were\n"
                  << "  --version             print the program's version and end\n"
                  << "Relative folders are taken from the current folder. Exit status: 0 when the\n"
                  << "scan ran (whatever it found) or every file asked for was moved or restored,\n"
                  << "1 when some file could not be (each named on standard error), 2 on a usage error.\n";
        return std::cout.flush() ? 0 : outputErrorExit;
    }
    if (arguments->version) {
        std::cout << VORREL_VERSION << '\n';
        return std::cout.flush() ? 0 : outputErrorExit;
    }

    if (!arguments->restore.empty())
        return runRestore(*arguments, std::cout, std::cerr);
    if (!arguments->moveUnused.empty())
        return runMoveUnused(*arguments, std::cout, std::cerr);

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
