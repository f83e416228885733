#pragma once

#include "toolkit/forms/image_content.h"

#include <QIcon>
#include <QImage>
#include <QString>

// An icon picture: one image, drawn unstretched; also usable as a window's
// icon.
class TIcon : public ImageContent {
public:
    TIcon() = default;
    explicit TIcon(const QImage &image) : m_image(image) {}

    // Loads the icon from a file or a Qt resource path. Throws
    // EInvalidGraphic naming the file when it holds no readable picture.
    void LoadFromFile(const QString &fileName);

    bool Empty() const { return m_image.isNull(); }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    const QImage &image() const { return m_image; }
    QIcon toQIcon() const;

    QSize naturalSize() const override { return m_image.size(); }
    void drawAt(QPainter &canvas, const QPoint &topLeft) const override;

private:
    QImage m_image;
};
