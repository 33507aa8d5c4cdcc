#include "family_variants.h"

#include <algorithm>
#include <cwchar>

namespace {

bool SameStyle(const CFamilyVariants::Variant& a, const CFamilyVariants::Variant& b)
{
    return a.font.lfWeight == b.font.lfWeight && a.font.lfItalic == b.font.lfItalic;
}

} // namespace

void CFamilyVariants::Clear()
{
    m_trueType.clear();
    m_styles.clear();
    m_stylesShared = false;
}

void CFamilyVariants::Add(const ENUMLOGFONTEXW& variant, DWORD type)
{
    const LOGFONTW& font = variant.elfLogFont;
    const wchar_t* face = variant.elfFullName;
    const size_t length = wcsnlen(face, LF_FULLFACESIZE);
    // A missing name, or one that fills its field and may have been cut
    // short, cannot tell two faces apart.
    if (length == 0 || length >= LF_FULLFACESIZE - 1)
        m_stylesShared = true;
    auto style = std::find_if(m_styles.begin(), m_styles.end(), [&font](const Style& held) {
        return held.weight == font.lfWeight && held.italic == font.lfItalic;
    });
    if (style == m_styles.end())
        m_styles.push_back({font.lfWeight, font.lfItalic, std::wstring(face, length)});
    else if (style->face.compare(0, std::wstring::npos, face, length) != 0)
        m_stylesShared = true;
    if (type == TRUETYPE_FONTTYPE)
        m_trueType.push_back({font, std::wstring(face, length)});
}

std::vector<CFamilyVariants::Variant> CFamilyVariants::ToRealise() const
{
    if (m_stylesShared)
        return m_trueType;
    // One face per style: the first report of each style is its face's first.
    std::vector<Variant> firsts;
    for (const Variant& variant : m_trueType) {
        if (std::none_of(firsts.begin(), firsts.end(), [&variant](const Variant& first) { return SameStyle(first, variant); }))
            firsts.push_back(variant);
    }
    return firsts;
}
