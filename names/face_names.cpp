#include "face_names.h"

#include <algorithm>

namespace {

// The tag of the name table as GetFontData takes it: its four letters in
// file order, read as a little-endian DWORD.
constexpr DWORD kNameTableTag = 'n' | 'a' << 8 | 'm' << 16 | 'e' << 24;

} // namespace

bool SameName(const std::wstring& a, const std::wstring& b)
{
    // Ordinal matching without regard to case upper-cases as the registry does.
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

void FaceNames::Add(TableName other)
{
    if (!GoesBy(other.name))
        m_others.push_back(std::move(other));
}

bool FaceNames::GoesBy(const std::wstring& name) const
{
    return Any([&name](const std::wstring& own) { return SameName(own, name); });
}

void ReadOwnNames(HDC dc, FaceNames& names)
{
    const DWORD size = ::GetFontData(dc, kNameTableTag, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0)
        return;
    // A table claims its own size: no more is read than its offsets can reach.
    std::vector<BYTE> table(std::min<size_t>(size, kLongestNameTable));
    const DWORD read = ::GetFontData(dc, kNameTableTag, 0, table.data(), static_cast<DWORD>(table.size()));
    if (read == GDI_ERROR)
        return;
    for (TableName& name : FullNamesIn(table.data(), std::min<size_t>(read, table.size())))
        names.Add(std::move(name));
}

bool IsVerticalForm(const std::wstring& name)
{
    return name.size() > 1 && name[0] == L'@';
}

std::wstring HorizontalForm(const std::wstring& name)
{
    return IsVerticalForm(name) ? name.substr(1) : name;
}
