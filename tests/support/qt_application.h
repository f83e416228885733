#pragma once

class QApplication;

// The one Qt application a test program may have, on the offscreen platform
// unless one is chosen already: made on the first call, destroyed by
// GoogleTest after the last test.
QApplication &testApplication();

// For test programs whose every test needs the application: makes it before
// the first test. Use as `const bool qtReady = needsQtApplication();`
// at namespace scope in one of the program's files.
bool needsQtApplication();
