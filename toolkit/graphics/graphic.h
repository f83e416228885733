#pragma once

#include "toolkit/graphics/palette.h"
#include "toolkit/graphics/persistent.h"
#include "toolkit/graphics/rect.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TCanvas;
class TStream;
class TGraphic;

// Stage of a long operation reported through TGraphic::NotifyProgress.
enum class TProgressStage { Starting = 0, Running = 1, Ending = 2 };

// Handlers receive the graphic that changed or progressed as sender.
// A progress handler may throw (EAbort cancels the running operation); the
// exception leaves NotifyProgress unchanged.
using TProgressEvent = std::function<void(TPersistent *sender, TProgressStage stage, std::uint8_t percentDone,
                                          bool redrawNow, const TRect &rect, const std::string &message)>;

// Clipboard formats and data handles. The clipboard is the application's own
// (Qt's): saving puts the picture there, loading takes it from there, and the
// data handle carries nothing.
using TClipboardFormat = std::uint16_t;
using THandle = std::uintptr_t;
inline constexpr TClipboardFormat CF_BITMAP = 2;

// A graphic class as the picture container knows it: its name in stored data
// and how to make a new, empty instance (the class's virtual constructor).
struct TGraphicClassInfo {
    std::string_view name;
    std::unique_ptr<TGraphic> (*create)();
};
using TGraphicClass = const TGraphicClassInfo *;

// The class record of graphic class T, which must have a default constructor
// and a static StaticClassName. Always the same record for the same T.
template <class T>
TGraphicClass graphicClassOf()
{
    static const TGraphicClassInfo info{T::StaticClassName, []() -> std::unique_ptr<TGraphic> { return std::make_unique<T>(); }};
    return &info;
}

// Base of every picture kind: size, drawing, palette, saving and loading,
// change notification to an owner, and progress notification.
//
// Getters are not const: a graphic may compute what it reports on demand
// (decoding, making a palette) and keep the result.
class TGraphic : public TPersistent {
public:
    // Kept inside the class: the window classes' TNotifyEvent, whose sender
    // is a window object, lives beside it in the same programs.
    using TNotifyEvent = std::function<void(TPersistent *sender)>;

    void SetOnChange(TNotifyEvent handler) { m_onChange = std::move(handler); }
    void SetOnProgress(TProgressEvent handler) { m_onProgress = std::move(handler); }

    // Marks the graphic modified and calls the change handler, if any, with sender.
    virtual void Changed(TPersistent *sender);
    // Calls the progress handler, if any. Whatever the handler throws passes
    // through unchanged.
    void NotifyProgress(TPersistent *sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                        const TRect &rect, const std::string &message);

    // Set by a graphic whose palette has changed, for the owner to realise it again.
    bool GetPaletteDirty() const { return m_paletteDirty; }
    void SetPaletteDirty(bool dirty) { m_paletteDirty = dirty; }
    bool GetModified() const { return m_modified; }

    // Draws the graphic scaled into rect of canvas.
    virtual void Draw(TCanvas &canvas, const TRect &rect) = 0;
    // True when graphic is of the same class and its saved bytes
    // (SaveToStream) equal this graphic's.
    virtual bool Equals(TGraphic *graphic);

    virtual bool GetEmpty() = 0;
    virtual int GetWidth() = 0;
    virtual int GetHeight() = 0;
    virtual void SetWidth(int value) = 0;
    virtual void SetHeight(int value) = 0;
    // The palette the graphic draws with, still owned by the graphic; nullptr
    // for none (the base has none).
    virtual HPALETTE GetPalette();
    // The base ignores palettes.
    virtual void SetPalette(HPALETTE palette);

    // The graphic's stored form, as the picture container keeps it after the
    // class name. The base stores what SaveToStream writes.
    virtual void ReadData(TStream &stream);
    virtual void WriteData(TStream &stream);

    virtual void LoadFromStream(TStream &stream) = 0;
    virtual void SaveToStream(TStream &stream) = 0;
    // Through a TFileStream; file errors raise EFOpenError or EFCreateError.
    virtual void LoadFromFile(const std::string &fileName);
    virtual void SaveToFile(const std::string &fileName);

    virtual void LoadFromClipboardFormat(TClipboardFormat format, THandle data, HPALETTE palette) = 0;
    // Fills in the three results; a palette handed out belongs to the caller.
    virtual void SaveToClipboardFormat(TClipboardFormat &format, THandle &data, HPALETTE &palette) = 0;

private:
    TNotifyEvent m_onChange;
    TProgressEvent m_onProgress;
    bool m_paletteDirty = false;
    bool m_modified = false;
};
