// Stand-in for the host's output driver: loads the font library, by name or
// from a folder of its own, and calls its exports as the driver does.
#include "installed_faces.h"

#include "common/unique_handle.h"
#include "module/glyphor_api.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// How the usage names the program: GLYPHOR_DRIVER_NAME lets a wrapper that
// runs it put its own command there.
const char* ProgramName()
{
    const char* name = std::getenv("GLYPHOR_DRIVER_NAME");
    return name && *name ? name : "GlyphorDriver";
}

int Usage()
{
    const char* name = ProgramName();
    const int width = static_cast<int>(std::strlen(name));
    std::fprintf(stderr,
                 "usage: %s query FACE [--tessellation]   is the face's switch on?\n"
                 "       %*s cold-start                    does the profile lack its lists?\n"
                 "       %*s defaults                      reset both lists to the defaults\n"
                 "       %*s dialog                        show the font selection dialog\n"
                 "       %*s --library PATH COMMAND ...    load Glyphor.dll from PATH, its imports beside it\n",
                 name, width, name, width, name, width, name, width, name);
    return 2;
}

template <typename Fn>
Fn Export(HMODULE library, const char* name)
{
    auto address = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
    if (!address)
        std::fprintf(stderr, "Glyphor.dll does not export %s\n", name);
    return address;
}

// By bare name, as a driver beside the library loads it; from a path, the
// library's imports are looked for in its folder first, as a driver whose
// files stand in a folder of their own loads it.
HMODULE LoadGlyphor(const char* path)
{
    if (!path)
        return ::LoadLibraryA("Glyphor.dll");
    std::string full(::GetFullPathNameA(path, 0, nullptr, nullptr), '\0');
    full.resize(::GetFullPathNameA(path, static_cast<DWORD>(full.size()), full.data(), nullptr));
    return ::LoadLibraryExA(full.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace

int main(int argc, char** argv)
{
    const char* libraryPath = nullptr;
    if (argc > 2 && std::strcmp(argv[1], "--library") == 0) {
        libraryPath = argv[2];
        argv[2] = argv[0];
        argv += 2;
        argc -= 2;
    }
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    const bool knownCommand = command == "query" || command == "cold-start" || command == "defaults" || command == "dialog";
    if (!knownCommand)
        return Usage();
    if (command == "query" && argc == 2) {
        std::fprintf(stderr, "query needs a face name\n");
        return Usage();
    }
    const bool tessellation = command == "query" && argc == 4 && std::strcmp(argv[3], "--tessellation") == 0;
    const int expectedArgs = command == "query" ? (tessellation ? 4 : 3) : 2;
    if (argc != expectedArgs)
        return Usage();

    UniqueHModule library(LoadGlyphor(libraryPath));
    if (!library) {
        std::fprintf(stderr, "cannot load %s (error %lu)\n", libraryPath ? libraryPath : "Glyphor.dll", ::GetLastError());
        return 1;
    }

    if (command == "query") {
        auto isEnabled = Export<IsEnabledForFacenameFn>(library.get(), GLYPHOR_IS_ENABLED_FOR_FACENAME_EXPORT);
        if (!isEnabled)
            return 1;
        // The driver asks about any name it meets; the answer stands whether
        // or not such a face is installed.
        std::printf("%s switch of \"%s\": %s%s\n", tessellation ? "tessellation" : "embedding", argv[2],
                    isEnabled(argv[2], tessellation) ? "on" : "off",
                    IsTrueTypeFaceInstalled(argv[2]) ? "" : " (no such face installed)");
    } else if (command == "cold-start") {
        auto isColdStart = Export<IsColdStartFn>(library.get(), GLYPHOR_IS_COLD_START_EXPORT);
        if (!isColdStart)
            return 1;
        std::printf("cold start: %s\n", isColdStart() ? "yes" : "no");
    } else if (command == "defaults") {
        auto setAllToDefaults = Export<SetAllToDefaultsFn>(library.get(), GLYPHOR_SET_ALL_TO_DEFAULTS_EXPORT);
        if (!setAllToDefaults)
            return 1;
        std::printf("SetAllToDefaults: %ld\n", static_cast<long>(setAllToDefaults()));
    } else {
        auto runDialog = Export<RunGlyphorDialogFn>(library.get(), GLYPHOR_RUN_DIALOG_EXPORT);
        if (!runDialog)
            return 1;
        const int result = runDialog();
        std::printf("runGlyphorDialog: %d (%s)\n", result,
                    result == IDOK ? "OK" : result == IDCANCEL ? "cancelled" : "no dialog shown");
    }
    return 0;
}
