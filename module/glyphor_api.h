#pragma once

// The library's exports as a caller that loads it at run time sees them.

#include <windows.h>

extern "C" {
typedef void (*RunGlyphorDialogFn)();
typedef bool (*IsEnabledForFacenameFn)(const char* face, bool tessellation);
typedef bool (*IsColdStartFn)();
typedef LONG (*SetAllToDefaultsFn)();
}
