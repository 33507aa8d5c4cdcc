#pragma once

#include "common/unique_handle.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// The resource libraries the dialog may take its words from, and the one it
// takes for the calling thread's languages, chosen as the system's resource
// loader chooses: for each of the thread's preferred user interface
// languages, its full name and then its parents (de-CH, then de; zh-HK,
// then zh-Hant), the translation in the folder of that name beside this
// library; then the English library beside this library, else beside the
// host program. Only this library's own folder holds translations. A
// translation counts only when it carries the English library's file version
// and its template has every control of the dialog: one left from another
// release is passed over for the next candidate. Each library is loaded
// once, as a resource image (none of its code runs), and kept as long as
// this object.
class CResourceLibraries {
public:
    // The library for the calling thread's languages, `library` being this
    // library's module; null when there is no English library.
    HMODULE Choose(HMODULE library);

private:
    // The library at a full path, loaded when first asked for; null when it
    // cannot be loaded (it may be installed later).
    HMODULE Load(const std::wstring& path);

    std::map<std::wstring, UniqueHModule> m_loaded; // by full path
};

// The calling thread's preferred user interface languages, each followed by
// its parents, each name once.
std::vector<std::wstring> PreferredUiLanguages();
