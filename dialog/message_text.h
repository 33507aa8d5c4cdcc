#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A resource string with its numbered inserts %1, %2 ... filled in, as
// FormatMessage fills them: a translation puts them where its language
// needs them. An insert the pattern names beyond those given reads as
// nothing (an older library's string may name one no longer given), and a
// percent sign of any other form is text: no pattern reads beyond the
// inserts given.
std::wstring FormattedMessage(const std::wstring& pattern, const std::vector<std::wstring>& inserts = {});

// The system's words for an error, without the closing line break; the
// number alone when it has none.
std::wstring SystemErrorText(LONG error);
