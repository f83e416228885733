#include "toolkit/graphics/shared_image.h"

void TSharedImage::Release()
{
    if (m_refCount > 0)
        --m_refCount;
    if (m_refCount == 0) {
        FreeHandle();
        // The reference count is the holder's owner: the last reference ends it.
        delete this;
    }
}
