#pragma once

#include "jpeg/jpeg_settings.h"

// DefaultJPEGSettings for as long as it lives.
class DefaultSettingsScope {
public:
    explicit DefaultSettingsScope(const TJPEGSettings &settings) : m_previous(DefaultJPEGSettings)
    {
        DefaultJPEGSettings = settings;
    }
    ~DefaultSettingsScope() { DefaultJPEGSettings = m_previous; }
    DefaultSettingsScope(const DefaultSettingsScope &) = delete;
    DefaultSettingsScope &operator=(const DefaultSettingsScope &) = delete;

private:
    TJPEGSettings m_previous;
};
