#pragma once

#include "font_entry.h"
#include "store/key_paths.h"

#include <windows.h>

// What the enumeration needs of its caller: the collection it fills and a
// slot for the screen's device context while it runs.
class CFontEnumClient {
public:
    virtual CFontEntryArray& GetFonts() = 0;
    virtual void SetEnumDC(HDC dc) = 0;
    virtual HDC GetEnumDC() const = 0;
    // Asked once the family list is read and after each family's faces are
    // entered: false ends the enumeration there.
    virtual bool KeepWalking() { return true; }

protected:
    ~CFontEnumClient() = default;
};

// Adds one entry for each installed TrueType face name that the client's
// collection does not hold yet, in family order and, within a family, in the
// order the font service reports the variants. Names are UTF-16 throughout,
// so a face whose name the ANSI code page cannot spell is found too; the
// families of vertical forms ("@" and a name) are left out, as their faces
// are the others again. Each family is asked once, and each face realised
// once where its family leaves no doubt which face a variant realises
// (CFamilyVariants); a new face's names are read from its own name table
// then. An allocation failure ends the enumeration with the collection
// consistent and is rethrown afterwards. The screen's device context is
// obtained on the calling thread, for the run. Each face's switch is read
// from the lists of `paths`, by any of its names: the host is not asked, so
// the enumeration may run on any thread.
void EnumerateTrueTypeFaces(CFontEnumClient& client, const KeyPaths& paths);
