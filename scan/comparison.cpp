#include "scan/comparison.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string_view>

namespace {

// Node positions are kept in 32 bits so that the table stays small enough to
// sit in the processor's cache; no folder tree comes near four billion files.
using Position = std::uint32_t;
constexpr Position none = std::numeric_limits<Position>::max();

// One distinct audio name: part of its hash (to skip most comparisons), a
// node that carries it, and the first node of that name that no reference
// has taken yet.
struct NameSlot {
    std::uint32_t hash = 0;
    Position node = none;
    Position firstUntaken = none;
};

// An open-addressing table of the distinct audio names, kept flat so that a
// lookup costs one probe run and, usually, one name comparison.
class NameTable {
public:
    explicit NameTable(const FileNameList &audio) : m_audio(audio)
    {
        std::size_t capacity = 16;
        while (capacity < audio.size() + audio.size() / 2)
            capacity *= 2;
        m_slots.resize(capacity);
        m_mask = capacity - 1;
    }

    // The slot of `name`, or the empty slot where it would go (its hash
    // already set, so that filling in `node` completes the entry).
    NameSlot &find(std::string_view name)
    {
        const std::size_t fullHash = std::hash<std::string_view>{}(name);
        const auto hash = static_cast<std::uint32_t>(fullHash ^ (fullHash >> 32));
        std::size_t at = fullHash & m_mask;
        while (m_slots[at].node != none && !(m_slots[at].hash == hash && m_audio[m_slots[at].node].name == name))
            at = (at + 1) & m_mask;
        m_slots[at].hash = hash;
        return m_slots[at];
    }

private:
    const FileNameList &m_audio;
    std::vector<NameSlot> m_slots;
    std::size_t m_mask = 0;
};

} // namespace

std::vector<std::size_t> removeReferencedAudio(FileNameList &audio, const std::vector<SchemeReference> &references)
{
    if (audio.size() >= none)
        throw std::length_error("too many audio files to compare: " + std::to_string(audio.size()));

    // `next` chains each node to the following node of the same name; built
    // from the back, so that every chain runs in list order.
    NameTable names(audio);
    std::vector<Position> next(audio.size(), none);
    for (std::size_t i = audio.size(); i-- > 0;) {
        NameSlot &slot = names.find(audio[i].name);
        next[i] = slot.firstUntaken;
        slot.firstUntaken = static_cast<Position>(i);
        slot.node = static_cast<Position>(i);
    }

    std::vector<bool> keep(audio.size(), true);
    std::vector<std::size_t> missing;
    for (std::size_t r = 0; r < references.size(); ++r) {
        NameSlot &slot = names.find(references[r].name);
        if (slot.node == none) {
            missing.push_back(r);
            continue;
        }
        if (slot.firstUntaken != none) {
            keep[slot.firstUntaken] = false;
            slot.firstUntaken = next[slot.firstUntaken];
        }
    }
    audio.keepOnly(keep);
    return missing;
}
