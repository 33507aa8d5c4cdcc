#pragma once

#include <string>
#include <vector>

class GlyphorLibrary;
class ScopedProfile;

// Name of the generated benchmark face with this number: in families of four
// styles, and in the set of one style per family.
std::string BenchFaceName(int number);
std::string OneStyleBenchFaceName(int number);
// The generated face named in English and Japanese with this number, by its
// name in Japanese or in English.
std::wstring TwoLanguageBenchFaceName(int number, bool japanese);

// Brings the profile to the defaults (through the library) and then switches
// off a few hundred generated faces, as a profile in long use looks. Returns
// the face names now listed in either list.
std::vector<std::string> FillRealisticLists(const ScopedProfile& profile, const GlyphorLibrary& library);
