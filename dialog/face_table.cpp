#include "face_table.h"

#include "folded_text.h"
#include "fonts/face_finder.h"
#include "store/value_names.h"

#include <algorithm>
#include <tuple>

namespace {

// Merges `added`, in order, into `order`, in order. Returns where the added
// ones stand in the result, ascending.
template <typename Before>
std::vector<int> MergeInto(std::vector<int>& order, const std::vector<int>& added, Before before)
{
    std::vector<int> merged, places;
    merged.reserve(order.size() + added.size());
    places.reserve(added.size());
    auto old = order.begin();
    for (int face : added) {
        for (; old != order.end() && !before(face, *old); ++old)
            merged.push_back(*old);
        places.push_back(static_cast<int>(merged.size()));
        merged.push_back(face);
    }
    merged.insert(merged.end(), old, order.end());
    order.swap(merged);
    return places;
}

} // namespace

std::vector<int> CFaceTable::Add(const std::vector<FoundFace>& found, CFaceWords& words)
{
    std::vector<int> added;
    for (const FoundFace& faceFound : found) {
        if (!m_names.insert(faceFound.names.Reported()).second)
            continue;
        Face face;
        face.names = faceFound.names;
        face.sortKey = faceFound.sortKey;
        face.folded = FoldedForFinding(face.Name());
        face.words[kAllowsColumn] = &words.Allows(faceFound.embeddable != 0);
        face.words[kLicenceColumn] = &words.Licence(faceFound.fsType);
        face.fsType = faceFound.fsType;
        face.embeddable = faceFound.embeddable != 0;
        face.realisedFrom = faceFound.realisedFrom;
        face.nameWidth = faceFound.nameWidth;
        face.check = face.stored = faceFound.enabled ? 1 : 0;
        face.switchList = face.embeddable ? 0 : 1;
        Lock(face);
        added.push_back(Count());
        m_faces.push_back(std::move(face));
        JoinTwins(added.back());
    }
    // Names the locale comparison calls equal keep the order found.
    std::vector<int> byName = added;
    const auto nameBefore = [this](int a, int b) {
        return std::tie(m_faces[a].sortKey, a) < std::tie(m_faces[b].sortKey, b);
    };
    std::sort(byName.begin(), byName.end(), nameBefore);
    MergeInto(m_nameOrder, byName, nameBefore);

    const auto before = [this](int a, int b) { return Before(a, b); };
    std::sort(added.begin(), added.end(), before);
    MergeInto(m_order, added, before);
    added.erase(std::remove_if(added.begin(), added.end(), [this](int face) { return !Matches(face); }), added.end());
    return MergeInto(m_shown, added, before);
}

const std::string& CFaceTable::ColumnKey(int face) const
{
    static const std::string kNone;
    if (m_sortColumn == kNameColumn)
        return kNone;
    const std::wstring* word = m_faces[face].words[m_sortColumn];
    auto key = m_wordKeys.lower_bound(word);
    if (key == m_wordKeys.end() || key->first != word)
        key = m_wordKeys.emplace_hint(key, word, LocaleSortKey(word->c_str()));
    return key->second;
}

bool CFaceTable::Before(int a, int b) const
{
    if (!m_sortAscending)
        std::swap(a, b);
    return std::forward_as_tuple(ColumnKey(a), m_faces[a].sortKey, a) <
           std::forward_as_tuple(ColumnKey(b), m_faces[b].sortKey, b);
}

void CFaceTable::SortBy(int column, bool ascending)
{
    m_sortColumn = column;
    m_sortAscending = ascending;
    m_order = m_nameOrder;
    std::sort(m_order.begin(), m_order.end(), [this](int a, int b) { return Before(a, b); });
    Show();
}

void CFaceTable::Narrow(const std::wstring& text)
{
    m_findText = FoldedForFinding(text);
    Show();
}

bool CFaceTable::Matches(int face) const
{
    return m_faces[face].folded.find(m_findText) != std::wstring::npos;
}

void CFaceTable::Show()
{
    m_shown.clear();
    m_shown.reserve(m_order.size());
    std::copy_if(m_order.begin(), m_order.end(), std::back_inserter(m_shown), [this](int face) { return Matches(face); });
}

int CFaceTable::CheckedCount() const
{
    return static_cast<int>(std::count_if(m_faces.begin(), m_faces.end(), [](const Face& face) { return face.check == 1; }));
}

const CFaceTable::Face* CFaceTable::ShownAt(int item) const
{
    if (item < 0 || item >= static_cast<int>(m_shown.size()))
        return nullptr;
    return &m_faces[m_shown[item]];
}

void CFaceTable::Lock(Face& face)
{
    // Without a list policy no name needs looking up.
    const PolicySwitch set = m_policy->SetsAnySwitch() ? m_policy->Setting(face.names, face.switchList != 0).state
                                                        : PolicySwitch::NotSet;
    face.locked = set != PolicySwitch::NotSet || m_policy->LockAll();
    if (set != PolicySwitch::NotSet)
        face.check = face.stored = set == PolicySwitch::On ? 1 : 0;
    m_lockedCount += face.locked ? 1 : 0;
}

void CFaceTable::JoinTwins(int face)
{
    Face& joining = m_faces[face];
    const auto value = m_values[joining.switchList].try_emplace(MatchKey(joining.Name()), face);
    if (value.second)
        return;
    Face& twin = m_faces[value.first->second];
    joining.twin = twin.twin == -1 ? value.first->second : twin.twin;
    twin.twin = face;
    // One the user has set already gives the newcomer the user's check.
    if (twin.check != joining.check)
        SetCheck(face, twin.check);
}

void CFaceTable::SetCheck(int face, int check)
{
    m_faces[face].check = check;
    if (!m_faces[face].touched) {
        m_faces[face].touched = true;
        m_touched.push_back(face);
    }
}

bool CFaceTable::SetShownCheck(int item, int check)
{
    if (!ShownAt(item))
        return false;
    const int face = m_shown[item];
    SetCheck(face, check);
    for (int twin = m_faces[face].twin; twin != -1 && twin != face; twin = m_faces[twin].twin)
        SetCheck(twin, check);
    return true;
}

std::vector<int> CFaceTable::ShownTwins(int item) const
{
    std::vector<int> items;
    if (item < 0 || item >= static_cast<int>(m_shown.size()))
        return items;
    const int face = m_shown[item];
    const auto before = [this](int a, int b) { return Before(a, b); };
    for (int twin = m_faces[face].twin; twin != -1 && twin != face; twin = m_faces[twin].twin) {
        const auto place = std::lower_bound(m_shown.begin(), m_shown.end(), twin, before);
        if (place != m_shown.end() && *place == twin)
            items.push_back(static_cast<int>(place - m_shown.begin()));
    }
    return items;
}

std::vector<int> CFaceTable::Changed()
{
    // A face set back as the store has it, or saved since, is touched no more.
    for (int face : m_touched)
        m_faces[face].touched = m_faces[face].Changed();
    const auto untouched = [this](int face) { return !m_faces[face].touched; };
    m_touched.erase(std::remove_if(m_touched.begin(), m_touched.end(), untouched), m_touched.end());
    return m_touched;
}
