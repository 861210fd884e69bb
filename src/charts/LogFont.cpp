#include "charts/LogFont.h"

#include <algorithm>
#include <cstring>

namespace kalderon {

LogFont LogFont::Make(std::int32_t height, std::int32_t weight, const char* face)
{
    LogFont font;
    font.lfHeight = height;
    font.lfWeight = weight;
    font.SetFaceName(face);
    return font;
}

std::string LogFont::FaceName() const
{
    return std::string(lfFaceName, strnlen(lfFaceName, kFaceSize));
}

void LogFont::SetFaceName(const std::string& face)
{
    std::memset(lfFaceName, 0, kFaceSize);
    std::memcpy(lfFaceName, face.data(), std::min<std::size_t>(face.size(), kFaceSize - 1));
}

}  // namespace kalderon
