#include "resource_text.h"

#include "common/ansi_text.h"
#include "common/unique_handle.h"
#include "dialog/control_ids.h"

#include <algorithm>
#include <cwctype>

std::wstring ResourceString(HMODULE library, UINT id)
{
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(library, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

bool FormedFrom(const std::wstring& text, const std::wstring& pattern)
{
    // The pattern's literal pieces, in order: the first begins the text, the
    // last ends it, and the inserts take what lies between.
    std::vector<std::wstring> pieces(1);
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] >= L'1' && pattern[i + 1] <= L'9') {
            i += i + 2 < pattern.size() && std::iswdigit(pattern[i + 2]) ? 2 : 1;
            pieces.emplace_back();
        } else {
            pieces.back() += pattern[i];
        }
    }
    if (pieces.size() == 1)
        return text == pattern;
    if (text.compare(0, pieces.front().size(), pieces.front()) != 0 || text.size() < pieces.back().size() ||
        text.compare(text.size() - pieces.back().size(), pieces.back().size(), pieces.back()) != 0)
        return false;
    size_t at = pieces.front().size();
    for (size_t i = 1; i + 1 < pieces.size() && at != std::wstring::npos; ++i)
        at = (at = text.find(pieces[i], at)) == std::wstring::npos ? at : at + pieces[i].size();
    return at != std::wstring::npos && at <= text.size() - pieces.back().size();
}

std::vector<std::wstring> FindingLines(const std::string& folder)
{
    const std::wstring root = Widened(folder) + L"\\";
    std::vector<std::wstring> libraries{root + L"GlyphorRes.dll"};
    WIN32_FIND_DATAW found{};
    const HANDLE first = ::FindFirstFileW((root + L"*").c_str(), &found);
    const UniqueFindHandle search(first == INVALID_HANDLE_VALUE ? nullptr : first);
    for (BOOL more = search ? TRUE : FALSE; more; more = ::FindNextFileW(search.get(), &found)) {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != L'.')
            libraries.push_back(root + found.cFileName + L"\\GlyphorRes.dll");
    }
    std::vector<std::wstring> lines;
    for (const std::wstring& path : libraries) {
        const UniqueHModule library(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        for (UINT id : {IDS_FONT_COUNT_FINDING, IDS_FONT_COUNT_FINDING_NARROWED}) {
            const std::wstring line = ResourceString(library.get(), id);
            if (library && !line.empty())
                lines.push_back(line);
        }
    }
    return lines;
}

bool SaysFinding(const std::wstring& line, const std::vector<std::wstring>& findingLines)
{
    return std::any_of(findingLines.begin(), findingLines.end(),
                       [&line](const std::wstring& pattern) { return FormedFrom(line, pattern); });
}
