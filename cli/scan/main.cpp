// vorrel-scan: the scan from the command line. Prints the report the results
// box would show, or with --json a document with the details; moves unused
// sounds aside and back with --move-unused and --restore.

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/scan/cleanup_commands.h"
#include "cli/scan/folder_problems.h"
#include "cli/scan/program_io.h"
#include "cli/scan/scan_arguments.h"
#include "cli/scan/scan_json.h"
#include "scan/scan_run.h"

namespace {
constexpr int usageErrorExit = 2;
constexpr int outputErrorExit = 1;
constexpr int wrongFolderExit = 1;
const std::string program = "vorrel-scan";
#ifdef _WIN32
constexpr const char *helpAlias = " (or /?)";
#else
constexpr const char *helpAlias = "";
#endif

int printed(const std::string &text)
{
    if (writeStandardOutput(text))
        return 0;
    writeStandardError(program + ": cannot write the report to standard output\n");
    return outputErrorExit;
}

// Runs a clean-up command and then writes what it printed, through the
// console I/O (UTF-8, '\n' as it is) rather than the C++ streams.
template <typename Command>
int cleanup(Command command, const ScanArguments &arguments)
{
    std::ostringstream out, err;
    const int status = command(arguments, out, err);
    writeStandardError(err.str());
    return printed(out.str()) == 0 ? status : outputErrorExit;
}
} // namespace

int main(int argc, char **argv)
{
    std::string error;
    const std::optional<ScanArguments> arguments = parseScanArguments(programArguments(argc, argv), error);
    if (!arguments) {
        writeStandardError(program + ": " + error + '\n' + scanUsage(program) + '\n');
        return usageErrorExit;
    }
    if (arguments->help) {
        return printed(scanUsage(program) + "\n\n" +
                       "Lists the .ogg files of AUDIO_FOLDER that no .sch scheme of SCHEMES_FOLDER uses.\n"
                       "  --schemes-subfolders  read the schemes of all subfolders too\n"
                       "  --audio-subfolders    collect the audio of all subfolders too\n"
                       "  --json                print the details as one JSON document\n"
                       "  --move-unused FOLDER  move the unreferenced files into FOLDER, each at its path\n"
                       "                        relative to AUDIO_FOLDER, with a manifest to restore them\n"
                       "  --dry-run             only print what --move-unused would move\n"
                       "  --include-near-misses move files whose name a scheme writes in another letter\n"
                       "                        case or with blanks around it too (kept by default)\n"
                       "  --file PATH           move only this sound (repeatable); it must lie inside\n"
                       "                        AUDIO_FOLDER\n"
                       "  --keep-list FILE      keep the sounds FILE names instead of those of the\n"
                       "                        vorrel-keep.txt of AUDIO_FOLDER or the nearest folder\n"
                       "                        above it; a kept sound is never moved\n"
                       "  --no-keep-list        go by no keep list\n"
                       "  --restore MANIFEST    put the files a manifest lists back where they were\n"
                       "  --version             print the program's version and end\n"
                       "  --help, -h            print this help" + helpAlias +
                       "\n"
                       "Relative folders are taken from the current folder. Exit status: 0 when the\n"
                       "scan ran on two readable folders (whatever it found) or every file asked for\n"
                       "was moved or restored; 1 when a folder is missing, not a folder or unreadable\n"
                       "(the report is printed all the same, the folder and why on standard error; a\n"
                       "move is then not started) or some file could not be moved or restored (each\n"
                       "named on standard error); 2 on a usage error.\n");
    }
    if (arguments->version)
        return printed(std::string(VORREL_VERSION) + '\n');

    if (!arguments->restore.empty())
        return cleanup(runRestore, *arguments);

    // A wrong folder does not stop the scan, whose report says what it says
    // about it; the line on standard error names the folder and why.
    const std::vector<FolderProblem> problems = findFolderProblems(FileSystem::native(), arguments->request);
    std::string problemLines;
    for (const FolderProblem &problem : problems)
        problemLines += program + ": " + folderProblemText(problem) + '\n';
    if (!arguments->moveUnused.empty()) {
        if (problems.empty())
            return cleanup(runMoveUnused, *arguments);
        writeStandardError(problemLines);
        return wrongFolderExit;
    }

    const ScanDetails details = runScanDetailed(arguments->request);
    std::string text;
    if (arguments->json) {
        text = dumpScanJson(scanToJson(*arguments, details, problems, FileSystem::native())) + '\n';
    } else {
        for (const std::string &line : details.lines)
            text += line + '\n';
    }
    const int status = printed(text);
    writeStandardError(problemLines);
    return status != 0 || problems.empty() ? status : wrongFolderExit;
}
