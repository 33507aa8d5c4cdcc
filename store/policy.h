#pragma once

// The administrator's policy: Software\Policies\Glyphor in HKEY_LOCAL_MACHINE
// (the machine's, read in the 64-bit view, where Group Policy writes it for
// programs of both architectures) and in HKEY_CURRENT_USER (the user's).
//
//   EmbedNever, EmbedAlways, TessellateNever, TessellateAlways
//                       lists of faces whose switch the policy sets and locks
//   LockAll             DWORD 1: the user may change no switch
//   DefaultNeverEmbed   list of the faces a cold start and a reset switch off
//
// A list is a key whose values hold one face name each as REG_SZ (Group
// Policy names them 1, 2, ...). A name that is empty, not a REG_SZ, or longer
// than a face name can be is ignored, and a key that cannot be read counts as
// no policy. A list is read again while another writer changes it: an
// administrator's tool adding or deleting other values moves those read.

#include "names/face_names.h"

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// What a policy says for one switch of one face.
enum class PolicySwitch : unsigned char {
    NotSet, // the user's stored switch holds
    On,
    Off,
};

// The hive whose policy says it.
enum class PolicyScope : unsigned char { None, Machine, User };

struct PolicySetting {
    PolicySwitch state = PolicySwitch::NotSet;
    PolicyScope scope = PolicyScope::None;
};

// The registry names of the policy, shared by the code and its tests (the
// administrative template names the same keys).
inline constexpr wchar_t kPolicyKey[] = L"Software\\Policies\\Glyphor";
inline constexpr wchar_t kEmbedNeverList[] = L"EmbedNever";
inline constexpr wchar_t kEmbedAlwaysList[] = L"EmbedAlways";
inline constexpr wchar_t kTessellateNeverList[] = L"TessellateNever";
inline constexpr wchar_t kTessellateAlwaysList[] = L"TessellateAlways";
inline constexpr wchar_t kDefaultNeverEmbedList[] = L"DefaultNeverEmbed";
inline constexpr wchar_t kLockAllValue[] = L"LockAll";

// The longest face name, in UTF-16 units: the font service gives full face
// names of at most LF_FULLFACESIZE - 1 characters.
inline constexpr size_t kLongestFaceName = 63;

// The policy of both hives as read at one moment. Immutable once read, so
// any thread may ask it; the dialog keeps the one it read when it opened.
class PolicySnapshot {
public:
    // No policy: every switch is the user's.
    PolicySnapshot() = default;
    // Reads both hives now.
    static std::shared_ptr<const PolicySnapshot> Read();

    // What the policy says for the embedding switch (tessellation false) or
    // the tessellation switch of the face of that name, or of a face named by
    // any of its names, and which hive says it. The machine's policy
    // overrides the user's; at one level, "never" overrides "always". Names
    // match without regard to case, as the registry matches value names.
    PolicySetting Setting(const std::wstring& face, bool tessellation) const;
    PolicySetting Setting(const FaceNames& face, bool tessellation) const;
    // The same for the face asked for by a name that its names may not hold,
    // as a vertical form's.
    PolicySetting Setting(const std::wstring& asked, const FaceNames& face, bool tessellation) const;

    // True when a policy sets some face's switch: a face may be locked.
    bool SetsAnySwitch() const { return !m_faces.empty(); }

    // LockAll is a DWORD 1 in either hive: the user may change no switch.
    bool LockAll() const { return m_lockAll; }

    // The names that replace the built-in default exclusions: the machine's
    // list when it names a face, else the user's; empty when neither does.
    // In the list's order, each name once (as the registry matches names).
    const std::vector<std::wstring>& DefaultNeverEmbed() const { return m_defaultNeverEmbed; }

    // False when another writer kept changing a list while it was read: each
    // such list then names every face some pass over it found, so that no
    // face it held throughout is left out, and may name one it held only
    // for a moment. A reset writes only from a consistent reading.
    bool Consistent() const { return m_consistent; }

private:
    struct FaceSwitches {
        PolicySwitch embedding = PolicySwitch::NotSet;
        PolicySwitch tessellation = PolicySwitch::NotSet;
    };
    // What each hive sets for a name: the machine's, then the user's.
    using ScopedSwitches = std::array<FaceSwitches, 2>;
    template <typename Names>
    PolicySetting SettingOf(const Names& names, bool tessellation) const;
    std::unordered_map<std::wstring, ScopedSwitches> m_faces; // by MatchKey
    bool m_lockAll = false;
    std::vector<std::wstring> m_defaultNeverEmbed;
    bool m_consistent = true;
};

// The policy in force: read at the first call (never while the library
// loads), then again only after the registry has signalled a change under
// Software\Policies of either hive (a writer that made a reading
// inconsistent has signalled one); when the change cannot be watched, read at
// every call.
// Any thread may call it. Throws only std::bad_alloc.
std::shared_ptr<const PolicySnapshot> CurrentPolicy();
