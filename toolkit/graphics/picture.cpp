#include "toolkit/graphics/picture.h"

#include "toolkit/core/ascii_case.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/stream.h"
#include "toolkit/graphics/bitmap.h"

#include <algorithm>
#include <vector>

namespace {

struct FileFormat {
    std::string extension; // lower case, no dot
    std::string description;
    TGraphicClass graphicClass;
};

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(asciiLower(c)); });
    return lower;
}

// Newest registration last; look-ups search from the back.
std::vector<FileFormat> &fileFormats()
{
    static std::vector<FileFormat> formats{{"bmp", "Bitmaps", graphicClassOf<TBitmap>()}};
    return formats;
}

const FileFormat *findFormat(std::string_view extension)
{
    const std::string wanted = lowerCase(extension);
    const std::vector<FileFormat> &formats = fileFormats();
    for (auto format = formats.rbegin(); format != formats.rend(); ++format) {
        if (format->extension == wanted)
            return &*format;
    }
    return nullptr;
}

std::string extensionOf(const std::string &fileName)
{
    const std::size_t dot = fileName.find_last_of('.');
    const std::size_t slash = fileName.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return fileName.substr(dot + 1);
}

} // namespace

void TPicture::RegisterFileFormat(const std::string &extension, const std::string &description, TGraphicClass graphicClass)
{
    if (graphicClass == nullptr)
        throw EInvalidGraphicOperation("Cannot register the file format \"" + extension + "\" without a graphic class");
    fileFormats().push_back({lowerCase(extension), description, graphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass)
{
    std::vector<FileFormat> &formats = fileFormats();
    formats.erase(std::remove_if(formats.begin(), formats.end(),
                                 [graphicClass](const FileFormat &format) { return format.graphicClass == graphicClass; }),
                  formats.end());
}

TGraphicClass TPicture::FindGraphicClassByName(std::string_view className)
{
    const std::vector<FileFormat> &formats = fileFormats();
    for (auto format = formats.rbegin(); format != formats.rend(); ++format) {
        if (format->graphicClass->name == className)
            return format->graphicClass;
    }
    return nullptr;
}

TGraphicClass TPicture::FindGraphicClassByExtension(std::string_view extension)
{
    const FileFormat *format = findFormat(extension);
    return format ? format->graphicClass : nullptr;
}

std::string TPicture::FileFormatDescription(std::string_view extension)
{
    const FileFormat *format = findFormat(extension);
    return format ? format->description : std::string();
}

void TPicture::LoadFromFile(const std::string &fileName)
{
    const std::string extension = extensionOf(fileName);
    TGraphicClass graphicClass = FindGraphicClassByExtension(extension);
    if (graphicClass == nullptr)
        throw EInvalidGraphic("Unknown picture file extension (." + extension + ") of \"" + fileName + "\"");
    std::unique_ptr<TGraphic> graphic = graphicClass->create();
    graphic->LoadFromFile(fileName);
    m_graphic = std::move(graphic);
}

void TPicture::SaveToFile(const std::string &fileName)
{
    if (!m_graphic)
        throw EInvalidGraphicOperation("The picture holds no graphic to save to \"" + fileName + "\"");
    m_graphic->SaveToFile(fileName);
}

void TPicture::ReadData(TStream &stream)
{
    std::uint8_t length = 0;
    stream.ReadBuffer(&length, 1);
    if (length == 0) {
        m_graphic.reset();
        return;
    }
    std::string className(length, '\0');
    stream.ReadBuffer(className.data(), length);
    TGraphicClass graphicClass = FindGraphicClassByName(className);
    if (graphicClass == nullptr)
        throw EInvalidGraphic("Unknown picture class \"" + className + "\" in stored picture data");
    std::unique_ptr<TGraphic> graphic = graphicClass->create();
    graphic->ReadData(stream);
    m_graphic = std::move(graphic);
}

void TPicture::WriteData(TStream &stream)
{
    const std::string className = m_graphic ? m_graphic->ClassName() : std::string();
    if (className.size() > 255)
        throw EInvalidGraphicOperation("Class name \"" + className + "\" is too long for stored picture data");
    const auto length = static_cast<std::uint8_t>(className.size());
    stream.WriteBuffer(&length, 1);
    if (m_graphic) {
        stream.WriteBuffer(className.data(), length);
        m_graphic->WriteData(stream);
    }
}
