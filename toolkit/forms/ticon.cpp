#include "toolkit/forms/ticon.h"

#include "toolkit/core/exceptions.h"

#include <QPainter>
#include <QPixmap>

void TIcon::LoadFromFile(const QString &fileName)
{
    QImage image;
    if (!image.load(fileName))
        throw EInvalidGraphic("Cannot load the icon picture " + fileName.toStdString());
    m_image = image;
}

QIcon TIcon::toQIcon() const
{
    return QIcon(QPixmap::fromImage(m_image));
}

void TIcon::drawAt(QPainter &canvas, const QPoint &topLeft) const
{
    canvas.drawImage(topLeft, m_image);
}
