#include "toolkit/forms/tapplication.h"
#include "toolkit/forms/tbutton.h"
#include "toolkit/forms/tcheckbox.h"
#include "toolkit/forms/tedit.h"
#include "toolkit/forms/tform.h"
#include "toolkit/forms/timage.h"
#include "toolkit/forms/tlabel.h"
#include "toolkit/forms/tmainmenu.h"
#include "toolkit/forms/tmemo.h"
#include "toolkit/forms/tpanel.h"
#include "toolkit/forms/tstatictext.h"
#include "toolkit/forms/win32_native.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct ShownBox {
    std::string caption, message;
};

class Win32FormsTest : public ::testing::Test {
protected:
    Win32FormsTest() { m_application.SetTitle("Vorrel"); }

    static TFormLayout layout() { return {"Test", {300, 200}, {}, {10, 10}, nullptr}; }

    // The control's place in its parent's client area, in pixels.
    static TBounds placeOf(const TControl &control)
    {
        RECT box;
        ::GetWindowRect(windowHandle(control), &box);
        ::MapWindowPoints(nullptr, ::GetParent(windowHandle(control)), reinterpret_cast<POINT *>(&box), 2);
        return {box.left, box.top, box.right - box.left, box.bottom - box.top};
    }

    int m_argumentCount = 0;
    TApplication m_application{m_argumentCount, nullptr};
    std::vector<ShownBox> m_boxes;
    ErrorBoxOverride m_errorBoxes{[this](const std::string &caption, const std::string &message) {
        m_boxes.push_back({caption, message});
    }};
};

TEST_F(Win32FormsTest, ClicksReachTheHandlersAndTheirErrorsTheErrorBox)
{
    TForm form(layout());
    auto *button = new TButton(&form, {8, 8, 75, 25}, "Go");
    auto *label = new TLabel(&form, {8, 40}, "link");
    int clicks = 0;
    button->OnClick = [&](TObject *sender) {
        EXPECT_EQ(sender, button);
        ++clicks;
    };
    label->OnClick = [](TObject *) { throw Exception("the link failed"); };

    ::SendMessageW(windowHandle(*button), BM_CLICK, 0, 0);
    button->Click();
    EXPECT_EQ(clicks, 2);

    // A press and a release inside the label.
    ::SendMessageW(windowHandle(*label), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(windowHandle(*label), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].caption, "Vorrel");
    EXPECT_EQ(m_boxes[0].message, "the link failed");
}

TEST_F(Win32FormsTest, MemoShowsExactlyItsLines)
{
    TForm form(layout());
    auto *memo = new TMemo(&form, {0, 0, 200, 100});
    memo->Lines().Add(std::string());
    memo->Lines().Clear();
    memo->Lines().Add("Scanning started, please wait.");
    EXPECT_EQ(memo->Text(), "Scanning started, please wait.");
    memo->Lines().Assign({"gocce\xC3\xA8", "", "Scan termined."});
    memo->Lines().Add("last");
    EXPECT_EQ(memo->Text(), "gocce\xC3\xA8\n\nScan termined.\nlast");
    EXPECT_EQ(memo->Lines().Count(), 4);

    // A line longer than the box wraps at its width.
    memo->Lines().Assign({std::string(20, 'w') + std::string(40, ' ') + std::string(20, 'w')});
    EXPECT_GT(::SendMessageW(windowHandle(*memo), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(Win32FormsTest, MenuEntriesShowTheirCaptionsAndState)
{
    TForm form(layout());
    auto *menu = new TMainMenu(&form);
    TMenuItem *help = menu->Add("&Help");
    TMenuItem *about = help->Add("&About...");
    TMenuItem *later = help->Add(std::string());
    int chosen = 0;
    about->OnClick = [&](TObject *) { ++chosen; };
    later->SetCaption("C:\\Sounds && more");
    about->SetEnabled(false);

    HMENU dropDown = ::GetSubMenu(::GetMenu(windowHandle(form)), 0);
    wchar_t text[64];
    ::GetMenuStringW(dropDown, 1, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"C:\\Sounds && more");
    EXPECT_TRUE(::GetMenuState(dropDown, 0, MF_BYPOSITION) & MF_GRAYED);
    about->Click();
    EXPECT_EQ(chosen, 0);

    about->SetEnabled(true);
    ::SendMessageW(windowHandle(form), WM_COMMAND, ::GetMenuItemID(dropDown, 0), 0);
    EXPECT_EQ(chosen, 1);
    // The client area stays as laid out under the menu bar.
    RECT client;
    ::GetClientRect(windowHandle(form), &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
}

TEST_F(Win32FormsTest, TabFollowsTheTabOrderIntoPanelsAndPassesOverStaticTexts)
{
    TForm form(layout());
    auto *panel = new TPanel(&form, {0, 60, 200, 100}, "Panel1");
    auto *check = new TCheckBox(panel, {10, 10, 17, 17});
    auto *edit = new TEdit(&form, {8, 8, 100, 21});
    auto *button = new TButton(&form, {120, 8, 25, 17}, "...");
    auto *text = new TStaticText(&form, {8, 30, 75, 17}, "Schemes  path");
    panel->SetTabOrder(2);
    check->SetTabOrder(0);
    edit->SetTabOrder(1);
    button->SetTabOrder(0);
    text->SetTabOrder(3);
    form.ApplyTabOrder();

    std::vector<HWND> visited{windowHandle(*button)};
    for (int step = 0; step < 3; ++step)
        visited.push_back(::GetNextDlgTabItem(windowHandle(form), visited.back(), FALSE));
    EXPECT_EQ(visited, (std::vector<HWND>{windowHandle(*button), windowHandle(*edit), windowHandle(*check),
                                          windowHandle(*button)}));
    EXPECT_FALSE(text->TakesFocus());
    EXPECT_TRUE(check->TakesFocus());
}

TEST_F(Win32FormsTest, ControlsStandAtTheirLayoutPixels)
{
    HDC screen = ::GetDC(nullptr);
    const int dotsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    if (dotsPerInch != 96)
        GTEST_SKIP() << "the screen has " << dotsPerInch << " dots per inch, not 96";

    TForm form(layout());
    auto *panel = new TPanel(&form, {8, 8, 249, 193}, "Panel1");
    auto *check = new TCheckBox(panel, {128, 56, 17, 17});
    auto *label = new TLabel(&form, {24, 24}, "e-mail:");
    EXPECT_EQ(placeOf(*panel), (TBounds{8, 8, 249, 193}));
    EXPECT_EQ(placeOf(*check), (TBounds{128, 56, 17, 17}));
    const TBounds plain = label->Bounds();
    EXPECT_EQ(placeOf(*label), plain);
    label->SetFont({.bold = true});
    EXPECT_GT(label->Bounds().width, plain.width);
    EXPECT_EQ(placeOf(*label), label->Bounds());
}

TEST_F(Win32FormsTest, PaintErrorsReachTheErrorBoxOnceThePaintIsOver)
{
    struct Undecodable : ImageContent {
        TSize naturalSize() const override { return {4, 4}; }
        void drawAt(TCanvas &, const TPoint &) const override { throw EInvalidGraphic("JPEG error #1"); }
    };
    TForm form(layout());
    auto *image = new TImage(&form, {0, 0, 10, 10});
    image->SetPicture(std::make_unique<Undecodable>());
    form.SetVisible(true);
    ::UpdateWindow(windowHandle(*image));
    EXPECT_TRUE(m_boxes.empty());
    m_application.ProcessMessages();
    ASSERT_FALSE(m_boxes.empty());
    EXPECT_EQ(m_boxes[0].message, "JPEG error #1");
}

} // namespace
