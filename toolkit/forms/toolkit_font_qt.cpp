#include "toolkit/forms/toolkit_font_qt.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

constexpr int characterHeightPixels = 11;
const QString originalFace = QStringLiteral("MS Sans Serif");
// The stand-in faces run wider than the original; drawn slightly condensed
// they keep every caption inside the control sizes laid out for it.
constexpr int standInStretch = 80;

QString installedFaceOrStandIn()
{
    const QStringList families = QFontDatabase::families();
    for (const QString &face : {originalFace, QStringLiteral("DejaVu Sans")}) {
        if (families.contains(face))
            return face;
    }
    return QStringLiteral("Sans Serif");
}

} // namespace

QFont toolkitFont(bool bold)
{
    static const QString face = installedFaceOrStandIn();
    QFont font(face);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(characterHeightPixels);
    if (face != originalFace)
        font.setStretch(standInStretch);
    font.setBold(bold);
    return font;
}
