#pragma once

#include <windows.h>

#include <string>

// A string of a resource library as it is stored; empty when it has none.
std::wstring ResourceString(HMODULE library, UINT id);
