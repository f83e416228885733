#include "toolkit/graphics/graphic.h"

#include "toolkit/core/file_stream.h"
#include "toolkit/core/memory_stream.h"

#include <cstring>
#include <typeinfo>

void TGraphic::Changed(TPersistent *sender)
{
    m_modified = true;
    if (m_onChange)
        m_onChange(sender);
}

void TGraphic::NotifyProgress(TPersistent *sender, TProgressStage stage, std::uint8_t percentDone, bool redrawNow,
                              const TRect &rect, const std::string &message)
{
    if (m_onProgress)
        m_onProgress(sender, stage, percentDone, redrawNow, rect, message);
}

bool TGraphic::Equals(TGraphic *graphic)
{
    if (graphic == nullptr || typeid(*graphic) != typeid(*this))
        return false;
    if (graphic == this)
        return true;
    TMemoryStream mine;
    TMemoryStream theirs;
    SaveToStream(mine);
    graphic->SaveToStream(theirs);
    return mine.GetSize() == theirs.GetSize() &&
           (mine.GetSize() == 0 || std::memcmp(mine.Memory(), theirs.Memory(), static_cast<std::size_t>(mine.GetSize())) == 0);
}

HPALETTE TGraphic::GetPalette()
{
    return nullptr;
}

void TGraphic::SetPalette(HPALETTE)
{
}

void TGraphic::ReadData(TStream &stream)
{
    LoadFromStream(stream);
}

void TGraphic::WriteData(TStream &stream)
{
    SaveToStream(stream);
}

void TGraphic::LoadFromFile(const std::string &fileName)
{
    TFileStream stream(fileName, TFileMode::OpenRead);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const std::string &fileName)
{
    TFileStream stream(fileName, TFileMode::Create);
    SaveToStream(stream);
}
