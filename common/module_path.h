#pragma once

#include <windows.h>

#include <string>

// The full path of a module (null: the program's); empty when it cannot be had.
inline std::wstring ModulePath(HMODULE module)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(2 * path.size()); // cut short: a longer path than the buffer
    }
}
