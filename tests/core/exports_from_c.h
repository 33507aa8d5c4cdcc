#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Looks the four exports up under the names the exports' header gives, in C,
// and asks for the face's embedding switch: 1 on, 0 off, -1 when an export
// is not found.
int FindExportsFromC(HMODULE library, const char* face);

#ifdef __cplusplus
}
#endif
