#include "font_entry.h"

#include <windows.h>

#include <algorithm>
#include <numeric>
#include <utility>

CFontEntry::CFontEntry(FaceNames names, int embeddable, int enabled, unsigned fsType, const LOGFONTW& realisedFrom)
    : m_names(std::move(names)), m_embeddable(embeddable), m_enabled(enabled), m_fsType(fsType),
      m_realisedFrom(realisedFrom)
{
}

CFontEntry::~CFontEntry() = default;

namespace {

// The sort key `mapInto` writes into a buffer of a size, as large as it
// asks. Most keys fit the first buffer: one call each.
template <typename MapInto>
std::string SortKey(MapInto mapInto)
{
    std::string key(256, '\0');
    int size = mapInto(key.data(), static_cast<int>(key.size()));
    if (size <= 0) {
        size = mapInto(nullptr, 0);
        if (size <= 0)
            return std::string();
        key.resize(static_cast<size_t>(size));
        size = mapInto(key.data(), size);
    }
    key.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return key;
}

} // namespace

// Same locale as lstrcmpW.
std::string LocaleSortKey(const wchar_t* text)
{
    const LCID locale = ::GetThreadLocale();
    // A sort key is bytes, whichever form of the call writes it.
    return SortKey([locale, text](char* key, int size) {
        return ::LCMapStringW(locale, LCMAP_SORTKEY, text, -1, reinterpret_cast<wchar_t*>(key), size);
    });
}

CFontEntryArray::CFontEntryArray() = default;

CFontEntryArray::~CFontEntryArray() = default;

int CFontEntryArray::AddEntry(FaceNames names, int embeddable, int enabled, unsigned fsType,
                              const LOGFONTW& realisedFrom)
{
    const int index = GetSize();
    const std::wstring facename = names.Reported();
    std::string sortKey = LocaleSortKey(facename.c_str());
    // Room for the key before anything changes, so that its push below cannot
    // throw; grown geometrically, as push_back would.
    if (m_sortKeys.size() == m_sortKeys.capacity())
        m_sortKeys.reserve(std::max<size_t>(2 * m_sortKeys.size(), 16));
    m_entries.push_back(std::make_unique<CFontEntry>(std::move(names), embeddable, enabled, fsType, realisedFrom));
    bool named = false;
    try {
        named = m_byName.try_emplace(facename, index).second;
        auto bucket = m_bySortKey.try_emplace(std::move(sortKey)).first;
        bucket->second.push_back(index);
        m_sortKeys.push_back(&bucket->first); // reserved above: cannot throw
    } catch (...) {
        // Leave the collection as it was before the call.
        if (named)
            m_byName.erase(facename);
        m_entries.pop_back();
        throw;
    }
    return index;
}

void CFontEntryArray::RemoveAll()
{
    m_byName.clear();
    m_bySortKey.clear();
    m_sortKeys.clear();
    m_entries.clear();
    m_entries.shrink_to_fit();
}

CFontEntry* CFontEntryArray::FindByFacename(const std::wstring& facename) const
{
    auto found = m_byName.find(facename);
    return found == m_byName.end() ? nullptr : GetAt(found->second);
}

CFontEntry* CFontEntryArray::FindByFacenameLocale(const wchar_t* facename) const
{
    if (!facename)
        return nullptr;
    auto bucket = m_bySortKey.find(LocaleSortKey(facename));
    if (bucket == m_bySortKey.end())
        return nullptr;
    // The key narrows the search; the comparison itself decides.
    for (int index : bucket->second) {
        CFontEntry* entry = GetAt(index);
        if (::lstrcmpW(entry->GetFacename().c_str(), facename) == 0)
            return entry;
    }
    return nullptr;
}

std::vector<int> CFontEntryArray::OrderByName() const
{
    std::vector<int> order(m_entries.size());
    std::iota(order.begin(), order.end(), 0);
    // Names the comparison calls equal keep their collection order.
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return *m_sortKeys[a] < *m_sortKeys[b]; });
    return order;
}
