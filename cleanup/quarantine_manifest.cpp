#include "cleanup/quarantine_manifest.h"

#include <chrono>
#include <cstdio>
#include <limits>
#include <set>
#include <stdexcept>

#include <nlohmann/json.hpp>

#include "cleanup/quarantine_names.h"
#include "cleanup/utf8_text.h"
#include "toolkit/filesystem/paths.h"

namespace {

using json = nlohmann::ordered_json;

// Why a manifest is refused, in the words the user reads.
struct ManifestError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void putText(json &object, const std::string &key, const std::string &value)
{
    object[key] = value;
    if (!isValidUtf8(value))
        object[key + "Hex"] = toHex(value);
}

const json &field(const json &object, const std::string &key, const std::string &where)
{
    const auto found = object.find(key);
    if (found == object.end())
        throw ManifestError(where + "has no \"" + key + "\"");
    return *found;
}

std::string textField(const json &object, const std::string &key, const std::string &where)
{
    if (const auto hex = object.find(key + "Hex"); hex != object.end()) {
        std::string bytes;
        if (!hex->is_string() || !fromHex(hex->get_ref<const std::string &>(), bytes))
            throw ManifestError(where + "\"" + key + "Hex\" must be an even number of hexadecimal digits in quotes");
        return bytes;
    }
    const json &value = field(object, key, where);
    if (!value.is_string())
        throw ManifestError(where + "\"" + key + "\" must be text in quotes");
    return value.get<std::string>();
}

bool flagField(const json &object, const std::string &key, const std::string &where, bool fallback)
{
    const auto found = object.find(key);
    if (found == object.end())
        return fallback;
    if (!found->is_boolean())
        throw ManifestError(where + "\"" + key + "\" must be true or false");
    return found->get<bool>();
}

// Numbers are integers in JSON's plain notation, as the writer puts them:
// a fraction or an exponent (4.9, 1e30) is no size and no time.
std::uintmax_t sizeField(const json &object, const std::string &key, const std::string &where)
{
    const json &value = field(object, key, where);
    if (!value.is_number_unsigned())
        throw ManifestError(where + "\"" + key + "\" must be a whole number of at least 0");
    return value.get<std::uintmax_t>();
}

std::int64_t timeField(const json &object, const std::string &key, const std::string &where)
{
    const json &value = field(object, key, where);
    if (!value.is_number_integer()
        || (value.is_number_unsigned()
            && value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())))
        throw ManifestError(where + "\"" + key + "\" must be a whole number that fits in 64 bits");
    return value.get<std::int64_t>();
}

// "line L, column C: expected ..." for text that stops being JSON at byte
// `offset` (counted from 1).
std::string parseFailure(const std::string &text, std::size_t offset, const std::string &parserMessage)
{
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i + 1 < offset && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    const std::size_t expected = parserMessage.find("; expected ");
    const std::string what =
        expected == std::string::npos ? "a JSON value" : parserMessage.substr(expected + std::string_view("; expected ").size());
    return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": expected " + what;
}

QuarantinedFile readEntry(const json &item, bool current, const std::string &audioFolder, const std::string &where)
{
    if (!item.is_object())
        throw ManifestError(where + "must be an object");
    QuarantinedFile file;
    file.folder = current && item.contains("folder");
    file.quarantinedPath = textField(item, file.folder ? "folder" : "quarantined", where);
    if (!isPlainRelativePath(file.quarantinedPath))
        throw ManifestError(where + "leaves the quarantine folder: " + file.quarantinedPath);
    if (file.folder)
        return file;
    file.originalPath = textField(item, "original", where);
    if (!relativePathInside(audioFolder, file.originalPath))
        throw ManifestError(where + "the original path lies outside the audio folder " + audioFolder + ": "
                            + file.originalPath);
    file.size = sizeField(item, "size", where);
    file.modifiedNanoseconds = timeField(item, "modifiedNanoseconds", where);
    if (current) {
        file.link = flagField(item, "link", where, false);
        file.done = flagField(item, "done", where, true);
        if (item.contains("temporary")) {
            file.temporary = textField(item, "temporary", where);
            if (!isTemporaryName(file.temporary))
                throw ManifestError(where + "\"temporary\" is not a name this program makes: " + file.temporary);
        }
    }
    return file;
}

// The folders a manifest of format 1 leaves to remove: those on its files'
// quarantined paths, each before the folders inside it.
std::vector<QuarantinedFile> foldersOnPaths(const std::vector<QuarantinedFile> &files)
{
    std::vector<QuarantinedFile> folders;
    std::set<std::string> seen;
    for (const QuarantinedFile &file : files) {
        const std::vector<std::string> parts = pathParts(file.quarantinedPath);
        std::string folder;
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
            folder += (i == 0 ? "" : "/") + parts[i];
            if (seen.insert(folder).second)
                folders.push_back(createdFolderEntry(folder));
        }
    }
    return folders;
}

QuarantineManifest readManifest(const json &document)
{
    if (!document.is_object())
        throw ManifestError("the text is no JSON object");
    const json &version = field(document, "formatVersion", "");
    if (!version.is_number_integer() || version.get<std::int64_t>() < 1)
        throw ManifestError("\"formatVersion\" must be a whole number of at least 1");
    QuarantineManifest read;
    if (version.get<std::int64_t>() > QuarantineManifest::currentFormatVersion)
        throw ManifestError("written by a newer version (format " + version.dump() + ")");
    read.formatVersion = version.get<int>();
    const bool current = read.formatVersion >= 2;
    read.programVersion = textField(document, "programVersion", "");
    read.created = textField(document, "created", "");
    read.schemesFolder = textField(document, "schemesFolder", "");
    read.audioFolder = textField(document, "audioFolder", "");
    if (!isAbsolutePath(read.audioFolder))
        throw ManifestError("the audio folder is not an absolute path: " + read.audioFolder);
    read.schemesSubfolders = flagField(document, "schemesSubfolders", "", false);
    read.audioSubfolders = flagField(document, "audioSubfolders", "", false);
    if (current) {
        read.quarantineFolder = textField(document, "quarantineFolder", "");
        read.createdFolders = sizeField(document, "createdFolders", "");
        const json &spares = field(document, "spareFiles", "");
        for (std::size_t i = 0; spares.is_array() && i < spares.size(); ++i) {
            if (!spares[i].is_string() || !isSpareName(spares[i].get<std::string>()))
                throw ManifestError("\"spareFiles\" holds a name this program does not make: " + spares[i].dump());
            read.spareFiles.push_back(spares[i].get<std::string>());
        }
    } else {
        read.createdFolders = 1;  // the quarantine folder itself, when empty
    }
    const json &entries = field(document, current ? "entries" : "files", "");
    if (!entries.is_array())
        throw ManifestError(std::string("\"") + (current ? "entries" : "files") + "\" must be a list");
    for (std::size_t i = 0; i < entries.size(); ++i)
        read.files.push_back(readEntry(entries[i], current, read.audioFolder,
                                       "entry " + std::to_string(i + 1) + ": "));
    if (!current) {
        std::vector<QuarantinedFile> steps = foldersOnPaths(read.files);
        steps.insert(steps.end(), read.files.begin(), read.files.end());
        read.files = std::move(steps);
        read.formatVersion = QuarantineManifest::currentFormatVersion;
    }
    return read;
}

} // namespace

QuarantinedFile createdFolderEntry(const std::string &relative)
{
    QuarantinedFile entry;
    entry.quarantinedPath = relative;
    entry.folder = true;
    return entry;
}

std::size_t QuarantineManifest::fileCount() const
{
    std::size_t count = 0;
    for (const QuarantinedFile &file : files)
        count += !file.folder;
    return count;
}

ManifestText::ManifestText(const QuarantineManifest &manifest)
{
    json document = json::object();
    document["formatVersion"] = QuarantineManifest::currentFormatVersion;
    document["programVersion"] = manifest.programVersion;
    document["created"] = manifest.created;
    putText(document, "schemesFolder", manifest.schemesFolder);
    putText(document, "audioFolder", manifest.audioFolder);
    document["schemesSubfolders"] = manifest.schemesSubfolders;
    document["audioSubfolders"] = manifest.audioSubfolders;
    putText(document, "quarantineFolder", manifest.quarantineFolder);
    document["createdFolders"] = manifest.createdFolders;
    document["spareFiles"] = manifest.spareFiles;
    m_head = document.dump(2, ' ', false, json::error_handler_t::replace);
    m_head.resize(m_head.size() - 2);  // the closing "\n}"
    m_head += ",\n  \"entries\": [";
    for (const QuarantinedFile &file : manifest.files)
        append(file);
}

namespace {

std::string entryLine(const QuarantinedFile &file)
{
    json item = json::object();
    if (file.folder) {
        putText(item, "folder", file.quarantinedPath);
    } else {
        putText(item, "original", file.originalPath);
        putText(item, "quarantined", file.quarantinedPath);
        item["size"] = file.size;
        item["modifiedNanoseconds"] = file.modifiedNanoseconds;
        if (file.link)
            item["link"] = true;
        if (!file.temporary.empty())
            putText(item, "temporary", file.temporary);
        item["done"] = file.done;
    }
    return "    " + item.dump(-1, ' ', false, json::error_handler_t::replace);
}

} // namespace

void ManifestText::append(const QuarantinedFile &file)
{
    m_entries.push_back(entryLine(file));
    renumberFrom(m_entries.size() - 1);
}

void ManifestText::replace(std::size_t index, const QuarantinedFile &file)
{
    m_entries[index] = entryLine(file);
    renumberFrom(index);
}

void ManifestText::erase(std::size_t index)
{
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
    renumberFrom(index);
}

// Each entry is preceded by "\n", the ones after the first by ",\n".
void ManifestText::renumberFrom(std::size_t index)
{
    m_ends.resize(m_entries.size());
    for (std::size_t i = index; i < m_entries.size(); ++i)
        m_ends[i] = lengthThrough(i) + (i == 0 ? 1 : 2) + m_entries[i].size();
}

std::string ManifestText::textAfter(std::size_t entries) const
{
    std::string text;
    text.reserve(lengthThrough(m_entries.size()) - lengthThrough(entries) + 16);
    for (std::size_t i = entries; i < m_entries.size(); ++i) {
        text += i == 0 ? "\n" : ",\n";
        text += m_entries[i];
    }
    text += m_entries.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return text;
}

std::string manifestToText(const QuarantineManifest &manifest)
{
    return ManifestText(manifest).text();
}

std::string manifestFromText(const std::string &text, QuarantineManifest &manifest)
{
    try {
        manifest = readManifest(json::parse(text));
        return {};
    } catch (const json::parse_error &error) {
        return parseFailure(text, error.byte, error.what());
    } catch (const ManifestError &error) {
        return error.what();
    }
}

std::string currentUtcTime()
{
    using namespace std::chrono;
    const auto now = floor<seconds>(system_clock::now());
    const auto day = floor<days>(now);
    const year_month_day date(day);
    const hh_mm_ss time(now - day);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02ld:%02ld:%02lldZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<long>(time.hours().count()), static_cast<long>(time.minutes().count()),
                  static_cast<long long>(time.seconds().count()));
    return text;
}
