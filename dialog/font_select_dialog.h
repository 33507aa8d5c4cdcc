#pragma once

#include "fonts/truetype_enum.h"
#include "host/vexi16/vexi16.h"

// The font selection dialog: every installed TrueType face as a list item
// with a check box; a checked item is an enabled face. OK writes one switch
// per item, Cancel none.
class CFontSelectDialog : public CVexiDialog, private CFontEnumClient {
public:
    explicit CFontSelectDialog(CWnd* pParent = nullptr);
    ~CFontSelectDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void PostNcDestroy() override;

    void FillFontList(CFontEntryArray& fonts);

    // Check boxes.
    void OnCheckAll();
    void OnClearAll();
    void OnFontListClick(NMHDR* pNotify, LRESULT* pResult);
    void OnFontListKeyDown(NMHDR* pNotify, LRESULT* pResult);
    void ApplyCheckClick(int x, int y);

    // Defaults and help.
    void OnDefaults();
    void OnHelpButton();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

private:
    CFontEntryArray& GetFonts() override { return m_fonts; }
    void SetEnumDC(HDC dc) override { m_hEnumDC = dc; }
    HDC GetEnumDC() const override { return m_hEnumDC; }

    // A template without the list opens without one; nothing is then listed
    // or written.
    bool HasFontList() const { return m_fontList.m_hWnd != nullptr; }
    // Sets every item's check box from the entry of `fonts` that bears its text.
    void ShowEnabledStates(const CFontEntryArray& fonts, int count);
    // Sets the check box of every selected item except `except`.
    void SetSelectionCheck(int except, BOOL checked);

    CFontEntryArray m_fonts;
    CListCtrl m_fontList; // attached while the dialog's window exists
    HDC m_hEnumDC = nullptr;

    DECLARE_MESSAGE_MAP()
};

// How the dialog's controls follow its size.
extern const _dlgControlTag kFontSelectLayout[];
extern const int kFontSelectLayoutCount;
