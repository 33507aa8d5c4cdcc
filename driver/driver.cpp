// Stand-in for the host's output driver: loads the font library, by name or
// from a folder of its own, and calls its exports as the driver does.
#include "common/console_text.h"
#include "common/unique_handle.h"
#include "module/glyphor_api.h"
#include "names/face_names.h"
#include "names/resolved_names.h"

#include <cstdlib>
#include <string>

namespace {

// How the usage names the program: GLYPHOR_DRIVER_NAME lets a wrapper that
// runs it put its own command there.
std::wstring ProgramName()
{
    const wchar_t* name = _wgetenv(L"GLYPHOR_DRIVER_NAME");
    return name && *name ? name : L"GlyphorDriver";
}

int Usage()
{
    const std::wstring name = ProgramName(), indent(name.size(), L' ');
    WriteError(L"usage: " + name + L" query FACE [--tessellation]   is the face's switch on?\n"
               L"       " + indent + L" cold-start                    does the profile lack its lists?\n"
               L"       " + indent + L" defaults                      reset both lists to the defaults\n"
               L"       " + indent + L" dialog                        show the font selection dialog\n"
               L"       " + indent + L" --library PATH COMMAND ...    load Glyphor.dll from PATH, its imports beside it\n");
    return 2;
}

template <typename Fn>
Fn Export(HMODULE library, const char* name)
{
    auto address = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
    if (!address)
        WriteError(L"Glyphor.dll does not export " + Widened(name) + L"\n");
    return address;
}

// By bare name, as a driver beside the library loads it; from a path, the
// library's imports are looked for in its folder first, as a driver whose
// files stand in a folder of their own loads it.
HMODULE LoadGlyphor(const wchar_t* path)
{
    if (!path)
        return ::LoadLibraryW(L"Glyphor.dll");
    std::wstring full(::GetFullPathNameW(path, 0, nullptr, nullptr), L'\0');
    full.resize(::GetFullPathNameW(path, static_cast<DWORD>(full.size()), full.data(), nullptr));
    return ::LoadLibraryExW(full.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Whether an installed TrueType face goes by the name, in any letter case (as
// the switch lists match names), in any of its languages.
bool IsFaceInstalled(const std::wstring& face)
{
    return ResolvedFaceNames(HorizontalForm(face)) != nullptr;
}

} // namespace

// The arguments in UTF-16, so that a face's name beyond the ANSI code page is
// asked as it is.
int wmain(int argc, wchar_t** argv)
{
    const wchar_t* libraryPath = nullptr;
    if (argc > 2 && std::wstring(argv[1]) == L"--library") {
        libraryPath = argv[2];
        argv[2] = argv[0];
        argv += 2;
        argc -= 2;
    }
    if (argc < 2)
        return Usage();
    const std::wstring command = argv[1];
    const bool knownCommand = command == L"query" || command == L"cold-start" || command == L"defaults" || command == L"dialog";
    if (!knownCommand)
        return Usage();
    if (command == L"query" && argc == 2) {
        WriteError(L"query needs a face name\n");
        return Usage();
    }
    const bool tessellation = command == L"query" && argc == 4 && std::wstring(argv[3]) == L"--tessellation";
    const int expectedArgs = command == L"query" ? (tessellation ? 4 : 3) : 2;
    if (argc != expectedArgs)
        return Usage();

    UniqueHModule library(LoadGlyphor(libraryPath));
    if (!library) {
        WriteError(L"cannot load " + std::wstring(libraryPath ? libraryPath : L"Glyphor.dll") + L" (error " +
                   std::to_wstring(::GetLastError()) + L")\n");
        return 1;
    }

    if (command == L"query") {
        // The name as the font service gives it, in UTF-16, as the header
        // tells drivers to ask.
        auto isEnabled = Export<IsEnabledForFacenameWFn>(library.get(), GLYPHOR_IS_ENABLED_FOR_FACENAME_W_EXPORT);
        if (!isEnabled)
            return 1;
        // The driver asks about any name it meets; the answer stands whether
        // or not such a face is installed.
        const std::wstring face = argv[2];
        WriteOut(std::wstring(tessellation ? L"tessellation" : L"embedding") + L" switch of \"" + face +
                 L"\": " + (isEnabled(face.c_str(), tessellation) ? L"on" : L"off") +
                 (IsFaceInstalled(face) ? L"" : L" (no such face installed)") + L"\n");
    } else if (command == L"cold-start") {
        auto isColdStart = Export<IsColdStartFn>(library.get(), GLYPHOR_IS_COLD_START_EXPORT);
        if (!isColdStart)
            return 1;
        WriteOut(std::wstring(L"cold start: ") + (isColdStart() ? L"yes" : L"no") + L"\n");
    } else if (command == L"defaults") {
        auto setAllToDefaults = Export<SetAllToDefaultsFn>(library.get(), GLYPHOR_SET_ALL_TO_DEFAULTS_EXPORT);
        if (!setAllToDefaults)
            return 1;
        WriteOut(L"SetAllToDefaults: " + std::to_wstring(static_cast<long>(setAllToDefaults())) + L"\n");
    } else {
        auto runDialog = Export<RunGlyphorDialogFn>(library.get(), GLYPHOR_RUN_DIALOG_EXPORT);
        if (!runDialog)
            return 1;
        const int result = runDialog();
        WriteOut(L"runGlyphorDialog: " + std::to_wstring(result) + L" (" +
                 (result == IDOK ? L"OK" : result == IDCANCEL ? L"cancelled" : L"no dialog shown") + L")\n");
    }
    return 0;
}
