#pragma once

class TIcon;

// The program icon as built into the program: the windows' icon and the
// main window's picture. Loaded once, on first use (an application object
// must exist).
const TIcon &programIcon();
