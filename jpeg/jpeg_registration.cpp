#include "jpeg/jpeg_registration.h"

#include "jpeg/jpeg_settings.h"
#include "jpeg/tjpegimage.h"
#include "toolkit/core/string_resources.h"
#include "toolkit/graphics/picture.h"

void RegisterJPEGImage()
{
    TPicture::RegisterFileFormat("jpeg", LoadResString(StringResource::jpegImageFile), graphicClassOf<TJPEGImage>());
    TPicture::RegisterFileFormat("jpg", LoadResString(StringResource::jpegImageFile), graphicClassOf<TJPEGImage>());
}

void UnregisterJPEGImage()
{
    TPicture::UnregisterGraphicClass(graphicClassOf<TJPEGImage>());
}

JPEGSupportScope::JPEGSupportScope()
{
    AdaptDefaultsToDisplay();
    RegisterJPEGImage();
}

JPEGSupportScope::~JPEGSupportScope()
{
    UnregisterJPEGImage();
}
