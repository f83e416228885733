#include "app/file_replacement.h"

#include <memory>
#include <utility>

namespace {

FileReplacementCalls &replacementCalls()
{
    static FileReplacementCalls calls;
    return calls;
}

std::size_t writeBytes(const char *data, std::size_t size, std::FILE *file)
{
    if (const auto &write = replacementCalls().write)
        return write(data, size, file);
    return std::fwrite(data, 1, size, file);
}

void renameFile(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &error)
{
    if (const auto &rename = replacementCalls().rename)
        return rename(from, to, error);
    std::filesystem::rename(from, to, error);
}

// The file a path finally names: a symbolic link is followed, so that the
// link itself is never replaced by a plain file.
std::filesystem::path finalTarget(const std::string &path)
{
    std::error_code error;
    std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? std::filesystem::path(path) : target;
}

struct FileCloser {
    void operator()(std::FILE *file) const noexcept { std::fclose(file); }
};

// A new temporary file beside target, created exclusively so that nothing
// that exists is ever overwritten; text mode, as the settings are written.
std::unique_ptr<std::FILE, FileCloser> createTemporaryBeside(const std::filesystem::path &target,
                                                            std::filesystem::path &temporary)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = target;
        temporary += ".new" + (attempt == 0 ? std::string() : std::to_string(attempt));
        if (std::FILE *file = std::fopen(temporary.string().c_str(), "wx"))
            return std::unique_ptr<std::FILE, FileCloser>(file);
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(temporary, error)))
            return nullptr; // not a name clash: the folder takes no new file
    }
    return nullptr;
}

bool writeAndClose(std::unique_ptr<std::FILE, FileCloser> file, const std::string &text)
{
    const bool written = writeBytes(text.data(), text.size(), file.get()) == text.size() &&
                         std::fflush(file.get()) == 0 && !std::ferror(file.get());
    return std::fclose(file.release()) == 0 && written;
}

} // namespace

bool replaceFileText(const std::string &path, const std::string &text)
{
    const std::filesystem::path target = finalTarget(path);
    std::filesystem::path temporary;
    auto file = createTemporaryBeside(target, temporary);
    if (!file)
        return false;
    std::error_code error;
    bool replaced = writeAndClose(std::move(file), text);
    if (replaced) {
        // The new file keeps the old one's permissions.
        const std::filesystem::file_status old = std::filesystem::status(target, error);
        if (!error && std::filesystem::exists(old))
            std::filesystem::permissions(temporary, old.permissions(), error);
        error.clear();
        renameFile(temporary, target, error);
        replaced = !error;
    }
    if (!replaced)
        std::filesystem::remove(temporary, error);
    return replaced;
}

FileReplacementOverride::FileReplacementOverride(FileReplacementCalls calls)
    : m_previous(std::exchange(replacementCalls(), std::move(calls)))
{
}

FileReplacementOverride::~FileReplacementOverride()
{
    replacementCalls() = std::move(m_previous);
}
