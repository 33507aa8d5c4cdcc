#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The line under the list, e.g. "Fonts checked: 1,204 of 5,022": a whole
// sentence of the resource library for each state of the list, and the
// user's digit grouping, read once so that each change of a check costs only
// the formatting.
class CCountLine {
public:
    CCountLine();

    // `shown` is left out (-1) while the list shows every face, `locked`
    // while the policy locks no face (0); while faces are still being found
    // (`finding`), `listed` counts those found so far.
    std::wstring Text(int checked, int listed, int shown, int locked, bool finding) const;
    // A whole number with the user's digit grouping, e.g. 1,204.
    std::wstring Number(int number) const;
    // Every sentence the line may show, its counts as long as a large
    // collection's, so that the line can keep room for the longest; the
    // administrator's forms only when faces may be `locked`.
    std::vector<std::wstring> EveryText(bool locked) const;

private:
    std::wstring m_patterns[2][2][2]; // by finding, then narrowed, then locked
    std::wstring m_thousands;
    std::wstring m_decimal;
    UINT m_grouping = 0;
};

// The user's setting `what` of the current locale, whole; empty when it
// cannot be read.
std::wstring UserLocaleText(LCTYPE what);
