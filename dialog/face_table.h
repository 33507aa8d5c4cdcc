#pragma once

#include "face_words.h"
#include "store/policy.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

struct FoundFace;

// The list's columns.
enum FaceColumn : int { kNameColumn = 0, kAllowsColumn = 1, kLicenceColumn = 2, kFaceColumnCount = 3 };

// Every face the dialog lists, as discovery hands them over, with its check
// box, and which of them the list shows in which order. The list shows the
// faces whose names contain the find text, sorted by one column; the checks
// of the faces it does not show are kept here. Faces found later take their
// places in the sort and among the shown as they come. Faces whose names
// differ only in case, as the registry compares them, share one value of
// their list: they are case twins, and always share their check, so that
// what the list shows is what OK writes. A face whose switch the
// administrator's policy sets, or every face under LockAll, is locked: its
// check shows the policy's state, or the store's, and is never changed.
class CFaceTable {
public:
    struct Face {
        FaceNames names;     // every name it goes by
        std::string sortKey; // the locale comparison's key of the name it is listed by
        std::wstring folded; // the name as the find box compares it
        const std::wstring* words[kFaceColumnCount] = {}; // texts of the columns after the name
        unsigned fsType = 0;     // the embedding permission
        bool embeddable = true;  // as the library takes the permission
        LOGFONTW realisedFrom{}; // what makes the face again
        int nameWidth = 0;       // in pixels, in the list's font
        int check = 0;      // as CListCtrl::GetCheck reads a check box; the user's through SetShownCheck
        int stored = 0;     // the check the store gave when the face was last read from it; a locked face's: its check
        int switchList = 0; // the list the check is written to: 1 the tessellation list, 0 the embedding list
        bool touched = false; // the user has set its check since it last was as stored
        int twin = -1; // the next face in the ring of its case twins; -1 when it has none
        bool locked = false; // the policy sets the switch its check controls, or every switch

        bool Changed() const { return check != stored; }
        // The name it is listed by: the one the font service reports here.
        const std::wstring& Name() const { return names.Reported(); }
    };

    // Adds found faces, each checked when the switch its check controls is
    // on, or as its case twins are checked, leaving out any whose name the
    // table holds. Returns the places in Shown() that the faces shown among
    // them take, in ascending order: inserted into the list in that order,
    // each lands where it belongs.
    std::vector<int> Add(const std::vector<FoundFace>& found, CFaceWords& words);

    // The policy that faces added from now on follow; none until it is given.
    // It may name a face by any of its names. Case twins share their value,
    // and the policy matches names as the registry does: twins lock alike.
    void FollowPolicy(std::shared_ptr<const PolicySnapshot> policy) { m_policy = std::move(policy); }
    const PolicySnapshot& Policy() const { return *m_policy; }

    // Sorts by a column; ties go by name in the same direction.
    void SortBy(int column, bool ascending);
    int SortColumn() const { return m_sortColumn; }
    bool SortAscending() const { return m_sortAscending; }

    // Shows the faces whose names contain `text`, ignoring case; all for "".
    void Narrow(const std::wstring& text);
    bool Narrowed() const { return !m_findText.empty(); }

    int Count() const { return static_cast<int>(m_faces.size()); }
    int CheckedCount() const;
    int LockedCount() const { return m_lockedCount; }
    // The faces whose check differs from the store's, shown or not: found
    // among those the user has set, not among every face.
    std::vector<int> Changed();
    const Face& At(int face) const { return m_faces[face]; }
    Face& At(int face) { return m_faces[face]; }

    // The shown faces: list item i is face Shown()[i].
    const std::vector<int>& Shown() const { return m_shown; }
    // The face behind list item `item`; null when there is no such item.
    const Face* ShownAt(int item) const;
    Face* ShownAt(int item) { return const_cast<Face*>(std::as_const(*this).ShownAt(item)); }
    // The user sets the check of the face behind list item `item`, and of
    // its case twins; false when there is no such item.
    bool SetShownCheck(int item, int check);
    // The list items of the shown case twins of the face behind `item`.
    std::vector<int> ShownTwins(int item) const;

private:
    // Whether face a comes before face b in the current sort: by the sort
    // column's word, then by name, then in the order found, all reversed
    // when descending.
    bool Before(int a, int b) const;
    const std::string& ColumnKey(int face) const;
    bool Matches(int face) const;
    void Show();
    // Links a face added last into the ring of its case twins, if it has
    // any, and gives it their check.
    void JoinTwins(int face);
    // Locks a face being added as the policy says, with the policy's check.
    void Lock(Face& face);
    void SetCheck(int face, int check);

    std::vector<Face> m_faces; // in the order found
    std::unordered_set<std::wstring> m_names;
    std::vector<int> m_nameOrder;
    std::vector<int> m_touched;  // the faces marked touched
    std::shared_ptr<const PolicySnapshot> m_policy = std::make_shared<const PolicySnapshot>();
    int m_lockedCount = 0;
    // Of each list, its value names as the registry compares them -> a face
    // that writes that value.
    std::unordered_map<std::wstring, int> m_values[2];
    std::vector<int> m_order; // in the current sort
    std::vector<int> m_shown;
    std::wstring m_findText; // folded
    int m_sortColumn = kNameColumn;
    bool m_sortAscending = true;
    // The sort keys of the column words, made when a word is first sorted by.
    mutable std::map<const std::wstring*, std::string> m_wordKeys;
};
