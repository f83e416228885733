#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One collected name: a file name without folder (extension cut or kept),
// the absolute folder it was found in, and the extension that was cut (empty
// when none was), so that folder + '/' + name + extension is the file again.
// The names found in one folder share one copy of its path.
struct FileNameNode {
    std::string name;
    std::shared_ptr<const std::string> folderPath;
    std::string extension;

    const std::string &folder() const { return *folderPath; }
};

// The file a node stands for: folder, '/', name and the cut extension.
std::string pathOf(const FileNameNode &node);

// A list of collected names in the order they were appended. Appending takes
// constant time (amortised); nodes are never reordered.
class FileNameList {
public:
    // Adds one node at the end. With `cutExtension` the last four characters
    // of `name` (".ogg" in practice) are cut off; a name shorter than four
    // characters becomes the empty name.
    void append(std::string name, std::shared_ptr<const std::string> folder, bool cutExtension);
    void append(std::string name, const std::string &folder, bool cutExtension)
    {
        append(std::move(name), std::make_shared<const std::string>(folder), cutExtension);
    }

    bool empty() const { return m_nodes.empty(); }
    std::size_t size() const { return m_nodes.size(); }
    const FileNameNode &operator[](std::size_t index) const { return m_nodes[index]; }
    std::vector<FileNameNode>::const_iterator begin() const { return m_nodes.begin(); }
    std::vector<FileNameNode>::const_iterator end() const { return m_nodes.end(); }

    // Keeps only the nodes whose flag in `keep` is set, in their order.
    // `keep` has one flag per node.
    void keepOnly(const std::vector<bool> &keep);

private:
    std::vector<FileNameNode> m_nodes;
};
