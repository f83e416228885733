#include "cleanup/near_misses.h"

#include <unordered_map>

#include "cleanup/scheme_text.h"
#include "toolkit/text/name_folding.h"

std::string nearMissKey(const std::string &name)
{
    return foldedName(withoutOuterBlanks(name));
}

namespace {

// A reference as the near-miss search sees it. `comparedByScan` is false
// for references the scan never compared (those of a UTF-16 scheme): a file
// such a reference names exactly is still unreferenced in the scan's eyes.
struct Candidate {
    const SchemeReference *reference;
    bool comparedByScan;
};

// The keys a reference is found under: its own, and the one of its bytes
// read in the ANSI code page when it holds bytes beyond ASCII, since a
// scheme written on Windows may hold é as the one byte E9.
std::vector<std::string> keysOf(const std::string &name)
{
    std::vector<std::string> keys{nearMissKey(name)};
    bool beyondAscii = false;
    for (const char c : name)
        beyondAscii = beyondAscii || static_cast<unsigned char>(c) >= 0x80;
    if (beyondAscii)
        if (std::string ansi = nearMissKey(ansiCodePageToUtf8(name)); ansi != keys.front())
            keys.push_back(std::move(ansi));
    return keys;
}

} // namespace

NearMisses findNearMisses(const ScanDetails &details, const FileSystem &fs)
{
    const std::vector<SchemeReference> utf16References = utf16SchemeReferences(details, fs);
    std::vector<Candidate> candidates;
    for (const SchemeReference &reference : details.referencedNames)
        candidates.push_back({&reference, true});
    for (const SchemeReference &reference : utf16References)
        candidates.push_back({&reference, false});

    // Per key, the first reference of each distinct spelling: a file spelt
    // exactly as one reference may still be nearly named by another.
    std::unordered_map<std::string, std::vector<Candidate>> referencesByKey;
    for (const Candidate &candidate : candidates) {
        for (const std::string &key : keysOf(candidate.reference->name)) {
            std::vector<Candidate> &spellings = referencesByKey[key];
            bool known = false;
            for (const Candidate &s : spellings)
                known = known
                        || (s.reference->name == candidate.reference->name
                            && s.comparedByScan == candidate.comparedByScan);
            if (!known)
                spellings.push_back(candidate);
        }
    }

    NearMisses found;
    std::unordered_map<std::string, std::size_t> unreferencedByKey;
    for (std::size_t u = 0; u < details.unreferenced.size(); ++u) {
        const std::string &name = details.unreferenced[u].name;
        const std::string key = nearMissKey(name);
        unreferencedByKey.emplace(key, u);
        std::optional<NearReference> near;
        if (const auto spellings = referencesByKey.find(key); spellings != referencesByKey.end()) {
            for (const Candidate &candidate : spellings->second) {
                const SchemeReference &reference = *candidate.reference;
                if (reference.name != name || !candidate.comparedByScan) {
                    near = NearReference{reference.name, details.schemeFilePaths.at(reference.schemeIndex),
                                         reference.lineNumber};
                    break;
                }
            }
        }
        found.unreferenced.push_back(std::move(near));
    }
    for (const MissingAudio &missing : details.missing) {
        std::optional<std::string> file;
        for (const std::string &key : keysOf(missing.name))
            if (const auto match = unreferencedByKey.find(key); !file && match != unreferencedByKey.end())
                file = details.unreferenced[match->second].path;
        found.missing.push_back(std::move(file));
    }
    return found;
}
