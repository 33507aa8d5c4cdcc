#include "message_text.h"

#include "common/unique_handle.h"

std::string WithInserts(const std::string& pattern, const std::vector<std::string>& inserts)
{
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const size_t insert = i + 1 < pattern.size() ? static_cast<size_t>(pattern[i + 1] - '1') : inserts.size();
        if (pattern[i] == '%' && insert < inserts.size()) {
            text += inserts[insert];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string SystemErrorText(LONG error)
{
    char* words = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(error), 0, reinterpret_cast<char*>(&words), 0, nullptr);
    const UniqueHLocal owned(words);
    std::string text = length > 0 && words ? std::string(words, length) : std::string();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text.empty() ? "error " + std::to_string(error) : text;
}
