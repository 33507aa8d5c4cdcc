#pragma once

#include "common/unique_handle.h"
#include "names/face_names.h"

#include <string>
#include <unordered_set>

// One switch list whose value names are read once, to answer for many faces
// whether it names them, as the registry matches value names: in UTF-16,
// without regard to case. A list whose names could not all be read, for want
// of memory or because it kept changing, leaves every face to the registry.
class SwitchList {
public:
    // Opens the list at a path under HKEY_CURRENT_USER and reads its names.
    explicit SwitchList(const std::string& path);

    // Whether the list names the face by this name; a list that could not be
    // opened names none.
    bool Lists(const std::wstring& name) const;
    // Whether it names the face by any of its names.
    bool Lists(const FaceNames& face) const;

private:
    bool ReadNames();

    bool m_opened = false;
    bool m_namesRead = false; // when false, every name is asked of the registry
    UniqueHKey m_key;         // kept only while the names are unread
    std::unordered_set<std::wstring> m_names; // as MatchKey gives them
};
