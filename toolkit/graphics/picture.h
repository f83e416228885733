#pragma once

#include "toolkit/graphics/graphic.h"

#include <memory>
#include <string>
#include <string_view>

class TStream;

// Holds one graphic of any registered class, and keeps the registry of
// graphic classes by file extension and by class name. TBitmap is registered
// for "bmp" from the start.
class TPicture {
public:
    TPicture() = default;
    TPicture(const TPicture &) = delete;
    TPicture &operator=(const TPicture &) = delete;

    // Adds a class for a file extension (without dot, any letter case). A later
    // registration of the same extension takes precedence.
    static void RegisterFileFormat(const std::string &extension, const std::string &description, TGraphicClass graphicClass);
    // Removes every registration of the class.
    static void UnregisterGraphicClass(TGraphicClass graphicClass);
    // nullptr when no registered class has that name or extension.
    static TGraphicClass FindGraphicClassByName(std::string_view className);
    static TGraphicClass FindGraphicClassByExtension(std::string_view extension);
    // The registered description of an extension; empty when there is none.
    static std::string FileFormatDescription(std::string_view extension);

    // The held graphic, owned by the picture; nullptr when there is none.
    TGraphic *Graphic() const { return m_graphic.get(); }

    // Makes a graphic of the class registered for the file's extension and
    // loads the file into it. EInvalidGraphic for an unknown extension; the
    // held graphic changes only when loading succeeds.
    void LoadFromFile(const std::string &fileName);
    // EInvalidGraphicOperation when there is no graphic.
    void SaveToFile(const std::string &fileName);

    // The stored picture: a 1-byte length L, L bytes of class name, then what
    // the graphic's ReadData takes. L = 0 stands for no graphic. An unknown
    // class raises EInvalidGraphic; the held graphic changes only on success.
    void ReadData(TStream &stream);
    void WriteData(TStream &stream);

private:
    std::unique_ptr<TGraphic> m_graphic;
};
