#pragma once

// The exports of Glyphor.dll as a driver that loads it at run time sees them:
// cdecl functions under undecorated names, found with GetProcAddress. The same
// for the 32-bit and the 64-bit build: 64-bit code has one calling convention,
// which __cdecl then names.

#include <windows.h>

extern "C" {
typedef void(__cdecl* RunGlyphorDialogFn)();
// The list selector is a 32-bit value of which only the low byte counts:
// non-zero asks the tessellation list, zero the embedding list.
typedef bool(__cdecl* IsEnabledForFacenameFn)(const char* face, int tessellation);
typedef bool(__cdecl* IsColdStartFn)();
typedef LONG(__cdecl* SetAllToDefaultsFn)();
}
