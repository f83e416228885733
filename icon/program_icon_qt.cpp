#include "icon/program_icon.h"

#include "toolkit/forms/ticon.h"

const TIcon &programIcon()
{
    static const TIcon icon = [] {
        TIcon loaded;
        loaded.LoadFromFile(":/vorrel/vorrel.png");
        return loaded;
    }();
    return icon;
}
