#pragma once

// Qt's file dialogs save their history, last folder and view state in the
// user's Qt settings file whenever they close, and open at the remembered
// folder the next time. The program writes no file but its own settings, so
// before its first dialog Qt's user settings are pointed at a path that
// cannot be created by anyone (a folder inside a device file): they stay in
// memory and are lost at exit. Called before each Qt dialog; acts once.
void keepDialogStateOutOfFiles();
