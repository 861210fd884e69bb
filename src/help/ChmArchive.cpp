#include "help/ChmArchive.h"

#include <algorithm>
#include <chm_lib.h>

namespace kalderon {
namespace {

int ListFile(chmFile*, chmUnitInfo* unit, void* context)
{
    const std::string name = unit->path;
    if (!name.empty() && name.back() != '/')
        static_cast<std::vector<std::string>*>(context)->push_back(name);
    return CHM_ENUMERATOR_CONTINUE;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

std::unique_ptr<ChmArchive> ChmArchive::Open(const std::string& path)
{
    chmFile* handle = chm_open(path.c_str());
    if (!handle) return nullptr;
    return std::unique_ptr<ChmArchive>(new ChmArchive(handle));
}

ChmArchive::ChmArchive(chmFile* handle) : handle_(handle)
{
    chm_enumerate(handle_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, ListFile, &files_);
}

ChmArchive::~ChmArchive() { chm_close(handle_); }

bool ChmArchive::Contains(const std::string& name) const
{
    return std::find(files_.begin(), files_.end(), name) != files_.end();
}

std::optional<std::string> ChmArchive::Read(const std::string& name) const
{
    chmUnitInfo unit;
    if (chm_resolve_object(handle_, name.c_str(), &unit) != CHM_RESOLVE_SUCCESS) return std::nullopt;
    std::string bytes(static_cast<size_t>(unit.length), '\0');
    const LONGINT64 read =
        chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0, unit.length);
    if (read < 0 || static_cast<LONGUINT64>(read) != unit.length) return std::nullopt;
    return bytes;
}

std::string ChmArchive::FirstFileEndingIn(const std::string& extension) const
{
    const auto found = std::find_if(files_.begin(), files_.end(), [&](const std::string& name) {
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        return EndsWith(lower, extension);
    });
    return found == files_.end() ? std::string() : *found;
}

}  // namespace kalderon
