#include "about/tform2.h"

#include "about/banner_picture.h"
#include "about/link_style.h"
#include "icon/program_icon.h"
#include "toolkit/core/memory_stream.h"
#include "toolkit/forms/picture_content.h"
#include "toolkit/forms/shell_execute.h"
#include "toolkit/forms/timage.h"
#include "toolkit/forms/tlabel.h"

#include <cstdint>
#include <memory>
#include <string>

TForm2 *Form2 = nullptr;

namespace {

// The addresses the links hand to the shell. The labels show the same
// constants, so what the user reads is exactly what is opened.
const char authorMailAddress[] = "vorrel@example.org";
const char publisherWebAddress[] = "http://www.example.com/";
const char communityWebAddress[] = "http://www.example.net/";

// The browser program web links name; where it cannot start, the desktop
// shell opens the desktop's own web browser instead.
const char webBrowserProgram[] = "iexplore.exe";
// Every link starts what it opens from the file-system root, so that the
// started program holds no folder of ours.
#ifdef _WIN32
const char linkWorkingFolder[] = "C:\\";
#else
const char linkWorkingFolder[] = "/";
#endif

TFormLayout aboutWindowLayout()
{
    TFormLayout layout;
    layout.caption = "About";
    layout.outerSize = {361, 314};
    layout.position = {610, 302};
    layout.icon = &programIcon();
    return layout;
}

std::unique_ptr<PictureContent> storedBanner()
{
    TMemoryStream stored;
    stored.WriteBuffer(aboutBannerPicture, static_cast<std::int64_t>(aboutBannerPictureSize));
    stored.Seek(0, TSeekOrigin::Beginning);
    auto banner = std::make_unique<PictureContent>();
    banner->Picture().ReadData(stored);
    return banner;
}

void openThroughShell(const std::string &file, const char *parameters)
{
    ShellExecuteA(nullptr, "open", file.c_str(), parameters, linkWorkingFolder, SW_SHOW);
}

} // namespace

TForm2::TForm2()
    : TForm(aboutWindowLayout())
{
    TWinControl *window = this;
    Label1 = new TLabel(window, {24, 24}, "Ogg-Wav Audio File Scanner, for Thief - Deadly Shadows Editors");
    Label2 = new TLabel(window, {48, 48}, "Written by the Vorrel authors");
    Label3 = new TLabel(window, {144, 72}, authorMailAddress);
    Label4 = new TLabel(window, {112, 72}, "e-mail:");
    Label5 = new TLabel(window, {112, 96}, publisherWebAddress);
    Label6 = new TLabel(window, {128, 120}, communityWebAddress);
    Label7 = new TLabel(window, {96, 144}, "This program is powered by:");
    Image1 = new TImage(window, {24, 168, 305, 97});

    for (TLabel *link : {Label3, Label5, Label6})
        applyLinkStyle(*link);
    Image1->SetCursor(TCursor::HandPoint);
    Image1->SetPicture(storedBanner());

    Label3->OnClick = [this](TObject *sender) { Label3Click(sender); };
    Label5->OnClick = [this](TObject *sender) { Label5Click(sender); };
    Label6->OnClick = [this](TObject *sender) { Label6Click(sender); };
    Image1->OnClick = [this](TObject *sender) { Image1Click(sender); };
}

void TForm2::Label3Click(TObject *)
{
    openThroughShell(std::string("mailto:") + authorMailAddress, nullptr);
}

void TForm2::Label5Click(TObject *)
{
    openThroughShell(webBrowserProgram, publisherWebAddress);
}

void TForm2::Label6Click(TObject *)
{
    openThroughShell(webBrowserProgram, communityWebAddress);
}

void TForm2::Image1Click(TObject *)
{
    openThroughShell(webBrowserProgram, communityWebAddress);
}
