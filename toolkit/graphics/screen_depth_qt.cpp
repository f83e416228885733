#include "toolkit/graphics/screen_depth.h"

#include <QGuiApplication>
#include <QScreen>

int platformScreenDepth()
{
    if (qGuiApp != nullptr) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            return screen->depth();
    }
    return 24;
}
