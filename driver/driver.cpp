// Stand-in for the host's output driver: loads the font library by name and
// calls its exports as the driver does.
#include "common/unique_handle.h"
#include "module/glyphor_api.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: GlyphorDriver query FACE [--tessellation]   is the face's switch on?\n"
                 "       GlyphorDriver cold-start                    does the profile lack its lists?\n"
                 "       GlyphorDriver defaults                      reset both lists to the defaults\n"
                 "       GlyphorDriver dialog                        show the font selection dialog\n");
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

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    const bool knownCommand = command == "query" || command == "cold-start" || command == "defaults" || command == "dialog";
    if (!knownCommand)
        return Usage();
    const bool tessellation = command == "query" && argc == 4 && std::strcmp(argv[3], "--tessellation") == 0;
    const int expectedArgs = command == "query" ? (tessellation ? 4 : 3) : 2;
    if (argc != expectedArgs)
        return Usage();

    UniqueHModule library(::LoadLibraryA("Glyphor.dll"));
    if (!library) {
        std::fprintf(stderr, "cannot load Glyphor.dll (error %lu)\n", ::GetLastError());
        return 1;
    }

    if (command == "query") {
        auto isEnabled = Export<IsEnabledForFacenameFn>(library.get(), "IsEnabledForFacename");
        if (!isEnabled)
            return 1;
        std::printf("%s switch of \"%s\": %s\n", tessellation ? "tessellation" : "embedding", argv[2],
                    isEnabled(argv[2], tessellation) ? "on" : "off");
    } else if (command == "cold-start") {
        auto isColdStart = Export<IsColdStartFn>(library.get(), "IsColdStart");
        if (!isColdStart)
            return 1;
        std::printf("cold start: %s\n", isColdStart() ? "yes" : "no");
    } else if (command == "defaults") {
        auto setAllToDefaults = Export<SetAllToDefaultsFn>(library.get(), "SetAllToDefaults");
        if (!setAllToDefaults)
            return 1;
        std::printf("SetAllToDefaults: %ld\n", static_cast<long>(setAllToDefaults()));
    } else {
        auto runDialog = Export<RunGlyphorDialogFn>(library.get(), "runGlyphorDialog");
        if (!runDialog)
            return 1;
        runDialog();
        std::printf("dialog closed\n");
    }
    return 0;
}
