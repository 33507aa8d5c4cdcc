#pragma once

#include <windows.h>

#include <string>

// The line under the list, e.g. "1,204 of 5,022 fonts checked; 38 shown; 12
// set by your administrator":
// its words from the resource library and the user's digit grouping, read
// once so that each change of a check costs only the formatting.
class CCountLine {
public:
    CCountLine();

    // `shown` is left out (-1) while the list shows every face, `locked`
    // while the policy locks no face (0).
    std::string Text(int checked, int total, int shown, int locked) const;
    // While the faces are being found: "Finding fonts… 1,234 so far".
    std::string Finding(int found, int shown) const;
    // A whole number with the user's digit grouping, e.g. 1,204.
    std::string Number(int number) const;

private:
    std::string m_checkedPattern; // "%1 of %2 fonts checked"
    std::string m_shownPattern;   // "; %1 shown"
    std::string m_lockedPattern;  // "; %1 set by your administrator"
    std::string m_findingPattern; // "Finding fonts… %1 so far"
    std::string m_thousands;
    std::string m_decimal;
    UINT m_grouping = 0;
};

// The user's setting `what` of the current locale, whole; empty when it
// cannot be read.
std::string UserLocaleText(LCTYPE what);
