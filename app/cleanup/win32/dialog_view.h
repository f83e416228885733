#pragma once

#include "app/cleanup/win32/dialog_layout.h"
#include "app/cleanup/win32/windows_api.h"

#include <string>

// One modal dialog from a template of cleanup_dialogs.rc: its procedure
// hands the messages a view cares about to the virtual functions below.
// A view fills its controls from its model in initialize() and forwards
// commands and list notifications to it. A dialog with a sizing border
// keeps its layout as it is resized (DialogLayout).
class DialogView {
public:
    virtual ~DialogView() = default;

    // Shows the dialog `templateId` over `owner` (may be null) until it is
    // closed; the result close() was given, IDCANCEL for Escape or Cancel.
    INT_PTR run(HWND owner, int templateId);

protected:
    HWND dialog() const { return m_dialog; }
    HWND item(int id) const { return GetDlgItem(m_dialog, id); }
    void close(INT_PTR result) { EndDialog(m_dialog, result); }
    // The window title and the line above everything else.
    void setTitleAndFirstLine(const char *title, const std::string &firstLine);

    virtual void initialize() = 0;
    // A button or field of the dialog; true when handled.
    virtual bool command(int id, int code);
    // A notification from a control (the lists'); sets `result` for those
    // that answer. True when handled.
    virtual bool notify(const NMHDR &header, LRESULT &result);

private:
    static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_dialog = nullptr;
    DialogLayout m_layout;  // for a dialog with a sizing border
};
