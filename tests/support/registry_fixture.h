#pragma once

#include <windows.h>

#include <string>
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
