#pragma once

// The host's profile and help library, as the font library calls it.

#include <windows.h>

#include <string>

#ifdef KYREG8_BUILD
#define KYREG8_API __declspec(dllexport)
#else
#define KYREG8_API __declspec(dllimport)
#endif

// Registry path of the host's current profile, relative to HKEY_CURRENT_USER,
// without a trailing backslash. May throw a const char* when the host has no
// current profile.
KYREG8_API std::string GetCurrentProfileKey();

// The host application's registry key. Throws a const char* when the host
// cannot name it.
KYREG8_API std::string GetAppKey(const char* reserved);

// Opens help: with command 0 the third argument is a topic name, otherwise a
// context number.
KYREG8_API BOOL DoHelp(HWND window, const char* helpFile, DWORD_PTR topicOrContext, UINT command);
