#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// A profile key of the test's own under HKEY_CURRENT_USER\Software\GlyphorTests,
// removed with everything below it when the test ends.
class ScopedProfile {
public:
    explicit ScopedProfile(const std::string& name);
    ScopedProfile(const ScopedProfile&) = delete;
    ScopedProfile& operator=(const ScopedProfile&) = delete;
    ~ScopedProfile();

    const std::string& Path() const { return m_path; }
    std::string General() const { return m_path + "\\General"; }
    std::string EmbedList() const { return m_path + "\\General\\t2embed"; }
    std::string TessellateList() const { return m_path + "\\General\\t2tessellate"; }

    // Creates the profile's General key, and optionally both lists, empty.
    void CreateGeneral() const;
    void CreateLists() const;

private:
    std::string m_path;
};

bool KeyExists(const std::string& path);
void CreateKey(const std::string& path);
void DeleteTree(const std::string& path);

// Value names of a key in the registry's order; empty when the key is missing.
std::vector<std::string> ValueNames(const std::string& path);
// Names of the key's subkeys.
std::vector<std::string> SubkeyNames(const std::string& path);

struct RegistryValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
// The value's type and data; type REG_NONE with no data when it is missing.
RegistryValue ReadValue(const std::string& path, const std::string& name);
void WriteValue(const std::string& path, const std::string& name, DWORD type, const std::vector<BYTE>& data);
void WriteDwordZero(const std::string& path, const std::string& name);
// The same under a UTF-16 name, which the ANSI code page may not spell.
void WriteDwordZero(const std::string& path, const std::wstring& name);

// The administrator's policy of a test: Software\Policies\Glyphor in the
// machine's hive (its 64-bit view) and the user's, removed when the test
// ends, with Software\Policies where the test made it.
class ScopedPolicy {
public:
    enum Hive { kMachine, kUser };
    ScopedPolicy();
    ScopedPolicy(const ScopedPolicy&) = delete;
    ScopedPolicy& operator=(const ScopedPolicy&) = delete;
    ~ScopedPolicy();

    // One value of a key under the hive, made when missing.
    void Set(Hive hive, const std::wstring& key, const std::wstring& name, DWORD type, const void* data,
             DWORD size) const;
    // The key's values replaced by a list as the editor writes one: values
    // named 1, 2, ... each a REG_SZ.
    void SetList(Hive hive, const std::wstring& key, const std::vector<std::wstring>& faces) const;
    // Makes a key that nobody may read, until the test ends.
    void DenyReading(Hive hive, const std::wstring& key);
    // Removes the policy of both hives.
    void Clear() const;
    // The key of a list under Software\Policies\Glyphor, e.g. kEmbedNeverList's.
    static std::wstring ListKey(const wchar_t* list);

private:
    bool m_hadPolicies[2] = {};
    std::vector<std::pair<Hive, std::wstring>> m_unreadable;
};

// Polls `condition` for up to a second: a change of the policy shows from the
// first query after the registry signals it.
template <typename Condition>
bool WithinASecond(Condition condition)
{
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 1000; ::Sleep(1))
        if (condition())
            return true;
    return false;
}

// Sets an environment variable for a scope and restores the earlier value.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value);
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment();

private:
    std::string m_name;
    bool m_hadValue = false;
    std::string m_previous;
};
