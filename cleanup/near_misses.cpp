#include "cleanup/near_misses.h"

#include <unordered_map>

std::string nearMissKey(const std::string &name)
{
    const std::size_t first = name.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    std::string key = name.substr(first, name.find_last_not_of(" \t") - first + 1);
    for (char &c : key)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return key;
}

NearMisses findNearMisses(const ScanDetails &details)
{
    // Per key, the first reference of each distinct spelling: a file spelt
    // exactly as one reference may still be nearly named by another.
    std::unordered_map<std::string, std::vector<std::size_t>> referencesByKey;
    for (std::size_t r = 0; r < details.referencedNames.size(); ++r) {
        std::vector<std::size_t> &spellings = referencesByKey[nearMissKey(details.referencedNames[r].name)];
        bool known = false;
        for (const std::size_t s : spellings)
            known = known || details.referencedNames[s].name == details.referencedNames[r].name;
        if (!known)
            spellings.push_back(r);
    }

    NearMisses found;
    std::unordered_map<std::string, std::size_t> unreferencedByKey;
    for (std::size_t u = 0; u < details.unreferenced.size(); ++u) {
        const std::string &name = details.unreferenced[u].name;
        const std::string key = nearMissKey(name);
        unreferencedByKey.emplace(key, u);
        std::optional<NearReference> near;
        if (const auto spellings = referencesByKey.find(key); spellings != referencesByKey.end()) {
            for (const std::size_t r : spellings->second) {
                const SchemeReference &reference = details.referencedNames[r];
                if (reference.name != name) {
                    near = NearReference{reference.name, details.schemeFilePaths.at(reference.schemeIndex),
                                         reference.lineNumber};
                    break;
                }
            }
        }
        found.unreferenced.push_back(std::move(near));
    }
    for (const MissingAudio &missing : details.missing) {
        const auto file = unreferencedByKey.find(nearMissKey(missing.name));
        found.missing.push_back(file == unreferencedByKey.end()
                                    ? std::nullopt
                                    : std::optional<std::string>(details.unreferenced[file->second].path));
    }
    return found;
}
