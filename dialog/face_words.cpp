#include "face_words.h"

#include "control_ids.h"
#include "framework/afx.h"

namespace {

// OS/2 fsType bits and their words, in the order they are listed. The first
// three are the usage permissions; a face with none of them is installable.
struct PermissionWord {
    unsigned bit;
    UINT stringId;
};
const PermissionWord kPermissionWords[] = {
    {0x0002, IDS_LICENCE_RESTRICTED},
    {0x0004, IDS_LICENCE_PREVIEW_PRINT},
    {0x0008, IDS_LICENCE_EDITABLE},
    {0x0100, IDS_LICENCE_NO_SUBSETTING},
    {0x0200, IDS_LICENCE_BITMAPS_ONLY},
};
constexpr unsigned kUsageBits = 0x0002 | 0x0004 | 0x0008;
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
    std::string words = (fsType & kUsageBits) ? std::string() : AfxLoadString(IDS_LICENCE_INSTALLABLE);
    for (const PermissionWord& word : kPermissionWords) {
        if (!(fsType & word.bit))
            continue;
        if (!words.empty())
            words += kWordSeparator;
        words += AfxLoadString(word.stringId);
    }
    return m_licences.emplace(fsType, std::move(words)).first->second;
}
