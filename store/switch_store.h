#pragma once

#include "common/unique_handle.h"
#include "key_paths.h"
#include "switch_list.h"

#include <memory>

// Per-face switches. A face named as a value in a list, by any of its names,
// has that switch off; every other face, and every face of a list that
// cannot be opened, has it on.

// Answers whether a face's switch is on for many faces from both lists read
// once, for one discovery of the installed faces. Both lists are those of the
// paths given, which the caller has from the host: a reader on a thread of
// the library's own never asks the host. A face's switch is off when the
// list names it by any of its names.
class CSwitchReader {
public:
    explicit CSwitchReader(const KeyPaths& paths);
    bool IsEnabled(const FaceNames& face, bool tessellation) const;
    // Whether the list names a face by this one name.
    bool Lists(const std::wstring& name, bool tessellation) const;

private:
    SwitchList m_tessellateList;
    SwitchList m_embedList;
};

// Both lists of the host's profile as the driver's queries read them: read
// once and kept, read again once the registry signals a change under the
// profile's General key, which every call looks at, and after any write of
// the library's own. Lists that cannot be had list no face. The
// host is asked for its profile on the calling thread. Any thread may call;
// throws only std::bad_alloc.
std::shared_ptr<const CSwitchReader> CurrentSwitches();
// The library wrote a list: the next query reads both again.
void SwitchesWritten();

// Writes faces' switches through list keys opened, with KEY_SET_VALUE only,
// when first needed and at most once each; the keys close when the writer is
// destroyed. A missing list is created under an existing General when a face
// is switched off in it, and created again, once, when it was deleted while
// open. Switching a face on in a list that does not exist succeeds: nothing
// lists it. Its paths are taken once, so a commit writes to one profile and
// never asks the host in its midst.
class CSwitchWriter {
public:
    explicit CSwitchWriter(const KeyPaths& paths) : m_paths(paths) {}

    // Switches one face on (enabled != 0) or off in one list (tessellation != 0
    // for the tessellation list): off writes a DWORD 0 under the name the
    // font service reports, in UTF-16, as a driver in this locale asks for
    // it; on deletes every value that names the face by any of its names.
    // ERROR_SUCCESS, or the registry's first error: the face's switch is then
    // as it was.
    LONG SetFaceEnabled(const FaceNames& face, int enabled, int tessellation);

private:
    struct List {
        UniqueHKey key;
        LONG openError = ERROR_SUCCESS;   // of the open, when it failed
        LONG createError = ERROR_SUCCESS; // of the creation, when it failed
        bool openTried = false;
        bool createTried = false;
        bool reopened = false; // after the list was deleted while open
    };
    LONG Write(List& list, const FaceNames& face, bool enabled, bool tessellation);
    UniqueHKey CreateList(bool tessellation, LONG* error) const;

    const KeyPaths m_paths;
    List m_lists[2]; // embedding, tessellation
};
