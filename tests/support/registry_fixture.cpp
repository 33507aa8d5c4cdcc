#include "registry_fixture.h"

#include "common/unique_handle.h"

#include <stdexcept>

namespace {

const char kTestRoot[] = "Software\\GlyphorTests";

UniqueHKey Open(const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return UniqueHKey();
    return UniqueHKey(key);
}

// Names that `enumerate` reports under a key, index by index, until it fails.
template <typename Enumerate>
std::vector<std::string> EnumeratedNames(const std::string& path, Enumerate enumerate)
{
    std::vector<std::string> names;
    UniqueHKey key = Open(path, KEY_READ);
    if (!key)
        return names;
    std::vector<char> name(32768); // the longest value name, and more than any key name
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (enumerate(key.get(), index, name.data(), &length) != ERROR_SUCCESS)
            break;
        names.emplace_back(name.data(), length);
    }
    return names;
}

} // namespace

ScopedProfile::ScopedProfile(const std::string& name) : m_path(std::string(kTestRoot) + "\\" + name)
{
    DeleteTree(m_path);
    CreateKey(m_path);
}

ScopedProfile::~ScopedProfile()
{
    DeleteTree(m_path);
}

void ScopedProfile::CreateGeneral() const
{
    CreateKey(General());
}

void ScopedProfile::CreateLists() const
{
    CreateKey(EmbedList());
    CreateKey(TessellateList());
}

bool KeyExists(const std::string& path)
{
    return static_cast<bool>(Open(path, KEY_READ));
}

void CreateKey(const std::string& path)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot create HKCU\\" + path);
    UniqueHKey created(key);
}

void DeleteTree(const std::string& path)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

std::vector<std::string> ValueNames(const std::string& path)
{
    return EnumeratedNames(path, [](HKEY key, DWORD index, char* name, DWORD* length) {
        return ::RegEnumValueA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

std::vector<std::string> SubkeyNames(const std::string& path)
{
    return EnumeratedNames(path, [](HKEY key, DWORD index, char* name, DWORD* length) {
        return ::RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
}

RegistryValue ReadValue(const std::string& path, const std::string& name)
{
    RegistryValue value;
    UniqueHKey key = Open(path, KEY_READ);
    DWORD size = 0;
    if (!key || ::RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return RegistryValue();
    value.data.resize(size);
    if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return RegistryValue();
    value.data.resize(size);
    return value;
}

void WriteValue(const std::string& path, const std::string& name, DWORD type, const std::vector<BYTE>& data)
{
    CreateKey(path);
    UniqueHKey key = Open(path, KEY_SET_VALUE);
    if (!key || ::RegSetValueExA(key.get(), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())) !=
                    ERROR_SUCCESS)
        throw std::runtime_error("cannot write " + name + " in HKCU\\" + path);
}

void WriteDwordZero(const std::string& path, const std::string& name)
{
    WriteValue(path, name, REG_DWORD, {0, 0, 0, 0});
}

void WriteDwordZero(const std::string& path, const std::wstring& name)
{
    CreateKey(path);
    UniqueHKey key = Open(path, KEY_SET_VALUE);
    const BYTE off[4] = {};
    if (!key || ::RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, off, sizeof off) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write a UTF-16 name in HKCU\\" + path);
}

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value) : m_name(name)
{
    char previous[32768];
    DWORD length = ::GetEnvironmentVariableA(name, previous, sizeof previous);
    m_hadValue = length > 0 && length < sizeof previous;
    if (m_hadValue)
        m_previous.assign(previous, length);
    ::SetEnvironmentVariableA(name, value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    ::SetEnvironmentVariableA(m_name.c_str(), m_hadValue ? m_previous.c_str() : nullptr);
}
