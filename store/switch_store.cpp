#include "switch_store.h"

#include "key_paths.h"
#include "registry_key.h"
#include "registry_watch.h"
#include "common/ansi_text.h"

#include <atomic>
#include <mutex>

namespace {

using WatchedSwitches = WatchedReading<CSwitchReader>;
// The lists' watch is looked at by every query: a query then costs one round
// trip to the kernel where the registry's own open, query and close cost
// three, and a change, whoever made it, is seen by the next query.
constexpr DWORD kLookEveryTime = 0;

// The lists' watch, made once the host has named its profile, whose paths
// then stay: kept until the library unloads.
std::mutex g_watchLock;
std::unique_ptr<WatchedSwitches> g_watch;
std::atomic<WatchedSwitches*> g_watching{nullptr};

// Everything under the profile's General key, and its making and deletion.
WatchedSwitches* SwitchesOf(const KeyPaths& paths)
{
    if (WatchedSwitches* const watching = g_watching)
        return watching;
    std::lock_guard<std::mutex> lock(g_watchLock);
    if (!g_watch) {
        g_watch = std::make_unique<WatchedSwitches>(
            std::vector<WatchedKey>{{HKEY_CURRENT_USER, Widened(paths.general)}}, kLookEveryTime,
            [paths] { return std::make_shared<const CSwitchReader>(paths); });
        g_watching = g_watch.get();
    }
    return g_watch.get();
}

// Switching on removes the value of each of the face's names (absent is no
// error); switching off writes the reported one as DWORD 0.
LONG WriteSwitch(HKEY list, const FaceNames& face, bool enabled)
{
    if (enabled) {
        LONG result = ERROR_SUCCESS;
        face.Any([list, &result](const std::wstring& name) {
            const LONG deleted = ::RegDeleteValueW(list, name.c_str());
            if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND)
                result = deleted;
            return result != ERROR_SUCCESS;
        });
        return result;
    }
    const DWORD off = 0;
    return ::RegSetValueExW(list, face.Reported().c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off),
                            sizeof off);
}

} // namespace

std::shared_ptr<const CSwitchReader> CurrentSwitches()
{
    const KeyPaths& paths = ProfileKeyPaths();
    if (paths.general.empty()) {
        static const auto none = std::make_shared<const CSwitchReader>(KeyPaths{});
        return none;
    }
    return SwitchesOf(paths)->Current();
}

void SwitchesWritten()
{
    if (WatchedSwitches* watching = g_watching)
        watching->Stale();
}

LONG CSwitchWriter::SetFaceEnabled(const FaceNames& face, int enabled, int tessellation)
{
    List& list = m_lists[tessellation != 0];
    LONG result = Write(list, face, enabled != 0, tessellation != 0);
    if (result == ERROR_KEY_DELETED && !list.reopened) {
        // The list was deleted while open, and may have been made again
        // since: once more, on the list that is there now.
        list = List{};
        list.reopened = true;
        result = Write(list, face, enabled != 0, tessellation != 0);
    }
    // Seen by the next query, whatever came of it.
    SwitchesWritten();
    return result;
}

LONG CSwitchWriter::Write(List& list, const FaceNames& face, bool enabled, bool tessellation)
{
    if (!list.openTried) {
        list.openTried = true;
        list.key = OpenUserKey(m_paths.List(tessellation), KEY_SET_VALUE, &list.openError);
    }
    if (!list.key && !enabled && !list.createTried) {
        list.createTried = true;
        list.key = CreateList(tessellation, &list.createError);
    }
    if (list.key)
        return WriteSwitch(list.key.get(), face, enabled);
    if (!enabled)
        return list.createError;
    // Nothing lists a face in a list that does not exist.
    return list.openError == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : list.openError;
}

// A missing list is created only under an existing General.
UniqueHKey CSwitchWriter::CreateList(bool tessellation, LONG* error) const
{
    UniqueHKey general = OpenUserKey(m_paths.general, KEY_WRITE, error);
    if (!general)
        return UniqueHKey();
    return CreateSubkey(general.get(), tessellation ? kTessellateListName : kEmbedListName, KEY_SET_VALUE, error);
}

CSwitchReader::CSwitchReader(const KeyPaths& paths) : m_tessellateList(paths.tessellate), m_embedList(paths.embed) {}

bool CSwitchReader::IsEnabled(const FaceNames& face, bool tessellation) const
{
    return !(tessellation ? m_tessellateList : m_embedList).Lists(face);
}

bool CSwitchReader::Lists(const std::wstring& name, bool tessellation) const
{
    return (tessellation ? m_tessellateList : m_embedList).Lists(name);
}
