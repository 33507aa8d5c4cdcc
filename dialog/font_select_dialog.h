#pragma once

#include "count_line.h"
#include "face_table.h"
#include "face_words.h"
#include "font_preview.h"
#include "fonts/truetype_enum.h"
#include "host/vexi16/vexi16.h"

// The font selection dialog: every installed TrueType face as a list item
// with a check box; a checked item is an enabled face, and the check shows
// the one switch it controls. OK writes the switches whose checks the user
// changed, and stays open, saying so, when the store refuses some; Cancel
// writes none. A find box narrows the list; the checks of the faces it hides
// are kept.
class CFontSelectDialog : public CVexiDialog, private CFontEnumClient {
public:
    explicit CFontSelectDialog(CWnd* pParent = nullptr);
    ~CFontSelectDialog() override;

    // Brings the dialog open in this process, on any thread, to the front,
    // with any question it is asking; nothing when none is open.
    static void BringOpenDialogToFront();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void PostNcDestroy() override;

    void FillFontList(const CFontEntryArray& fonts);

    // Check boxes.
    void OnCheckAll();
    void OnClearAll();
    void OnFontListClick(NMHDR* pNotify, LRESULT* pResult);
    void OnFontListKeyDown(NMHDR* pNotify, LRESULT* pResult);
    void OnFontListItemChanged(NMHDR* pNotify, LRESULT* pResult);
    void ApplyCheckClick(int x, int y);

    // Defaults and help.
    void OnDefaults();
    void OnHelpButton();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    // Columns, sorting and finding.
    void OnFontListDisplayInfo(NMHDR* pNotify, LRESULT* pResult);
    void OnFontListColumnClick(NMHDR* pNotify, LRESULT* pResult);
    void OnFindChange();
    void OnSampleChange();
    void OnDrawItem(int nIDCtl, DRAWITEMSTRUCT* pDrawItem);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    LRESULT OnCountChanged(WPARAM, LPARAM);
    LRESULT OnResetFailed(WPARAM error, LPARAM);

private:
    CFontEntryArray& GetFonts() override { return m_fonts; }
    void SetEnumDC(HDC dc) override { m_hEnumDC = dc; }
    HDC GetEnumDC() const override { return m_hEnumDC; }

    // A template without the list opens without one; nothing is then listed
    // or written.
    bool HasFontList() const { return m_fontList.m_hWnd != nullptr; }
    // Takes the template's list to show the table's order: a list that sorts
    // itself would move items away from the faces behind them, so it sorts
    // no more; an owner-data list, which holds no items, is taken for none.
    void AttachFontList(HWND list);
    // Puts the faces the table shows into the list, in its order, with their
    // check boxes.
    void ShowFaces();
    void InsertColumns() const;
    void FitColumns();
    // Sets every face's check box from the entry of `fonts` that bears its name.
    void ShowEnabledStates(const CFontEntryArray& fonts);
    // Shows the list's focused face in the preview, or nothing.
    void ShowFocusedFace();
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
    void ShowFailure(UINT textId, UINT captionId, const std::vector<std::string>& inserts) const;

    CFontEntryArray m_fonts;
    CListCtrl m_fontList; // attached while the dialog's window exists
    HDC m_hEnumDC = nullptr;
    CFaceWords m_words;
    CFaceTable m_faces;
    CCountLine m_countLine;
    CFontPreview m_preview;
    bool m_refilling = false;    // the list's items are being replaced
    bool m_countPending = false; // a count update is on its way
    int m_listWidth = 0;         // the list's client width when its columns were last fitted

    // Posted when a check box changed: the count line follows once the
    // change, which may be one of thousands, is done.
    static constexpr UINT kCountChangedMessage = WM_APP + 1;
    // Posted when the reset of a cold profile failed while the dialog opened,
    // with the registry's error.
    static constexpr UINT kResetFailedMessage = WM_APP + 2;

    DECLARE_MESSAGE_MAP()
};

// How the dialog's controls follow its size; and, where the template has the
// sample box beside the find box, how the two share the top row's width.
extern const _dlgControlTag kFontSelectLayout[];
extern const int kFontSelectLayoutCount;
extern const _dlgControlTag kSampleRowLayout[];
extern const int kSampleRowLayoutCount;
