#include "app/cleanup/win32/message_box.h"

#include "app/cleanup/window_message.h"
#include "app/cleanup/win32/cleanup_dialog_ids.h"
#include "app/cleanup/win32/dialog_view.h"
#include "app/cleanup/win32/win32_text.h"

namespace {

class MessageDetailsView : public DialogView {
public:
    MessageDetailsView(const char *title, const WindowMessage &message) : m_title(title), m_message(message) {}

private:
    void initialize() override
    {
        setControlText(dialog(), m_title);
        setFieldLines(item(IDC_MESSAGE_AREA), m_message.text);
        setFieldLines(item(IDC_DETAILS), m_message.details);
        SetFocus(item(IDOK));
    }
    bool command(int id, int code) override
    {
        if (id == IDOK)
            close(IDOK);
        return id == IDOK || DialogView::command(id, code);
    }

    const char *m_title;
    const WindowMessage &m_message;
};

} // namespace

void showMessage(HWND owner, const char *title, const WindowMessage &message)
{
    const bool warning = message.kind == WindowMessage::Kind::Warning;
    if (message.details.empty()) {
        MessageBoxW(owner, wideText(message.text).c_str(), wideText(title).c_str(),
                    MB_OK | (warning ? MB_ICONWARNING : MB_ICONINFORMATION));
        return;
    }
    MessageBeep(warning ? MB_ICONWARNING : MB_ICONINFORMATION);
    MessageDetailsView view(title, message);
    view.run(owner, IDD_MESSAGE_DETAILS);
}
