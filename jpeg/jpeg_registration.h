#pragma once

// The JPEG picture class in the picture container's registry: extensions
// "jpeg" and "jpg", description "JPEG Image File" (string resource 65522,
// loaded anew for each registration).
void RegisterJPEGImage();
// Removes every registration of the class.
void UnregisterJPEGImage();

// The start-up and shutdown of the JPEG support in one object: construction
// adapts DefaultJPEGSettings to the display and registers the class;
// destruction unregisters it. Make one before any window exists.
class JPEGSupportScope {
public:
    JPEGSupportScope();
    ~JPEGSupportScope();
    JPEGSupportScope(const JPEGSupportScope &) = delete;
    JPEGSupportScope &operator=(const JPEGSupportScope &) = delete;
};
