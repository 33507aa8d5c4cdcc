#include "bench_profile.h"

#include "tests/support/glyphor_library.h"

#include <cstdio>
#include <cwchar>
#include <iterator>
#include <stdexcept>

namespace {

// Every how many generated faces one is switched off, in each list, among
// the first faces of each set only: the lists keep several hundred names at
// every size.
constexpr int kEmbedOffEvery = 17;
constexpr int kTessellateOffEvery = 83;
constexpr int kFacesSwitched = 5000;

} // namespace

std::string BenchFaceName(int number)
{
    static const char* const kStyles[] = {"", " Bold", " Italic", " Bold Italic"};
    char name[48];
    std::snprintf(name, sizeof name, "Glyphor Family %04d%s", number / 4, kStyles[number % 4]);
    return name;
}

std::wstring TwoLanguageBenchFaceName(int number, bool japanese)
{
    static const wchar_t* const kStyles[] = {L"", L" Bold", L" Italic", L" Bold Italic"};
    wchar_t name[64];
    std::swprintf(name, std::size(name), japanese ? L"\u30B0\u30EA\u30D5\u30A9 \u4E8C\u91CD %04d%ls" : L"Glyphor Twofold %04d%ls",
                  number / 4, kStyles[number % 4]);
    return name;
}

std::string OneStyleBenchFaceName(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "Glyphor Bench %05d", number);
    return name;
}

std::vector<std::string> FillRealisticLists(const ScopedProfile& profile, const GlyphorLibrary& library)
{
    profile.CreateGeneral();
    if (library.SetAllToDefaults() != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the defaults under HKCU\\" + profile.Path());
    std::vector<std::string> listed = ValueNames(profile.EmbedList());
    for (int i = 0; i < kFacesSwitched; ++i) {
        for (const std::string& face : {BenchFaceName(i), OneStyleBenchFaceName(i)}) {
            if (i % kEmbedOffEvery == 0)
                WriteDwordZero(profile.EmbedList(), face);
            if (i % kTessellateOffEvery == 0)
                WriteDwordZero(profile.TessellateList(), face);
            if (i % kEmbedOffEvery == 0 || i % kTessellateOffEvery == 0)
                listed.push_back(face);
        }
    }
    return listed;
}
