#include "count_line.h"

#include "control_ids.h"
#include "framework/afx.h"

#include <vector>

namespace {

std::string LocaleText(LCTYPE what)
{
    char text[16] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, what, text, sizeof text);
    return text;
}

// Puts the inserts in place of %1, %2 ... of a resource string; any other
// text, a stray % included, stays as it is.
std::string WithInserts(const std::string& pattern, const std::vector<std::string>& inserts)
{
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const size_t insert = i + 1 < pattern.size() ? static_cast<size_t>(pattern[i + 1] - '1') : inserts.size();
        if (pattern[i] == '%' && insert < inserts.size()) {
            text += inserts[insert];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

} // namespace

CCountLine::CCountLine()
    : m_checkedPattern(AfxLoadString(IDS_FONT_COUNT)), m_shownPattern(AfxLoadString(IDS_FONT_COUNT_SHOWN)),
      m_thousands(LocaleText(LOCALE_STHOUSAND)), m_decimal(LocaleText(LOCALE_SDECIMAL))
{
    // "3;0" groups by three, "3;2;0" by three then two: 3 and 32 here.
    for (char c : LocaleText(LOCALE_SGROUPING)) {
        if (c >= '1' && c <= '9')
            m_grouping = m_grouping * 10 + static_cast<UINT>(c - '0');
    }
}

std::string CCountLine::Text(int checked, int total, int shown) const
{
    std::string text = WithInserts(m_checkedPattern, {Number(checked), Number(total)});
    if (shown >= 0)
        text += WithInserts(m_shownPattern, {Number(shown)});
    return text;
}

// A whole number with the user's digit grouping, e.g. 1,204.
std::string CCountLine::Number(int number) const
{
    NUMBERFMTA format{0, 0, m_grouping, const_cast<char*>(m_decimal.c_str()), const_cast<char*>(m_thousands.c_str()), 1};
    const std::string digits = std::to_string(number);
    char text[64] = {};
    if (!::GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, text, sizeof text))
        return digits;
    return text;
}
