#pragma once

// The host's dialog framework, as the font library uses it.

#include "framework/afx.h"

#include <string>
#include <vector>

#ifdef VEXI16_BUILD
#define VEXI16_API __declspec(dllexport)
#else
#define VEXI16_API __declspec(dllimport)
#endif

// One resize rule: how control `id` follows the dialog's change in size.
// `flags` combines the directions below; `percent` is the share of the
// dialog's change that the control takes in each of them.
struct _dlgControlTag {
    DWORD id;
    DWORD flags;
    DWORD percent;
};

enum VexiResizeFlag : DWORD {
    kVexiMoveRight = 1,
    kVexiMoveDown = 2,
    kVexiWider = 16,
    kVexiTaller = 32,
};

class VEXI16_API CVexiBaseDialog : public CDialog {
public:
    CVexiBaseDialog(UINT nIDTemplate, CWnd* pParentWnd, HINSTANCE hResourceInstance);
    ~CVexiBaseDialog() override;

    // Initialises the common controls before the dialog is created.
    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;

    std::string m_strRootKey; // the host application's registry key
};

class VEXI16_API CVexiDialog : public CVexiBaseDialog {
public:
    CVexiDialog(UINT nIDTemplate, CWnd* pParentWnd, HINSTANCE hResourceInstance);
    ~CVexiDialog() override;

    // Registers how controls move and stretch when the user resizes the
    // dialog, measured from the layout the controls have now. Where several
    // rules of one control name the same direction, the last one counts.
    BOOL SetControlProperty(const _dlgControlTag* rules, int count);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void OnSize(UINT nType, int cx, int cy);
    void OnGetMinMaxInfo(MINMAXINFO* info);

private:
    struct ControlLayout {
        HWND control;
        RECT original;            // in the dialog's client coordinates
        int share[4] = {0, 0, 0, 0}; // percent: right, down, wider, taller
    };

    std::vector<ControlLayout> m_layout;
    SIZE m_originalClient{};
    SIZE m_minimumWindow{};

    DECLARE_MESSAGE_MAP()
};
