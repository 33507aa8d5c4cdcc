#pragma once

#include <string>

// Registry paths of the switch lists, relative to HKEY_CURRENT_USER. Built
// once while the library loads, from the host's current profile.
extern std::string g_profileKey;
extern std::string g_generalKeyPath;
extern std::string g_tessellateKeyPath;
extern std::string g_embedKeyPath;

// Names of the two list keys under General.
inline constexpr char kTessellateListName[] = "t2tessellate";
inline constexpr char kEmbedListName[] = "t2embed";

// Construction order of the library's globals: the application object first,
// then the key paths (each derived from the profile key), then the rest.
#define GLYPHOR_INIT_APP __attribute__((init_priority(1000)))
#define GLYPHOR_INIT_KEY_PATHS __attribute__((init_priority(1001)))
