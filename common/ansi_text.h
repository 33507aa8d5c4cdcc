#pragma once

// Text between the ANSI code page and UTF-16, for what speaks the ANSI calls.

#include <windows.h>

#include <string>

// `text` of `codePage` in UTF-16; empty when it cannot be converted.
inline std::wstring Widened(const std::string& text, UINT codePage = CP_ACP)
{
    const int bytes = static_cast<int>(text.size());
    const int length = bytes > 0 ? ::MultiByteToWideChar(codePage, 0, text.data(), bytes, nullptr, 0) : 0;
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), bytes, wide.data(), length);
    return wide;
}

// UTF-16 `text` in `codePage`, with the code page's default character for
// what it cannot spell.
inline std::string Narrowed(const std::wstring& text, UINT codePage = CP_ACP)
{
    const int units = static_cast<int>(text.size());
    const int size =
        units > 0 ? ::WideCharToMultiByte(codePage, 0, text.data(), units, nullptr, 0, nullptr, nullptr) : 0;
    if (size <= 0)
        return std::string();
    std::string narrow(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), units, narrow.data(), size, nullptr, nullptr);
    return narrow;
}
