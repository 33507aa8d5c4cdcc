#include "message_text.h"

#include "common/unique_handle.h"

namespace {

// As many inserts as a message can name: %1 to %99.
constexpr size_t kMostInserts = 99;

std::wstring FormatFromSystem(DWORD flags, const void* source, DWORD id, const DWORD_PTR* arguments)
{
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | flags, source, id, 0, reinterpret_cast<wchar_t*>(&text), 0,
                         reinterpret_cast<va_list*>(const_cast<DWORD_PTR*>(arguments)));
    const UniqueHLocal owned(text);
    return length > 0 && text ? std::wstring(text, length) : std::wstring();
}

} // namespace

std::wstring FormattedMessage(const std::wstring& pattern, const std::vector<std::wstring>& inserts)
{
    if (pattern.empty())
        return pattern;
    DWORD_PTR arguments[kMostInserts];
    for (size_t i = 0; i < kMostInserts; ++i)
        arguments[i] = reinterpret_cast<DWORD_PTR>(i < inserts.size() ? inserts[i].c_str() : L"");
    return FormatFromSystem(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, pattern.c_str(), 0, arguments);
}

std::wstring SystemErrorText(LONG error)
{
    std::wstring text = FormatFromSystem(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                         static_cast<DWORD>(error), nullptr);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text.empty() ? L"error " + std::to_wstring(error) : text;
}
