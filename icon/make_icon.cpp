// Writes the program icon as a PNG file: make_icon OUTPUT.png
// The PNG in this folder was made by it; the tests check that the two agree.
#include "icon/icon_drawing.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    if (!drawProgramIcon().save(argv[1], "PNG")) {
        std::fprintf(stderr, "%s: cannot write the icon\n", argv[1]);
        return 1;
    }
    return 0;
}
