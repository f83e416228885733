#include "scan/file_name_list.h"

#include <algorithm>
#include <cassert>
#include <utility>

#include "toolkit/filesystem/file_system.h"

namespace {
constexpr std::size_t extensionLength = 4;
}

void FileNameList::append(std::string name, std::shared_ptr<const std::string> folder, bool cutExtension)
{
    std::string extension;
    if (cutExtension) {
        const std::size_t cut = name.size() >= extensionLength ? name.size() - extensionLength : 0;
        extension = name.substr(cut);
        // A fresh string rather than a shortened one: a short base name then
        // lives inside the node, which keeps the comparison's lookups local.
        name = name.substr(0, cut);
    }
    m_nodes.push_back({std::move(name), std::move(folder), std::move(extension)});
}

void FileNameList::keepOnly(const std::vector<bool> &keep)
{
    assert(keep.size() == m_nodes.size());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_nodes.size(); ++i) {
        if (keep[i]) {
            if (kept != i)
                m_nodes[kept] = std::move(m_nodes[i]);
            ++kept;
        }
    }
    m_nodes.resize(kept);
}

std::string pathOf(const FileNameNode &node)
{
    return joinPath(node.folder(), node.name + node.extension);
}
