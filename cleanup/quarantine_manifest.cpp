#include "cleanup/quarantine_manifest.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

#include <nlohmann/json.hpp>

#include "toolkit/filesystem/paths.h"
#include "toolkit/filesystem/utf8_text.h"

namespace {

using json = nlohmann::ordered_json;

void putText(json &object, const std::string &key, const std::string &value)
{
    object[key] = value;
    if (!isValidUtf8(value))
        object[key + "Hex"] = toHex(value);
}

std::string fromHex(const std::string &hex)
{
    if (hex.size() % 2 != 0)
        throw std::invalid_argument("odd number of hexadecimal digits");
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

std::string takeText(const json &object, const std::string &key)
{
    if (const auto hex = object.find(key + "Hex"); hex != object.end())
        return fromHex(hex->get<std::string>());
    return object.at(key).get<std::string>();
}

// A quarantined path must stay inside the quarantine folder: a manifest is
// a file anyone can edit, and restoring follows it.
bool staysInside(const std::string &relative)
{
    if (relative.empty() || relative.front() == '/' || relative.find('\\') != std::string::npos)
        return false;
    std::size_t start = 0;
    while (start <= relative.size()) {
        const std::size_t end = std::min(relative.find('/', start), relative.size());
        const std::string part = relative.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

ManifestText::ManifestText(const QuarantineManifest &manifest)
{
    json document = json::object();
    document["formatVersion"] = manifest.formatVersion;
    document["programVersion"] = manifest.programVersion;
    document["created"] = manifest.created;
    putText(document, "schemesFolder", manifest.schemesFolder);
    putText(document, "audioFolder", manifest.audioFolder);
    document["schemesSubfolders"] = manifest.schemesSubfolders;
    document["audioSubfolders"] = manifest.audioSubfolders;
    m_head = document.dump(2, ' ', false, json::error_handler_t::replace);
    m_head.resize(m_head.size() - 2);  // the closing "\n}"
    m_head += ",\n  \"files\": [";
    for (const QuarantinedFile &file : manifest.files)
        append(file);
}

void ManifestText::append(const QuarantinedFile &file)
{
    json item = json::object();
    putText(item, "original", file.originalPath);
    putText(item, "quarantined", file.quarantinedPath);
    item["size"] = file.size;
    item["modifiedNanoseconds"] = file.modifiedNanoseconds;
    m_entries.push_back("    " + item.dump(-1, ' ', false, json::error_handler_t::replace));
    renumberFrom(m_entries.size() - 1);
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
        const json document = json::parse(text);
        QuarantineManifest read;
        read.formatVersion = document.at("formatVersion").get<int>();
        if (read.formatVersion > QuarantineManifest::currentFormatVersion)
            return "written by a newer version (format " + std::to_string(read.formatVersion) + ")";
        read.programVersion = document.at("programVersion").get<std::string>();
        read.created = document.at("created").get<std::string>();
        read.schemesFolder = takeText(document, "schemesFolder");
        read.audioFolder = takeText(document, "audioFolder");
        read.schemesSubfolders = document.at("schemesSubfolders").get<bool>();
        read.audioSubfolders = document.at("audioSubfolders").get<bool>();
        for (const json &item : document.at("files")) {
            QuarantinedFile file;
            file.originalPath = takeText(item, "original");
            file.quarantinedPath = takeText(item, "quarantined");
            file.size = item.at("size").get<std::uintmax_t>();
            file.modifiedNanoseconds = item.at("modifiedNanoseconds").get<std::int64_t>();
            if (!pathFromUtf8(file.originalPath).is_absolute())
                return "original path is not absolute: " + file.originalPath;
            if (!staysInside(file.quarantinedPath))
                return "quarantined path leaves the quarantine folder: " + file.quarantinedPath;
            read.files.push_back(std::move(file));
        }
        manifest = std::move(read);
        return {};
    } catch (const std::exception &error) {
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
