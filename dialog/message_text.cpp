#include "message_text.h"

#include "common/unique_handle.h"

namespace {

// A pattern's line break, bare or CR LF, and %n all read as CR LF, as
// FormatMessage wrote them: the texts show as they always have.
constexpr wchar_t kLineBreak[] = L"\r\n";

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

} // namespace

// The inserts are filled in here rather than by FormatMessage: a pattern is
// data from a resource library, which may be another release's or not ours,
// and FormatMessage's printf forms (%1!*s!) read arguments that were never
// given. %1 to %99 are inserts (at most two digits, as FormatMessage reads
// them), %% a percent sign and %n a line break; any other percent sign is
// text, as is what follows it.
std::wstring FormattedMessage(const std::wstring& pattern, const std::vector<std::wstring>& inserts)
{
    std::wstring text;
    text.reserve(pattern.size());
    const size_t end = pattern.size();
    for (size_t at = 0; at < end; ++at) {
        const wchar_t c = pattern[at];
        const wchar_t next = at + 1 < end ? pattern[at + 1] : L'\0';
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && next == L'\n')
                ++at;
            text += kLineBreak;
        } else if (c != L'%') {
            text += c;
        } else if (next == L'%') {
            text += L'%';
            ++at;
        } else if (next == L'n') {
            text += kLineBreak;
            ++at;
        } else if (IsDigit(next) && next != L'0') {
            size_t number = next - L'0';
            ++at;
            if (at + 1 < end && IsDigit(pattern[at + 1]))
                number = number * 10 + (pattern[++at] - L'0');
            // An insert beyond those given reads as nothing: an older
            // library's string may name one no longer given.
            if (number <= inserts.size())
                text += inserts[number - 1];
        } else {
            text += c;
        }
    }
    return text;
}

std::wstring SystemErrorText(LONG error)
{
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&buffer),
                                          0, nullptr);
    const UniqueHLocal owned(buffer);
    std::wstring text = length > 0 && buffer ? std::wstring(buffer, length) : std::wstring();
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text.empty() ? L"error " + std::to_wstring(error) : text;
}
