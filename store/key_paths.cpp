#include "key_paths.h"

#include "host/kyreg8/kyreg8.h"

// Declared in this order so that they are destroyed in the reverse order.
GLYPHOR_INIT_KEY_PATHS std::string g_profileKey = GetCurrentProfileKey();
GLYPHOR_INIT_KEY_PATHS std::string g_generalKeyPath = g_profileKey + "\\General";
GLYPHOR_INIT_KEY_PATHS std::string g_tessellateKeyPath = g_profileKey + "\\General\\" + kTessellateListName;
GLYPHOR_INIT_KEY_PATHS std::string g_embedKeyPath = g_profileKey + "\\General\\" + kEmbedListName;
