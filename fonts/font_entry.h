#pragma once

#include "names/face_names.h"

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// One discovered face. Never changed after construction.
class CFontEntry {
public:
    CFontEntry(FaceNames names, int embeddable, int enabled, unsigned fsType = 0,
               const LOGFONTW& realisedFrom = LOGFONTW{});
    virtual ~CFontEntry();

    // The name the font service reports, as the face is keyed and listed.
    const std::wstring& GetFacename() const { return m_names.Reported(); }
    const FaceNames& Names() const { return m_names; }

private:
    const FaceNames m_names;

public:
    const int m_embeddable; // 1 when the face's licence allows embedding
    const int m_enabled;    // 1 when the switch its check controls was on at discovery
    const unsigned m_fsType; // the face's embedding permission as its OS/2 table gives it
    // The report discovery realised the face from: family, weight, slant and
    // character set, which make the face again.
    const LOGFONTW m_realisedFrom;
};

// The discovered faces in discovery order; owns its entries.
//
// Both lookups answer the first entry in collection order whose reported name
// compares equal, the one unit for unit and the other under the locale
// comparison.
// Indexes kept beside the entries make them constant-time, so discovering
// and committing thousands of faces stays linear.
class CFontEntryArray {
public:
    CFontEntryArray();
    CFontEntryArray(const CFontEntryArray&) = delete;
    CFontEntryArray& operator=(const CFontEntryArray&) = delete;
    ~CFontEntryArray();

    int AddEntry(FaceNames names, int embeddable, int enabled, unsigned fsType = 0,
                 const LOGFONTW& realisedFrom = LOGFONTW{});
    int GetSize() const { return static_cast<int>(m_entries.size()); }
    CFontEntry* GetAt(int index) const { return m_entries[index].get(); }
    void RemoveAll();

    // The key the entry at `index` sorts by (LocaleSortKey of its name).
    const std::string& SortKeyAt(int index) const { return *m_sortKeys[index]; }

    CFontEntry* FindByFacename(const std::wstring& facename) const;
    CFontEntry* FindByFacenameLocale(const wchar_t* facename) const;

    // The entries' indexes in the order of a list control that sorts its
    // items itself in ascending order: the locale comparison's order, taken
    // from the entries' sort keys.
    std::vector<int> OrderByName() const;

private:
    std::vector<std::unique_ptr<CFontEntry>> m_entries;
    // Face name -> index of its first entry.
    std::unordered_map<std::wstring, int> m_byName;
    // Locale sort key -> indexes of the entries with that key, in order.
    std::unordered_map<std::string, std::vector<int>> m_bySortKey;
    // Each entry's key, as held by m_bySortKey (its keys do not move).
    std::vector<const std::string*> m_sortKeys;
};

// The key under which the locale comparison sorts a text, a face's name or
// a column's words: two texts compare equal with lstrcmpW exactly when their
// keys are equal, and the keys' byte order is the comparison's order.
std::string LocaleSortKey(const wchar_t* text);
