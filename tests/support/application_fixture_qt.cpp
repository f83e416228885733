#include "tests/support/application_fixture.h"

#include "tests/support/qt_application.h"

void prepareTestWindows()
{
    testApplication();
}
