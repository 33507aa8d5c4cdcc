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

namespace {

const wchar_t kPolicies[] = L"Software\\Policies";
const wchar_t kGlyphorPolicy[] = L"Software\\Policies\\Glyphor";

HKEY Root(ScopedPolicy::Hive hive) { return hive == ScopedPolicy::kMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// The key opened with `access`, or made with every right when `access` is 0.
UniqueHKey PolicyKey(ScopedPolicy::Hive hive, const std::wstring& path, REGSAM access = 0)
{
    HKEY key = nullptr;
    const LONG result = access ? ::RegOpenKeyExW(Root(hive), path.c_str(), 0, access | KEY_WOW64_64KEY, &key)
                               : ::RegCreateKeyExW(Root(hive), path.c_str(), 0, nullptr, 0,
                                                   KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS && !access)
        throw std::runtime_error("cannot make a policy key");
    return UniqueHKey(result == ERROR_SUCCESS ? key : nullptr);
}

void DeletePolicyTree(ScopedPolicy::Hive hive, const wchar_t* path)
{
    if (const UniqueHKey key = PolicyKey(hive, path, KEY_ALL_ACCESS))
        ::RegDeleteTreeW(key.get(), nullptr);
    ::RegDeleteKeyExW(Root(hive), path, KEY_WOW64_64KEY, 0);
}

} // namespace

ScopedPolicy::ScopedPolicy()
{
    for (Hive hive : {kMachine, kUser})
        m_hadPolicies[hive] = static_cast<bool>(PolicyKey(hive, kPolicies, KEY_READ));
    Clear();
}

ScopedPolicy::~ScopedPolicy()
{
    SECURITY_DESCRIPTOR everyone; // no DACL: every right
    ::InitializeSecurityDescriptor(&everyone, SECURITY_DESCRIPTOR_REVISION);
    for (const auto& [hive, key] : m_unreadable)
        ::RegSetKeySecurity(PolicyKey(hive, key, WRITE_DAC).get(), DACL_SECURITY_INFORMATION, &everyone);
    for (Hive hive : {kMachine, kUser})
        DeletePolicyTree(hive, m_hadPolicies[hive] ? kGlyphorPolicy : kPolicies);
}

void ScopedPolicy::Set(Hive hive, const std::wstring& key, const std::wstring& name, DWORD type, const void* data,
                       DWORD size) const
{
    if (::RegSetValueExW(PolicyKey(hive, key).get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot write a policy value");
}

void ScopedPolicy::SetList(Hive hive, const std::wstring& key, const std::vector<std::wstring>& faces) const
{
    ::RegDeleteTreeW(PolicyKey(hive, key).get(), nullptr);
    for (size_t index = 0; index < faces.size(); ++index)
        Set(hive, key, std::to_wstring(index + 1), REG_SZ, faces[index].c_str(),
            static_cast<DWORD>((faces[index].size() + 1) * sizeof(wchar_t)));
}

void ScopedPolicy::DenyReading(Hive hive, const std::wstring& key)
{
    m_unreadable.emplace_back(hive, key);
    SECURITY_DESCRIPTOR nobody; // an empty DACL: no right
    ACL empty;
    ::InitializeSecurityDescriptor(&nobody, SECURITY_DESCRIPTOR_REVISION);
    ::InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    ::SetSecurityDescriptorDacl(&nobody, TRUE, &empty, FALSE);
    if (::RegSetKeySecurity(PolicyKey(hive, key).get(), DACL_SECURITY_INFORMATION, &nobody) != ERROR_SUCCESS)
        throw std::runtime_error("cannot make a policy key unreadable");
}

void ScopedPolicy::Clear() const
{
    for (Hive hive : {kMachine, kUser})
        DeletePolicyTree(hive, kGlyphorPolicy);
}

std::wstring ScopedPolicy::ListKey(const wchar_t* list)
{
    return std::wstring(kGlyphorPolicy) + L"\\" + list;
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
