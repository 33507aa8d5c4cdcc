#include "test_fonts.h"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "common/unique_handle.h"

const TestFace kTestFaces[] = {
    {"Glyphor Test Sans", 0},
    {"Glyphor Test Sans Bold", 0},
    {"Glyphor Test Restricted", 2},
    {"Glyphor Test Preview", 4},
    {"Glyphor Test Mixed", 6},
    {"Glyphor Test Editable", 8},
    {"Glyphor Test NoSubset", 258},
    {"Glyphor Test Bitmaps", 0x0202},
    {"Glyphor Test Twin", 0}, // reported by two families; the second restricts embedding
    {"Glyphor Test Thirty One Chars X", 0},
};
const size_t kTestFaceCount = sizeof kTestFaces / sizeof kTestFaces[0];

std::string ProgramDirectory()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path);
    return directory.substr(0, directory.find_last_of('\\'));
}

PrivateFonts::PrivateFonts(const std::string& folder, size_t limit)
{
    WIN32_FIND_DATAA found{};
    HANDLE first = ::FindFirstFileA((folder + "\\*.ttf").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE)
        throw std::runtime_error("no fonts in " + folder);
    std::vector<std::string> names;
    {
        UniqueFindHandle search(first);
        do
            names.emplace_back(found.cFileName);
        while (::FindNextFileA(search.get(), &found));
    }
    // In name order, so that a limit takes the same files on every file system.
    std::sort(names.begin(), names.end());
    for (size_t i = 0; i < names.size() && m_files.size() < limit; ++i) {
        std::string file = folder + "\\" + names[i];
        if (::AddFontResourceExA(file.c_str(), FR_PRIVATE, nullptr) > 0)
            m_files.push_back(file);
    }
}

PrivateFonts::~PrivateFonts()
{
    for (const std::string& file : m_files)
        ::RemoveFontResourceExA(file.c_str(), FR_PRIVATE, nullptr);
}
