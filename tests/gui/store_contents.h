#pragma once

#include "tests/support/registry_fixture.h"

#include <ostream>
#include <string>
#include <vector>

// Everything the switch store of one profile holds: which of its keys exist
// and the face names in each list, sorted.
struct StoreContents {
    bool general = false;
    bool embedList = false;
    bool tessellateList = false;
    std::vector<std::string> embed;
    std::vector<std::string> tessellate;

    bool Embeds(const std::string& face) const;     // listed in t2embed
    bool Tessellates(const std::string& face) const; // listed in t2tessellate

    bool operator==(const StoreContents& other) const;
};

StoreContents ReadStore(const ScopedProfile& profile);
std::ostream& operator<<(std::ostream& out, const StoreContents& store);
