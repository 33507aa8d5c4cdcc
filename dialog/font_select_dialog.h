#pragma once

#include "accessible_window.h"
#include "count_line.h"
#include "dialog_font.h"
#include "face_table.h"
#include "face_words.h"
#include "fitted_layout.h"
#include "font_preview.h"
#include "live_region.h"
#include "fonts/face_finder.h"
#include "host/vexi16/vexi16.h"

#include <set>

// The font selection dialog: every installed TrueType face as a list item
// with a check box; a checked item is an enabled face, and the check shows
// the one switch it controls. It opens at once, and the faces fill the list
// as a walk on a thread of its own finds them. OK writes the switches whose
// checks the user changed, and stays open, saying so, when the store refuses
// some; Cancel writes none. A find box narrows the list; the checks of the
// faces it hides are kept. It reads the administrator's policy as it opens:
// the check of a face the policy locks shows the policy's state, greyed, and
// does not move; under LockAll no check does, and OK closes as Cancel does.
class CFontSelectDialog : public CVexiDialog {
public:
    explicit CFontSelectDialog(CWnd* pParent = nullptr);
    ~CFontSelectDialog() override;

    // Whether the dialog template of a resource library has every control
    // the dialog works with.
    static bool HasEveryControl(HINSTANCE resources);

    // Brings the dialog open in this process, on any thread, to the front,
    // with any question it is asking. False when none is on the screen.
    static bool BringOpenDialogToFront();

    // The dialog's window was made and initialised, and so shown.
    bool Opened() const { return m_opened; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void PostNcDestroy() override;

    // Sets the list up, empty, for the faces to come.
    void FillFontList();
    // Starts finding the faces, which come in batches as they are found.
    void StartFinding();

    // Check boxes.
    void OnCheckAll();
    void OnClearAll();
    void OnFontListClick(NMHDR* pNotify, LRESULT* pResult);
    void OnFontListKeyDown(NMHDR* pNotify, LRESULT* pResult);
    void OnFontListItemChanged(NMHDR* pNotify, LRESULT* pResult);
    void ApplyCheckClick(int x, int y);

    // Faces the policy locks.
    void OnFontListItemChanging(NMHDR* pNotify, LRESULT* pResult);
    void OnFontListCustomDraw(NMHDR* pNotify, LRESULT* pResult);
    // Under LockAll, the buttons that change checks are disabled.
    void DisableChangesUnderLockAll() const;
    // Draws the item's check box greyed, over the one the list drew.
    void GreyCheckBox(HDC dc, int item) const;

    // Defaults and help.
    void OnDefaults();
    void OnHelpButton();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    // Columns, sorting and finding.
    void OnFontListDisplayInfo(NMHDR* pNotify, LRESULT* pResult);
    void OnFontListColumnClick(NMHDR* pNotify, LRESULT* pResult);
    LRESULT OnContextMenu(WPARAM window, LPARAM point);
    void OnFindChange();
    LRESULT OnFindEnter(WPARAM, LPARAM);
    void OnSampleChange();
    void OnDrawItem(int nIDCtl, DRAWITEMSTRUCT* pDrawItem);
    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnDestroy();
    LRESULT OnCountChanged(WPARAM, LPARAM);
    LRESULT OnResetFailed(WPARAM error, LPARAM);
    LRESULT OnFacesFound(WPARAM generation, LPARAM);
    LRESULT OnDpiChanged(WPARAM dpis, LPARAM suggested);

private:
    // A template without the list opens without one; nothing is then listed
    // or written.
    bool HasFontList() const { return m_fontList.m_hWnd != nullptr; }
    // Takes the template's list to show the table's order: a list that sorts
    // itself would move items away from the faces behind them, so it sorts
    // no more; an owner-data list, which holds no items, is taken for none.
    void AttachFontList(HWND list);
    // Puts the faces the table shows into the list, in its order, with their
    // check boxes. Face `focused`, as it was before the table changed, keeps
    // the focus if it is still listed; otherwise the first face takes it.
    void ShowFaces(int focused);
    void InsertFace(int item);
    void InsertColumns() const;
    // Takes in what the faces from `first` on need of the columns' widths:
    // their names as measured when found, their words measured here once.
    void MeasureFaces(int first);
    void LearnNameMargins();
    // True when a column's width changed.
    bool FitColumns();
    bool FollowListWidth();
    // Has the list draw its rows from `item` on (none for -1), and what it
    // had yet to draw before it stopped drawing (`pending`), and no others;
    // all of it when `pending` could not be had.
    void RepaintFrom(int item, HRGN pending);
    // Sets the check box of every face the policy does not lock from the
    // switch it controls, as the store holds it now.
    void ShowStoredStates();
    // Lays the controls out to fit their texts and the work area of the
    // dialog's monitor, growing the dialog as they need; again after a
    // change of font or DPI.
    void FitControlsToTexts();
    // Shows the list's focused face in the preview, or nothing.
    void ShowFocusedFace();
    // The face's licence sentence, saying so where the policy sets its check.
    std::wstring SentenceOf(const CFaceTable::Face& face) const;
    // What a screen reader reads of the list's items beyond their texts: each
    // face's sentence, as the preview gives it, and its states, a locked
    // face's read-only.
    CAccessibleWindow::Texts ListItemTexts(LONG child) const;
    // A click or key would change the check of the locked face behind list
    // item `item`: it beeps, and the preview says why.
    void RefuseLockedCheck(int item);
    // The face behind the list's focused item; -1 for none.
    int FocusedFace() const;
    // Gives list item `item` the focus and the selection, alone, and scrolls
    // it into view.
    void FocusItem(int item);
    // The same without scrolling.
    void GiveFocus(int item);
    // Focuses the item of `face` if it is listed and the user has moved the
    // focus, else the first item.
    void KeepFocusOn(int face);
    // After faces were added: the first item takes the focus while it
    // follows the top, or when no item has it.
    void FollowTop();
    // Sorts by a column; the current column again reverses its order.
    void SortByColumn(int column);
    // Sets the check box of every selected item except `except`.
    void SetSelectionCheck(int except, BOOL checked);
    // The count line, now or once the current message is done.
    void ShowCount();
    void ShowCountSoon();

    struct SaveOutcome {
        int failed = 0;
        LONG firstError = ERROR_SUCCESS;
    };
    SaveOutcome SaveChanges();
    // Tells the user what could not be done, in words of the resource library.
    void ShowFailure(UINT textId, UINT captionId, const std::vector<std::wstring>& inserts) const;
    // A message box over the dialog, reading in the direction of its language.
    int ShowMessage(const std::wstring& text, UINT captionId, UINT type) const;

    CListCtrl m_fontList; // attached while the dialog's window exists
    CFaceFinder m_finder;
    CFaceWords m_words;
    CFaceTable m_faces;
    CCountLine m_countLine;
    CLiveRegion m_countRegion; // the line under the list, which shows m_countLine's texts
    CFontPreview m_preview;
    CAccessibleWindow m_listAccessible;
    CFittedLayout m_layout;
    CDialogFont m_font; // follows the monitor's DPI
    bool m_opened = false;
    UINT m_messageReading = 0; // what the message boxes add to read as the dialog does
    bool m_refilling = false;    // the list's items are being replaced
    bool m_focusing = false;     // the dialog itself is moving the list's focus
    bool m_focusFollowsTop = true; // until the user moves the focus, the top of the list has it
    bool m_countPending = false; // a count update is on its way
    int m_listWidth = 0;         // the list's client width when its columns were last fitted
    int m_textWidths[kFaceColumnCount] = {}; // the widest name and words measured
    std::set<const std::wstring*> m_measuredWords;
    int m_nameMargins = 0; // what the list adds to a name in the name column

    // Posted when a check box changed: the count line follows once the
    // change, which may be one of thousands, is done.
    static constexpr UINT kCountChangedMessage = WM_APP + 1;
    // Posted when the reset of a cold profile failed while the dialog opened,
    // with the registry's error.
    static constexpr UINT kResetFailedMessage = WM_APP + 2;
    // Posted by the finder when found faces wait, with the walk's generation.
    static constexpr UINT kFacesFoundMessage = WM_APP + 3;
    // Sent by the find box when Enter is pressed in it.
    static constexpr UINT kFindEnterMessage = WM_APP + 4;

    DECLARE_MESSAGE_MAP()
};

// How the dialog's controls follow its size; and, where the template has the
// sample box beside the find box, how the two share the top row's width.
extern const _dlgControlTag kFontSelectLayout[];
extern const int kFontSelectLayoutCount;
extern const _dlgControlTag kSampleRowLayout[];
extern const int kSampleRowLayoutCount;
