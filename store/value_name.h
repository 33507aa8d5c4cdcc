#pragma once

#include <string>

// A face name as the registry matches value names: converted from the ANSI
// code page to UTF-16 and upper-cased there unit for unit by the system's own
// table, as the registry does, not by a locale's rules. Two faces name the
// same value of a list exactly when their keys are equal.
std::wstring ValueNameKey(const std::string& name);
