#pragma once

#include "toolkit/forms/image_content.h"

#include <memory>
#include <string>
#include <utility>

// The platform's own icon picture (a Qt image, a Windows icon handle); each
// backend defines it.
struct NativeIcon;

// An icon picture: one image, drawn unstretched; also usable as a window's
// icon.
class TIcon : public ImageContent {
public:
    // The shared native icon carries its own way to go, so copies need not
    // know its type.
    TIcon() = default;
    explicit TIcon(std::shared_ptr<const NativeIcon> native) : m_native(std::move(native)) {}

    // Loads the icon from a picture file (on Linux also a Qt resource path).
    // Throws EInvalidGraphic naming the file when it holds no readable
    // picture.
    void LoadFromFile(const std::string &fileName);

    bool Empty() const;
    int Width() const;
    int Height() const;

    TSize naturalSize() const override;
    void drawAt(TCanvas &canvas, const TPoint &topLeft) const override;

    // Null while the icon is empty.
    const NativeIcon *native() const { return m_native.get(); }

private:
    std::shared_ptr<const NativeIcon> m_native;
};
