#pragma once

// What stands behind the window classes on Linux: Qt widgets, actions and
// images. Only the Qt backend, the Qt views of other windows and tests that
// check something Qt itself does (painting, the focus chain) include this.

#include <QImage>
#include <QPointer>
#include <QString>

#include <memory>
#include <string>

class QAction;
class QApplication;
class QMainWindow;
class QMenu;
class QWidget;
class TControl;
class TForm;
class TIcon;
class TMenuItem;
class TWinControl;
struct TBounds;

// A control's widget, owned by the control: deleting the control deletes
// it. Controls are deleted before their parent's widget goes (see
// TComponent::destroyComponents); the guarded pointer only keeps a widget
// that Qt deleted first from being deleted twice.
struct NativeControl {
    NativeControl(QWidget *widget, QWidget *childArea);
    ~NativeControl();
    NativeControl(const NativeControl &) = delete;
    NativeControl &operator=(const NativeControl &) = delete;

    QPointer<QWidget> widget;    // a form's: its QMainWindow
    QPointer<QWidget> childArea; // where child controls go: a form's client area, else the widget
    bool sizesToText = false;    // a label: resized to its text when its font changes
};

// A menu entry's action (what a click triggers) and, for an entry of the
// menu bar, its drop-down; both owned by the entry.
struct NativeMenuItem {
    ~NativeMenuItem();
    QPointer<QAction> action;
    QPointer<QMenu> dropDown;
};

struct NativeIcon {
    QImage image;
};

// Qt's application object when the toolkit made it (none when the program
// or a test had made one before). Qt keeps references to the argument
// count and vector for the application's life.
struct NativeApplication {
    int argumentCount = 1;
    char *arguments[2] = {nullptr, nullptr};
    std::unique_ptr<QApplication> ownApplication;
};

QWidget *qtWidget(const TControl &control);
template <class W> W *qtWidgetAs(const TControl &control) { return dynamic_cast<W *>(qtWidget(control)); }
// The widget a parent's child controls lie on (a form's client area).
QWidget *qtChildArea(const TWinControl &parent);
QMainWindow *qtWindow(const TForm &form);
QAction *qtAction(const TMenuItem &item);
// A null image for an empty icon.
const QImage &qtImage(const TIcon &icon);

// For the controls' constructors: `widget`, made on its parent's child area,
// put at its fixed place (Qt lays out no control) and wrapped for
// TControl::adoptNative.
std::unique_ptr<NativeControl> placedControl(QWidget *widget, const TBounds &bounds);

// Texts cross the toolkit's interface as UTF-8.
inline QString qtText(const std::string &text) { return QString::fromStdString(text); }
