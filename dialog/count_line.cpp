#include "count_line.h"

#include "control_ids.h"
#include "message_text.h"
#include "framework/afx.h"

std::string UserLocaleText(LCTYPE what)
{
    // Sized by asking first: a user's setting may be longer than any locale's own.
    const int size = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, what, nullptr, 0);
    if (size <= 0)
        return std::string();
    std::string text(static_cast<size_t>(size), '\0');
    const int written = ::GetLocaleInfoA(LOCALE_USER_DEFAULT, what, text.data(), size);
    text.resize(written > 0 ? static_cast<size_t>(written) - 1 : 0); // without the terminator
    return text;
}

CCountLine::CCountLine()
    : m_checkedPattern(AfxLoadString(IDS_FONT_COUNT)), m_shownPattern(AfxLoadString(IDS_FONT_COUNT_SHOWN)),
      m_lockedPattern(AfxLoadString(IDS_FONT_COUNT_LOCKED)),
      m_findingPattern(AfxLoadString(IDS_FINDING_FONTS)),
      m_thousands(UserLocaleText(LOCALE_STHOUSAND)), m_decimal(UserLocaleText(LOCALE_SDECIMAL))
{
    // "3;0" groups by three, "3;2;0" by three then two: 3 and 32 here. A
    // separator or grouping that cannot be read leaves the digits ungrouped.
    if (m_thousands.empty())
        return;
    for (char c : UserLocaleText(LOCALE_SGROUPING)) {
        if (c >= '1' && c <= '9')
            m_grouping = m_grouping * 10 + static_cast<UINT>(c - '0');
    }
}

std::string CCountLine::Text(int checked, int total, int shown, int locked) const
{
    std::string text = WithInserts(m_checkedPattern, {Number(checked), Number(total)});
    if (shown >= 0)
        text += WithInserts(m_shownPattern, {Number(shown)});
    if (locked > 0)
        text += WithInserts(m_lockedPattern, {Number(locked)});
    return text;
}

std::string CCountLine::Finding(int found, int shown) const
{
    std::string text = WithInserts(m_findingPattern, {Number(found)});
    if (shown >= 0)
        text += WithInserts(m_shownPattern, {Number(shown)});
    return text;
}

// A whole number with the user's digit grouping, e.g. 1,204.
std::string CCountLine::Number(int number) const
{
    // A leading zero, or the platform may spell 0 as nothing.
    NUMBERFMTA format{0, 1, m_grouping, const_cast<char*>(m_decimal.c_str()), const_cast<char*>(m_thousands.c_str()), 1};
    const std::string digits = std::to_string(number);
    char text[64] = {};
    if (!::GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, text, sizeof text))
        return digits;
    return text;
}
