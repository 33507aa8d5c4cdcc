#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A string of a resource library as it is stored; empty when it has none.
std::wstring ResourceString(HMODULE library, UINT id);

// Whether `text` is what FormatMessage makes of `pattern`: each insert, %1
// to %99, stands for any text.
bool FormedFrom(const std::wstring& text, const std::wstring& pattern);

// The count line's sentences while faces are still being found, in English
// and in every language beside it, from the resource libraries in `folder`
// and its subfolders: whichever the dialog chose, its line is among them.
std::vector<std::wstring> FindingLines(const std::string& folder);
// Whether a count line is one of those.
bool SaysFinding(const std::wstring& line, const std::vector<std::wstring>& findingLines);
