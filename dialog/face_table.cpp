#include "face_table.h"

#include "folded_text.h"
#include "fonts/font_entry.h"

#include <algorithm>
#include <map>

void CFaceTable::Load(const CFontEntryArray& fonts, CFaceWords& words)
{
    const int count = fonts.GetSize();
    m_faces.assign(static_cast<size_t>(count), Face{});
    for (int i = 0; i < count; ++i) {
        const CFontEntry& entry = *fonts.GetAt(i);
        Face& face = m_faces[i];
        face.name = entry.GetFacename();
        face.folded = FoldedForFinding(face.name);
        face.words[kAllowsColumn] = &words.Allows(entry);
        face.words[kLicenceColumn] = &words.Licence(entry.m_fsType);
        face.fsType = entry.m_fsType;
        face.embeddable = entry.m_embeddable != 0;
        face.realisedFrom = entry.m_realisedFrom;
        face.check = face.stored = entry.m_enabled ? 1 : 0;
        face.switchList = SwitchListOf(entry);
    }
    m_nameOrder = fonts.OrderByName();
    m_findText.clear();
    m_sortColumn = kNameColumn;
    m_sortAscending = true;
    m_order = m_nameOrder;
    Show();
}

void CFaceTable::SortBy(int column, bool ascending)
{
    m_sortColumn = column;
    m_sortAscending = ascending;
    m_order = m_nameOrder;
    if (column != kNameColumn) {
        // Few distinct words: each gets its sort key once, in the name order's
        // comparison.
        std::map<const std::string*, std::string> keys;
        std::vector<const std::string*> keyOf(m_faces.size());
        for (size_t i = 0; i < m_faces.size(); ++i) {
            const std::string* word = m_faces[i].words[column];
            auto key = keys.lower_bound(word);
            if (key == keys.end() || key->first != word)
                key = keys.emplace_hint(key, word, LocaleSortKey(word->c_str()));
            keyOf[i] = &key->second;
        }
        std::stable_sort(m_order.begin(), m_order.end(), [&keyOf](int a, int b) { return *keyOf[a] < *keyOf[b]; });
    }
    if (!ascending)
        std::reverse(m_order.begin(), m_order.end());
    Show();
}

void CFaceTable::Narrow(const std::string& text)
{
    m_findText = FoldedForFinding(text);
    Show();
}

void CFaceTable::Show()
{
    m_shown.clear();
    m_shown.reserve(m_order.size());
    for (int face : m_order) {
        if (m_faces[face].folded.find(m_findText) != std::wstring::npos)
            m_shown.push_back(face);
    }
}

int CFaceTable::CheckedCount() const
{
    return static_cast<int>(std::count_if(m_faces.begin(), m_faces.end(), [](const Face& face) { return face.check == 1; }));
}

CFaceTable::Face* CFaceTable::ShownAt(int item)
{
    if (item < 0 || item >= static_cast<int>(m_shown.size()))
        return nullptr;
    return &m_faces[m_shown[item]];
}
