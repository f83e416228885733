#pragma once

// Reference-counted image data shared by several graphics. A holder is made
// with new, starts with no reference, and its maker takes the first one with
// Reference(). Release() drops one; the last Release() frees the holder's
// system handle (FreeHandle) and destroys the holder, so nobody may touch it
// afterwards. Holders are neither copied nor moved.
class TSharedImage {
public:
    TSharedImage(const TSharedImage &) = delete;
    TSharedImage &operator=(const TSharedImage &) = delete;

    void Reference() { ++m_refCount; }
    // Destroys the holder when this was the last reference (or when it was
    // never referenced at all, so that a holder cannot be stranded).
    void Release();
    int RefCount() const { return m_refCount; }

protected:
    TSharedImage() = default;
    // Only Release() destroys a holder.
    virtual ~TSharedImage() = default;
    // Frees the system handle that the holder owns, if any, just before the
    // holder is destroyed. Must not throw.
    virtual void FreeHandle() noexcept = 0;

private:
    int m_refCount = 0;
};
