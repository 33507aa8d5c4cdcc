#include "store_contents.h"

#include <algorithm>
#include <tuple>

namespace {

std::vector<std::string> SortedValueNames(const std::string& path)
{
    std::vector<std::string> names = ValueNames(path);
    std::sort(names.begin(), names.end());
    return names;
}

bool Contains(const std::vector<std::string>& sorted, const std::string& face)
{
    return std::binary_search(sorted.begin(), sorted.end(), face);
}

void PrintList(std::ostream& out, const char* name, bool exists, const std::vector<std::string>& faces)
{
    out << name << (exists ? " {" : " (missing) {");
    for (const std::string& face : faces)
        out << '"' << face << "\" ";
    out << "} ";
}

} // namespace

bool StoreContents::Embeds(const std::string& face) const
{
    return Contains(embed, face);
}

bool StoreContents::Tessellates(const std::string& face) const
{
    return Contains(tessellate, face);
}

bool StoreContents::operator==(const StoreContents& other) const
{
    return std::tie(general, embedList, tessellateList, embed, tessellate) ==
           std::tie(other.general, other.embedList, other.tessellateList, other.embed, other.tessellate);
}

StoreContents ReadStore(const ScopedProfile& profile)
{
    StoreContents store;
    store.general = KeyExists(profile.General());
    store.embedList = KeyExists(profile.EmbedList());
    store.tessellateList = KeyExists(profile.TessellateList());
    store.embed = SortedValueNames(profile.EmbedList());
    store.tessellate = SortedValueNames(profile.TessellateList());
    return store;
}

std::ostream& operator<<(std::ostream& out, const StoreContents& store)
{
    out << (store.general ? "General: " : "General (missing): ");
    PrintList(out, "t2embed", store.embedList, store.embed);
    PrintList(out, "t2tessellate", store.tessellateList, store.tessellate);
    return out;
}
