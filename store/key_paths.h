#pragma once

#include <string>

// Registry paths of the switch lists, relative to HKEY_CURRENT_USER, built
// from the host's current profile the first time they are wanted: no host
// call is made while the library loads.
struct KeyPaths {
    std::string general;
    std::string tessellate;
    std::string embed;

    const std::string& List(bool tessellation) const { return tessellation ? tessellate : embed; }
};

// The paths of the host's current profile; once the host has named it, the
// same paths for the life of the library, so a caller may keep the reference.
// When the host cannot name its profile (its GetCurrentProfileKey throws),
// every path is empty, which names no key: every switch reads on and nothing
// can be written, as in a profile without General. The host is then asked
// again only once a second has passed, not at each of the driver's queries.
// The host is called on the calling thread, never under a lock: callers on
// other threads take the paths from the thread that called the export.
const KeyPaths& ProfileKeyPaths();

// Names of the two list keys under General.
inline constexpr char kTessellateListName[] = "t2tessellate";
inline constexpr char kEmbedListName[] = "t2embed";
