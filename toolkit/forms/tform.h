#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QSize>
#include <QString>

class TIcon;

// The fixed layout data a form is built from. Exactly one of the two sizes
// is given: the client area (what lies under the menu bar) or the outer
// size (the whole window with its border and title bar).
struct TFormLayout {
    QString caption;
    QSize clientSize;
    QSize outerSize;
    QPoint position;
    const TIcon *icon = nullptr;
};

// A window. Its controls sit on `client()`, at fixed places: nothing moves
// or stretches when the window is resized, and no scroll bars appear when
// it is made smaller. Closing the main form ends the event loop; closing
// any other form only hides it, keeping its place and size.
class TForm : public QMainWindow {
public:
    explicit TForm(const TFormLayout &layout);

    // The parent of the window's own controls; its top left is the client
    // area's origin.
    QWidget *client() const { return m_client; }

    // Shows the form modeless (true) or hides it (false).
    void SetVisible(bool visible);

    // Gives the focus order: the controls marked with setTabOrderNumber, ordered
    // by their numbers within each parent, a container's children taking
    // its place. Controls that take no focus are passed over. Called once
    // the form's controls exist.
    void ApplyTabOrder();

    // Called when a menu bar was added, so the client area keeps its size.
    void menuChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void applySize();

    QWidget *m_client;
    QSize m_clientSize;
    QSize m_outerSize;
    bool m_outerSizeApplied = false;
};

// Marks a control's place in its parent's focus order.
void setTabOrderNumber(QWidget *control, int tabOrder);
