#include "name_table.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr USHORT kWindowsPlatform = 3;
constexpr USHORT kFullNameId = 4;
// The Windows platform's encodings whose strings are UTF-16, big-endian:
// symbol, Unicode BMP and full Unicode.
constexpr USHORT kUtf16Encodings[] = {0, 1, 10};
constexpr size_t kHeaderSize = 6;
constexpr size_t kRecordSize = 12;
// The longest full name the font service gives a face, in UTF-16 units.
constexpr size_t kLongestName = LF_FULLFACESIZE - 1;

USHORT BigEndian(const BYTE* at)
{
    return static_cast<USHORT>(at[0] << 8 | at[1]);
}

bool IsFaceName(const std::wstring& name)
{
    return !name.empty() && name.size() <= kLongestName &&
           std::none_of(name.begin(), name.end(), [](wchar_t unit) { return unit < 0x20 || unit == 0x7F; });
}

} // namespace

std::vector<TableName> FullNamesIn(const BYTE* table, size_t size)
{
    std::vector<TableName> names;
    if (!table || size < kHeaderSize)
        return names;
    const size_t count = BigEndian(table + 2);
    const size_t storage = BigEndian(table + 4);
    if (kHeaderSize + count * kRecordSize > size || storage > size)
        return names;
    for (size_t index = 0; index < count; ++index) {
        const BYTE* record = table + kHeaderSize + index * kRecordSize;
        const USHORT encoding = BigEndian(record + 2);
        if (BigEndian(record) != kWindowsPlatform || BigEndian(record + 6) != kFullNameId ||
            std::find(std::begin(kUtf16Encodings), std::end(kUtf16Encodings), encoding) == std::end(kUtf16Encodings))
            continue;
        const size_t length = BigEndian(record + 8);
        const size_t start = storage + BigEndian(record + 10);
        if (length % 2 != 0 || start + length > size)
            continue;
        std::wstring name(length / 2, L'\0');
        for (size_t unit = 0; unit < name.size(); ++unit)
            name[unit] = static_cast<wchar_t>(BigEndian(table + start + 2 * unit));
        name.resize(std::min(name.find(L'\0'), name.size()));
        if (IsFaceName(name))
            names.push_back({std::move(name), BigEndian(record + 4)});
    }
    return names;
}
