#include "tests/support/application_fixture.h"

void prepareTestWindows()
{
    // Nothing to ready: each application object runs on the system's own
    // windows (under Wine, on the display driver its prefix names).
}
