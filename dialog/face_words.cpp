#include "face_words.h"

#include "control_ids.h"
#include "framework/afx.h"

#include <algorithm>
#include <iterator>

namespace {

// OS/2 fsType bits and their words. Of the usage permissions, the least
// restrictive that a face sets applies, so they are listed least restrictive
// first and only the first one set is named; a face with none of them is
// installable. The qualifiers follow it.
struct PermissionWord {
    unsigned bit;
    UINT stringId;
};
const PermissionWord kUsageWords[] = {
    {0x0008, IDS_LICENCE_EDITABLE},
    {0x0004, IDS_LICENCE_PREVIEW_PRINT},
    {0x0002, IDS_LICENCE_RESTRICTED},
    {0x0000, IDS_LICENCE_INSTALLABLE},
};
const PermissionWord kQualifierWords[] = {
    {0x0100, IDS_LICENCE_NO_SUBSETTING},
    {0x0200, IDS_LICENCE_BITMAPS_ONLY},
};
const char kWordSeparator[] = ", ";

} // namespace

int SwitchListOf(const CFontEntry& entry)
{
    return entry.m_embeddable ? 0 : 1;
}

CFaceWords::CFaceWords()
    : m_embedding(AfxLoadString(IDS_ALLOWS_EMBEDDING)), m_tessellation(AfxLoadString(IDS_ALLOWS_TESSELLATION))
{
}

const std::string& CFaceWords::Allows(const CFontEntry& entry) const
{
    return SwitchListOf(entry) ? m_tessellation : m_embedding;
}

const std::string& CFaceWords::Licence(unsigned fsType)
{
    auto known = m_licences.find(fsType);
    if (known != m_licences.end())
        return known->second;
    const auto usage = std::find_if(std::begin(kUsageWords), std::end(kUsageWords),
                                    [fsType](const PermissionWord& word) { return (fsType & word.bit) == word.bit; });
    std::string words = AfxLoadString(usage->stringId);
    for (const PermissionWord& qualifier : kQualifierWords) {
        if (fsType & qualifier.bit)
            words += kWordSeparator + AfxLoadString(qualifier.stringId);
    }
    return m_licences.emplace(fsType, std::move(words)).first->second;
}
