#include "default_lists.h"

#include <algorithm>
#include <sstream>

namespace {

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

std::ostream& operator<<(std::ostream& out, const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        out << '"' << name << "\" ";
    return out;
}

} // namespace

const std::vector<std::string> kDefaultFaces = {
    "Arial", "Arial Black", "Comic Sans MS", "Courier New", "Impact", "Lucinda Console", "Lucinda Sans Unicode",
    "Marlett", "Tahoma", "Tahoma Bold", "Times New Roman", "Times New Roman Bold", "Times New Roman Bold Italic",
    "Times New Roman Italic", "Verdana", "Verdana Bold", "Verdana Bold Italic", "Verdana Italic", "Webdings",
    "Wingdings",
};

bool IsDefaultFace(const std::string& face)
{
    return std::find(kDefaultFaces.begin(), kDefaultFaces.end(), face) != kDefaultFaces.end();
}

::testing::AssertionResult HoldsDefaults(const ScopedProfile& profile)
{
    std::ostringstream differences;
    if (!KeyExists(profile.TessellateList()))
        differences << "no tessellation list; ";
    const std::vector<std::string> tessellate = ValueNames(profile.TessellateList());
    if (!tessellate.empty())
        differences << "tessellation list holds " << tessellate << "; ";
    for (const std::string& list : {profile.TessellateList(), profile.EmbedList()})
        if (!SubkeyNames(list).empty())
            differences << list << " has subkeys " << SubkeyNames(list) << "; ";
    const std::vector<std::string> embed = Sorted(ValueNames(profile.EmbedList()));
    if (embed != Sorted(kDefaultFaces))
        differences << "embedding list holds " << embed << "; ";
    for (const std::string& face : kDefaultFaces) {
        const RegistryValue value = ReadValue(profile.EmbedList(), face);
        if (value.type != REG_DWORD || value.data != std::vector<BYTE>{0, 0, 0, 0})
            differences << '"' << face << "\" is not a DWORD 0; ";
    }
    if (differences.str().empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differences.str();
}
