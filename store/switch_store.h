#pragma once

#include "common/unique_handle.h"
#include "switch_list.h"

// Per-face switches. A face named as a value in a list has that switch off;
// every other face, and every face of a list that cannot be opened, has it on.

extern "C" {
// The driver's question: is this face's switch on? The driver passes the
// selector as a 32-bit value of which only the low byte counts: non-zero asks
// the tessellation list, zero the embedding list.
bool IsEnabledForFacename(const char* face, int tessellation);
}

// True only when both of the face's switches are on.
bool IsEnabledForBoth(const char* face);

// Switches one face on (enabled != 0) or off in one list (tessellation != 0
// for the tessellation list), creating a missing list key under General when
// a face is switched off.
void SetFaceEnabled(const char* face, int enabled, int tessellation);

// Answers IsEnabledForBoth for many faces from both lists read once, for one
// discovery of the installed faces.
class CSwitchReader {
public:
    CSwitchReader();
    bool IsEnabledForBoth(const char* face) const;

private:
    SwitchList m_tessellateList;
    SwitchList m_embedList;
};

// Writes many faces' switches through list keys opened at most once each,
// with KEY_SET_VALUE only, for one commit: the registry ends as SetFaceEnabled
// called for each face in the same order leaves it. The keys close when the
// writer is destroyed.
class CSwitchWriter {
public:
    void SetFaceEnabled(const char* face, int enabled, int tessellation);

private:
    struct List {
        UniqueHKey key;
        bool openTried = false;
        bool createTried = false;
    };
    List m_lists[2]; // embedding, tessellation
};
