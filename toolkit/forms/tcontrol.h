#pragma once

#include "toolkit/forms/tbounds.h"
#include "toolkit/forms/tcomponent.h"

#include <cstdint>
#include <memory>

class TWinControl;

// The platform's own control behind a toolkit control: a Qt widget on
// Linux, a window handle on Windows. Each backend defines it, and how it
// goes.
struct NativeControl;
struct NativeControlDeleter {
    void operator()(NativeControl *native) const noexcept;
};

// A colour as 0x00BBGGRR; clDefault is the system's colour for the text.
using TColor = std::int32_t;
constexpr TColor clDefault = -1;
constexpr TColor clBlue = 0xFF0000;

// What a control's text looks like, beyond the toolkit's font (see
// toolkitFont): bold, underlined, coloured.
struct TFontStyle {
    bool bold = false;
    bool underline = false;
    TColor color = clDefault;
    bool operator==(const TFontStyle &) const = default;
};

// The mouse pointer over a control.
enum class TCursor { Default, HandPoint };

// A control: something with a place in a parent that shows it. The parent
// owns it. Captions and texts cross as UTF-8.
class TControl : public TComponent {
public:
    ~TControl() override;

    TWinControl *Parent() const { return m_parent; }
    const TBounds &Bounds() const { return m_bounds; }

    // The control's place in its parent's focus order (see
    // TForm::ApplyTabOrder); -1 when it has none.
    int TabOrder() const { return m_tabOrder; }
    void SetTabOrder(int tabOrder) { m_tabOrder = tabOrder; }

    const TFontStyle &Font() const { return m_font; }
    void SetFont(const TFontStyle &style);
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor);

    // Whether the control can take the keyboard focus.
    bool TakesFocus() const;

    NativeControl &native() const { return *m_native; }

protected:
    // `parent` null only for a form. The backend's constructor makes the
    // native control and hands it over with adoptNative.
    TControl(TWinControl *parent, const TBounds &bounds);
    template <class Native>
    void adoptNative(std::unique_ptr<Native> native)
    {
        m_native.reset(native.release());
    }
    // The size the control took for itself (a label sized to its text).
    void setBoundsSize(int width, int height);
    void nameChanged() override;

private:
    TWinControl *m_parent;
    TBounds m_bounds;
    int m_tabOrder = -1;
    TFontStyle m_font;
    TCursor m_cursor = TCursor::Default;
    std::unique_ptr<NativeControl, NativeControlDeleter> m_native;
};

// A control that holds other controls: a form, a panel.
class TWinControl : public TControl {
public:
    int ControlCount() const;
    TControl *Controls(int index) const;

protected:
    using TControl::TControl;
};
