// Stand-in for the host's profile and help library. Its configuration comes
// from the environment so that tests and people trying the library can point
// it at a profile of their own:
//   KYREG8_PROFILE_KEY     the profile path returned by GetCurrentProfileKey;
//                          unset, a default profile that is created on demand
//   KYREG8_PROFILE_KEY_THROWS  "1" makes GetCurrentProfileKey throw a const char*
//   KYREG8_APP_KEY_THROWS  "1" makes GetAppKey throw a const char*
//   KYREG8_HELP_LOG        a file that receives one line per DoHelp call
#define KYREG8_BUILD
#include "kyreg8.h"

#include "common/unique_handle.h"

#include <fstream>
#include <optional>

namespace {

const char kDefaultProfileKey[] = "Software\\Kyreg\\Profiles\\Default";
const char kAppKey[] = "Software\\Kyreg";

std::optional<std::string> Environment(const char* name)
{
    char small[512];
    DWORD length = ::GetEnvironmentVariableA(name, small, sizeof small);
    if (length == 0)
        return std::nullopt;
    if (length < sizeof small)
        return std::string(small, length);
    std::string value(length, '\0');
    length = ::GetEnvironmentVariableA(name, value.data(), length);
    value.resize(length);
    return value;
}

} // namespace

std::string GetCurrentProfileKey()
{
    if (Environment("KYREG8_PROFILE_KEY_THROWS") == "1")
        throw "GetCurrentProfileKey: the host has no current profile";
    if (std::optional<std::string> configured = Environment("KYREG8_PROFILE_KEY"))
        return *configured;
    // The host's own profile exists once the host has run; so does this one.
    HKEY created = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kDefaultProfileKey) + "\\General").c_str(), 0, nullptr, 0,
                          KEY_READ, nullptr, &created, nullptr) == ERROR_SUCCESS)
        UniqueHKey general(created);
    return kDefaultProfileKey;
}

std::string GetAppKey(const char*)
{
    if (Environment("KYREG8_APP_KEY_THROWS") == "1")
        throw "GetAppKey: the host has no application key";
    return kAppKey;
}

BOOL DoHelp(HWND window, const char* helpFile, DWORD_PTR topicOrContext, UINT command)
{
    std::optional<std::string> logPath = Environment("KYREG8_HELP_LOG");
    if (!logPath)
        return TRUE;
    std::ofstream log(*logPath, std::ios::app);
    if (!log)
        return FALSE;
    log << "0x" << std::hex << reinterpret_cast<UINT_PTR>(window) << std::dec << '\t' << (helpFile ? helpFile : "")
        << '\t';
    if (command == 0)
        log << (topicOrContext ? reinterpret_cast<const char*>(topicOrContext) : "");
    else
        log << topicOrContext;
    log << '\t' << command << '\n';
    return log ? TRUE : FALSE;
}
