#include "resource_libraries.h"

#include "common/module_path.h"
#include "dialog/font_select_dialog.h"
#include "framework/afx.h"

#include <algorithm>
#include <cstring>

namespace {

const wchar_t kResourceLibrary[] = L"GlyphorRes.dll";
// Mapped as a resource image only, so that none of its code runs.
constexpr DWORD kResourceImage = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
// The English library stands for English, with its parents' rule: a user who
// prefers English before another language gets it.
const wchar_t kEnglish[] = L"en";
constexpr DWORD kLanguageNames = MUI_LANGUAGE_NAME | MUI_UI_FALLBACK;

// The parents the system's locale data gives where cutting the name would
// not: a Chinese region falls back to its script, so that Singapore reaches
// Simplified, and Hong Kong and Macao reach Traditional, as the resource
// loader takes them. Translations of Chinese are named by script.
const struct {
    const wchar_t* language;
    const wchar_t* parent;
} kScriptParents[] = {
    {L"zh-CN", L"zh-Hans"}, {L"zh-SG", L"zh-Hans"},
    {L"zh-TW", L"zh-Hant"}, {L"zh-HK", L"zh-Hant"}, {L"zh-MO", L"zh-Hant"},
};

// The language a language falls back to (de for de-CH, zh-Hant for zh-HK);
// empty for one without a parent.
std::wstring ParentLanguage(const std::wstring& language)
{
    for (const auto& entry : kScriptParents) {
        // Locale names are compared without regard to case.
        if (::CompareStringOrdinal(language.c_str(), -1, entry.language, -1, TRUE) == CSTR_EQUAL)
            return entry.parent;
    }
    const size_t cut = language.rfind(L'-');
    return language.substr(0, cut == std::wstring::npos ? 0 : cut);
}

// The folder of a module (null: the program's) with its closing backslash;
// empty when the module's own path cannot be had.
std::wstring FolderOf(HMODULE module)
{
    std::wstring path = ModulePath(module);
    path.erase(path.find_last_of(L"\\/") + 1);
    return path;
}

// The file version in a library's version block; 0 when it has none.
ULONGLONG FileVersion(HMODULE library)
{
    const AfxResourceData block =
        AfxGetResourceData(library, MAKEINTRESOURCEW(VS_VERSION_INFO), reinterpret_cast<LPCWSTR>(RT_VERSION));
    // The block's length, its value's length and type, "VS_VERSION_INFO" with
    // its terminator and the padding to 32 bits come before the fixed part.
    constexpr size_t kFixedInfoOffset = 3 * sizeof(WORD) + sizeof L"VS_VERSION_INFO" + sizeof(WORD);
    VS_FIXEDFILEINFO info{};
    if (!block.data || block.size < kFixedInfoOffset + sizeof info)
        return 0;
    std::memcpy(&info, static_cast<const BYTE*>(block.data) + kFixedInfoOffset, sizeof info);
    if (info.dwSignature != VS_FFI_SIGNATURE)
        return 0;
    return static_cast<ULONGLONG>(info.dwFileVersionMS) << 32 | info.dwFileVersionLS;
}

bool IsCurrentTranslation(HMODULE translation, HMODULE english)
{
    return FileVersion(translation) == FileVersion(english) && CFontSelectDialog::HasEveryControl(translation);
}

} // namespace

std::vector<std::wstring> PreferredUiLanguages()
{
    std::vector<std::wstring> languages;
    ULONG count = 0, size = 0;
    if (!::GetThreadPreferredUILanguages(kLanguageNames, &count, nullptr, &size) || size == 0)
        return languages;
    std::vector<wchar_t> names(size);
    if (!::GetThreadPreferredUILanguages(kLanguageNames, &count, names.data(), &size))
        return languages;
    // A list of names, each ended by a null, the list by another.
    for (auto name = names.begin(); name != names.end() && *name;) {
        const auto end = std::find(name, names.end(), L'\0');
        // The name, then each parent: zh-HK, zh-Hant, zh. The system may or
        // may not list them itself.
        for (std::wstring language(name, end); !language.empty(); language = ParentLanguage(language)) {
            if (std::find(languages.begin(), languages.end(), language) == languages.end())
                languages.push_back(language);
        }
        name = end == names.end() ? end : end + 1;
    }
    return languages;
}

HMODULE CResourceLibraries::Load(const std::wstring& path)
{
    UniqueHModule& loaded = m_loaded[path];
    if (!loaded)
        loaded.reset(::LoadLibraryExW(path.c_str(), nullptr, kResourceImage));
    return loaded.get();
}

HMODULE CResourceLibraries::Choose(HMODULE library)
{
    // By full path, the copy installed with this library, then one beside
    // the host program: a search by bare name would also look in the
    // current directory and along PATH, where anyone may put a file of that
    // name with words of their own.
    const std::wstring folder = FolderOf(library);
    HMODULE english = nullptr;
    for (const std::wstring& englishFolder : {folder, FolderOf(nullptr)}) {
        if (!englishFolder.empty() && (english = Load(englishFolder + kResourceLibrary)) != nullptr)
            break;
    }
    if (!english || folder.empty())
        return english;
    for (const std::wstring& language : PreferredUiLanguages()) {
        if (language == kEnglish)
            break;
        HMODULE translation = Load(folder + language + L"\\" + kResourceLibrary);
        if (translation && IsCurrentTranslation(translation, english))
            return translation;
    }
    return english;
}
