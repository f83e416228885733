#pragma once

#include "toolkit/forms/tform.h"
#include "toolkit/forms/tnotifyevent.h"

class TImage;
class TLabel;

// The About window: what the program is for, who wrote it, a mail link, two
// web links and a banner picture that is a link too. Created hidden at
// start-up and shown modeless from the main window's Help menu; closing it
// only hides it. Each link hands its address to the desktop shell and
// leaves the window as it is.
class TForm2 : public TForm {
public:
    // Builds the window from its layout, banner picture included. The banner
    // is made by the picture container from its stored class name, so the
    // JPEG picture class must be registered first; otherwise EInvalidGraphic.
    TForm2();

    TLabel *Label1; // description
    TLabel *Label2; // credit line
    TLabel *Label3; // mail link
    TLabel *Label4; // "e-mail:"
    TLabel *Label5; // game publisher's web link
    TLabel *Label6; // community web link
    TLabel *Label7; // introduces the banner
    TImage *Image1; // community banner, a link to the community site

    void Label3Click(TObject *Sender);
    void Label5Click(TObject *Sender);
    void Label6Click(TObject *Sender);
    void Image1Click(TObject *Sender);
};

extern TForm2 *Form2;
