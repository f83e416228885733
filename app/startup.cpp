#include "app/startup.h"

#include "about/tform2.h"
#include "app/manual_location.h"
#include "app/tform1.h"
#include "jpeg/jpeg_registration.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/tapplication.h"

#include <exception>

int runGuarded(const std::function<void()> &steps)
{
    try {
        steps();
    } catch (const Exception &exception) {
        Application->ShowException(exception);
    } catch (...) {
        // The box an event handler's exception gets: the same text for the
        // same exception, an empty one for what is no standard exception.
        TApplication::ShowCurrentException(std::current_exception());
    }
    return 0;
}

int startVorrel()
{
    return runGuarded([] {
        // Before any window: the About window's banner is made by the
        // picture container from its class name. Unregistered when the
        // event loop has ended.
        const JPEGSupportScope jpegSupport;
        Application->Initialize();
        Application->SetTitle("Vorrel");
        // "&How To..." asks for manual.chm in the working folder; where there
        // is none, the HTML manual opens in the browser instead.
        setDocumentStandIn("manual.chm", installedManualPath());
        Application->CreateForm(Form1);
        Application->CreateForm(Form2);
        Application->Run();
    });
}
