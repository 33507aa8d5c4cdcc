#pragma once

// True when a TrueType face of that full name, in any letter case (as the
// switch lists match names), is installed.
bool IsTrueTypeFaceInstalled(const char* face);
