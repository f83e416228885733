#include "app/folder_settings.h"

#include "toolkit/filesystem/file_replacement.h"
#include "toolkit/filesystem/file_system.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

namespace {

const char settingsFileName[] = "Settings.ini";

struct FileCloser {
    void operator()(std::FILE *file) const noexcept { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The first lines of the file as they stand: each with its line feed when
// it has one, each cut at a zero byte the way a C string ends.
struct FirstLines {
    std::optional<std::string> first;
    std::optional<std::string> second;
};

bool settingsFileExists(const std::string &path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    return std::filesystem::exists(status);
}

// Reads one line, line feed included. Returns nothing at the end of the file.
std::optional<std::string> readLine(std::FILE *file)
{
    std::string line;
    bool anything = false;
    for (int c = std::getc(file); c != EOF; c = std::getc(file)) {
        anything = true;
        line.push_back(static_cast<char>(c));
        if (c == '\n')
            break;
    }
    if (!anything)
        return std::nullopt;
    const std::string::size_type zero = line.find('\0');
    if (zero != std::string::npos)
        line.erase(zero);
    return line;
}

// Nothing when the file cannot be opened or a read fails (for example when
// the name is a folder): no half-read lines are ever used.
std::optional<FirstLines> readFirstLines(const std::string &path)
{
    const File file(std::fopen(path.c_str(), "r"));
    if (!file)
        return std::nullopt;
    FirstLines lines;
    lines.first = readLine(file.get());
    if (lines.first)
        lines.second = readLine(file.get());
    if (std::ferror(file.get()))
        return std::nullopt;
    return lines;
}

std::string withoutLineEnd(std::string line)
{
    if (!line.empty() && line.back() == '\n') {
        line.pop_back();
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    }
    return line;
}

// Written whole or not at all: a full disk or a crash must not cost the
// folders already remembered. Nothing is reported.
void writeSettings(const std::string &path, const std::string &text)
{
    (void)replaceFileText(path, text);
}

} // namespace

std::string settingsFilePath(const std::string &workingFolder)
{
    return workingFolder.empty() ? settingsFileName : joinPath(workingFolder, settingsFileName);
}

void loadSettings(const std::string &workingFolder, FolderStrings &folders)
{
    const std::string path = settingsFilePath(workingFolder);
    if (!settingsFileExists(path)) {
        folders.schemesFolder = workingFolder;
        folders.audioFolder = workingFolder;
        return;
    }
    const std::optional<FirstLines> lines = readFirstLines(path);
    if (!lines)
        return;
    folders.schemesFolder = withoutLineEnd(lines->first.value_or(std::string()));
    folders.audioFolder = withoutLineEnd(lines->second.value_or(std::string()));
}

void saveSettings(const std::string &workingFolder, FolderKind kind, const FolderStrings &folders)
{
    const std::string path = settingsFilePath(workingFolder);
    FirstLines kept;
    if (settingsFileExists(path)) {
        const std::optional<FirstLines> lines = readFirstLines(path);
        if (!lines)
            return;
        kept = *lines;
    }

    if (kind == FolderKind::Schemes) {
        writeSettings(path, folders.schemesFolder + '\n' + kept.second.value_or(std::string()));
        return;
    }
    std::string firstLine = kept.first.value_or(std::string());
    if (firstLine.empty() || firstLine.back() != '\n')
        firstLine.push_back('\n');
    writeSettings(path, firstLine + folders.audioFolder);
}
