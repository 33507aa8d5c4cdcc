// The line under the list: how many faces are checked, of how many, and how
// many the list shows while it is narrowed.
#include "font_select_dialog.h"

#include "control_ids.h"

#include <string>
#include <vector>

namespace {

std::string LocaleText(LCTYPE what)
{
    char text[16] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, what, text, sizeof text);
    return text;
}

// A whole number with the user's digit grouping, e.g. 1,204.
std::string GroupedNumber(int number)
{
    std::string thousands = LocaleText(LOCALE_STHOUSAND);
    std::string decimal = LocaleText(LOCALE_SDECIMAL);
    // "3;0" groups by three, "3;2;0" by three then two: 3 and 32 here.
    UINT grouping = 0;
    for (char c : LocaleText(LOCALE_SGROUPING)) {
        if (c >= '1' && c <= '9')
            grouping = grouping * 10 + static_cast<UINT>(c - '0');
    }
    NUMBERFMTA format{0, 0, grouping, decimal.data(), thousands.data(), 1};
    const std::string digits = std::to_string(number);
    char text[64] = {};
    if (!::GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits.c_str(), &format, text, sizeof text))
        return digits;
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

void CFontSelectDialog::ShowCount()
{
    m_countPending = false;
    std::string text = WithInserts(AfxLoadString(IDS_FONT_COUNT),
                                   {GroupedNumber(m_faces.CheckedCount()), GroupedNumber(m_faces.Count())});
    if (m_faces.Narrowed())
        text += WithInserts(AfxLoadString(IDS_FONT_COUNT_SHOWN), {GroupedNumber(static_cast<int>(m_faces.Shown().size()))});
    ::SetDlgItemTextA(m_hWnd, IDC_FONT_COUNT, text.c_str());
}

void CFontSelectDialog::ShowCountSoon()
{
    if (m_countPending)
        return;
    m_countPending = true;
    ::PostMessageA(m_hWnd, kCountChangedMessage, 0, 0);
}

LRESULT CFontSelectDialog::OnCountChanged(WPARAM, LPARAM)
{
    if (m_countPending)
        ShowCount();
    return 0;
}
