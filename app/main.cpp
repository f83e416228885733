// The desktop program: Vorrel's main window. Command-line arguments are
// not used.
#include "app/startup.h"
#include "toolkit/forms/tapplication.h"

int main(int argc, char **argv)
{
    TApplication application(argc, argv);
    application.SetProgramIdentity("vorrel", VORREL_VERSION);
    return startVorrel();
}
