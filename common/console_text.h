#pragma once

// Text a console program writes: to a console in UTF-16, whatever its code
// page can show; to a file or a pipe in UTF-8.

#include "common/ansi_text.h"

#include <windows.h>

#include <string>

inline bool WriteText(HANDLE stream, const std::wstring& text)
{
    DWORD mode = 0, written = 0;
    if (::GetConsoleMode(stream, &mode))
        return ::WriteConsoleW(stream, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
    const std::string bytes = Narrowed(text, CP_UTF8);
    return ::WriteFile(stream, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
           written == bytes.size();
}

inline bool WriteOut(const std::wstring& text)
{
    return WriteText(::GetStdHandle(STD_OUTPUT_HANDLE), text);
}

inline bool WriteError(const std::wstring& text)
{
    return WriteText(::GetStdHandle(STD_ERROR_HANDLE), text);
}
