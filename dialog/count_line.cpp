#include "count_line.h"

#include "control_ids.h"
#include "message_text.h"
#include "framework/afx.h"

#include <iterator>

namespace {

// The line's sentence for each state of the list, by [finding][narrowed]
// [locked]. Each takes the same inserts: %1 the faces checked, %2 those
// listed (found so far while finding), %3 those shown, %4 those whose check
// the administrator's policy sets.
const UINT kCountLines[2][2][2] = {
    {{IDS_FONT_COUNT, IDS_FONT_COUNT_LOCKED}, {IDS_FONT_COUNT_NARROWED, IDS_FONT_COUNT_NARROWED_LOCKED}},
    {{IDS_FONT_COUNT_FINDING, IDS_FONT_COUNT_FINDING_LOCKED},
     {IDS_FONT_COUNT_FINDING_NARROWED, IDS_FONT_COUNT_FINDING_NARROWED_LOCKED}},
};

// A count as long as a large collection's: the line keeps room for it.
constexpr int kLongestCount = 99999;

} // namespace

std::wstring UserLocaleText(LCTYPE what)
{
    // Sized by asking first: a user's setting may be longer than any locale's own.
    const int size = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, what, nullptr, 0);
    if (size <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(size), L'\0');
    const int written = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, what, text.data(), size);
    text.resize(written > 0 ? static_cast<size_t>(written) - 1 : 0); // without the terminator
    return text;
}

CCountLine::CCountLine() : m_thousands(UserLocaleText(LOCALE_STHOUSAND)), m_decimal(UserLocaleText(LOCALE_SDECIMAL))
{
    // An older library, without the narrowed or locked list's sentences,
    // counts as if the list were not narrowed, and no face locked.
    for (int finding = 0; finding < 2; ++finding) {
        for (int narrowed = 0; narrowed < 2; ++narrowed) {
            for (int locked = 0; locked < 2; ++locked)
                m_patterns[finding][narrowed][locked] = AfxLoadString(kCountLines[finding][narrowed][locked]);
        }
        for (int locked = 0; locked < 2; ++locked) {
            if (m_patterns[finding][1][locked].empty())
                m_patterns[finding][1][locked] = m_patterns[finding][0][locked];
        }
        for (int narrowed = 0; narrowed < 2; ++narrowed) {
            if (m_patterns[finding][narrowed][1].empty())
                m_patterns[finding][narrowed][1] = m_patterns[finding][narrowed][0];
        }
    }
    // "3;0" groups by three, "3;2;0" by three then two: 3 and 32 here. A
    // separator or grouping that cannot be read leaves the digits ungrouped.
    if (m_thousands.empty())
        return;
    for (wchar_t c : UserLocaleText(LOCALE_SGROUPING)) {
        if (c >= L'1' && c <= L'9')
            m_grouping = m_grouping * 10 + static_cast<UINT>(c - L'0');
    }
}

std::wstring CCountLine::Text(int checked, int listed, int shown, int locked, bool finding) const
{
    return FormattedMessage(m_patterns[finding][shown >= 0][locked > 0],
                            {Number(checked), Number(listed), Number(shown), Number(locked)});
}

std::vector<std::wstring> CCountLine::EveryText(bool locked) const
{
    const std::wstring count = Number(kLongestCount);
    std::vector<std::wstring> texts;
    for (const auto& finding : m_patterns) {
        for (const auto& narrowed : finding) {
            for (int lock = 0; lock <= (locked ? 1 : 0); ++lock)
                texts.push_back(FormattedMessage(narrowed[lock], {count, count, count, count}));
        }
    }
    // Under LockAll, once every face is listed.
    if (locked)
        texts.push_back(AfxLoadString(IDS_LOCKED_BY_ADMINISTRATOR));
    return texts;
}

// A whole number with the user's digit grouping, e.g. 1,204.
std::wstring CCountLine::Number(int number) const
{
    // A leading zero, or the platform may spell 0 as nothing.
    NUMBERFMTW format{0, 1, m_grouping, const_cast<wchar_t*>(m_decimal.c_str()),
                      const_cast<wchar_t*>(m_thousands.c_str()), 1};
    const std::wstring digits = std::to_wstring(number);
    wchar_t text[64] = {};
    if (!::GetNumberFormatW(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, text, static_cast<int>(std::size(text))))
        return digits;
    return text;
}
