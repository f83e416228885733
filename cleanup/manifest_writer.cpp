#include "cleanup/manifest_writer.h"

#include <algorithm>
#include <utility>

#include "cleanup/quarantine_names.h"
#include "toolkit/filesystem/paths.h"

namespace {

// The spares the manifest names already (those of the run that wrote it,
// so that a stop before this run's first write leaves nothing it does not
// name), else two of this run's own.
QuarantineManifest withSpares(QuarantineManifest manifest, const std::string &run)
{
    if (manifest.spareFiles.size() != 2)
        manifest.spareFiles = {spareName(run, 1), spareName(run, 2)};
    return manifest;
}

} // namespace

ManifestWriter::ManifestWriter(const FileOperations &operations, std::string path, QuarantineManifest manifest,
                               const std::string &run)
    : m_operations(operations), m_path(std::move(path)), m_text(withSpares(manifest, run))
{
    const QuarantineManifest named = withSpares(std::move(manifest), run);
    for (int i = 0; i < 2; ++i)
        m_temporaries[i] = joinPath(parentPath(m_path), named.spareFiles[static_cast<std::size_t>(i)]);
}

std::error_code ManifestWriter::create()
{
    const std::error_code error = m_operations.rewriteTail(m_path, 0, m_text.text(), true);
    if (!error)
        m_sharedOnDisk = m_text.size();
    return error;
}

void ManifestWriter::append(const QuarantinedFile &file)
{
    changedFrom(m_text.size());
    m_text.append(file);
}

void ManifestWriter::replace(std::size_t index, const QuarantinedFile &file)
{
    changedFrom(index);
    m_text.replace(index, file);
}

void ManifestWriter::erase(std::size_t index)
{
    changedFrom(index);
    m_text.erase(index);
}

void ManifestWriter::changedFrom(std::size_t index)
{
    if (m_sharedOnDisk)
        m_sharedOnDisk = std::min(*m_sharedOnDisk, index);
    m_sharedInSpare = std::min(m_sharedInSpare, index);
}

std::error_code ManifestWriter::write()
{
    const int prepared = m_spare.value_or(0);
    const std::string &preparedPath = m_temporaries[prepared];
    std::error_code error;
    if (m_spare) {
        error = m_operations.rewriteTail(preparedPath, m_text.lengthThrough(m_sharedInSpare),
                                         m_text.textAfter(m_sharedInSpare), false);
    } else {
        error = m_operations.rewriteTail(preparedPath, 0, m_text.text(), true);
    }
    m_spare.reset();
    if (error) {
        removeSpares();
        return error;
    }

    // The manifest about to be replaced becomes the next spare: swapped
    // with the prepared file in one step where the system can, else kept by
    // a hard link. Without either there is none, and the next write is a
    // whole file again. A swap also spares ext4 the write-back it starts
    // when a file is renamed over another.
    if (m_sharedOnDisk && m_exchangeWorks) {
        m_exchangeWorks = !m_operations.exchangeFiles(preparedPath, m_path);
        if (m_exchangeWorks) {
            m_spare = prepared;
            m_sharedInSpare = *m_sharedOnDisk;
            m_sharedOnDisk = m_text.size();
            return {};
        }
    }
    const int other = 1 - prepared;
    bool linked = false;
    if (m_sharedOnDisk && m_linksWork) {
        linked = !m_operations.linkNoReplace(m_path, m_temporaries[other]);
        m_linksWork = linked;
    }
    if ((error = m_operations.renameReplacing(preparedPath, m_path))) {
        // A spare linked just now is the manifest itself: it must never be cut.
        removeSpares();
        return error;
    }
    if (linked) {
        m_spare = other;
        m_sharedInSpare = *m_sharedOnDisk;
    }
    m_sharedOnDisk = m_text.size();
    return {};
}

std::error_code ManifestWriter::writeAndFlush()
{
    if (const std::error_code error = write())
        return error;
    removeSpares();
    return m_operations.flushFile(m_path);
}

void ManifestWriter::removeSpares() noexcept
{
    m_spare.reset();
    for (const std::string &temporary : m_temporaries)
        m_operations.removeFile(temporary);
}
