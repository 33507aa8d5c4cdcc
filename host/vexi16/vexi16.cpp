#define VEXI16_BUILD
#include "vexi16.h"

#include <algorithm>

namespace {

// Which share of a ControlLayout each resize flag sets.
struct FlagShare {
    DWORD flag;
    int share;
};
constexpr FlagShare kFlagShares[] = {
    {kVexiMoveRight, 0},
    {kVexiMoveDown, 1},
    {kVexiWider, 2},
    {kVexiTaller, 3},
};

SIZE ClientSize(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

} // namespace

CVexiBaseDialog::CVexiBaseDialog(UINT nIDTemplate, CWnd* pParentWnd, HINSTANCE hResourceInstance)
    : CDialog(nIDTemplate, pParentWnd, hResourceInstance)
{
}

CVexiBaseDialog::~CVexiBaseDialog() = default;

INT_PTR CVexiBaseDialog::DoModal()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    return CDialog::DoModal();
}

BOOL CVexiBaseDialog::OnInitDialog()
{
    return CDialog::OnInitDialog();
}

CVexiDialog::CVexiDialog(UINT nIDTemplate, CWnd* pParentWnd, HINSTANCE hResourceInstance)
    : CVexiBaseDialog(nIDTemplate, pParentWnd, hResourceInstance)
{
}

CVexiDialog::~CVexiDialog() = default;

void CVexiDialog::DoDataExchange(CDataExchange* pDX)
{
    CVexiBaseDialog::DoDataExchange(pDX);
}

void CVexiDialog::OnOK()
{
    CVexiBaseDialog::OnOK();
}

BOOL CVexiDialog::SetControlProperty(const _dlgControlTag* rules, int count)
{
    m_originalClient = ClientSize(m_hWnd);
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    m_minimumWindow = {window.right - window.left, window.bottom - window.top};

    for (int i = 0; i < count; ++i) {
        const _dlgControlTag& rule = rules[i];
        HWND control = ::GetDlgItem(m_hWnd, static_cast<int>(rule.id));
        if (!control)
            continue;
        auto layout = std::find_if(m_layout.begin(), m_layout.end(),
                                   [control](const ControlLayout& l) { return l.control == control; });
        if (layout == m_layout.end()) {
            ControlLayout added{control, {}};
            ::GetWindowRect(control, &added.original);
            ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&added.original), 2);
            layout = m_layout.insert(m_layout.end(), added);
        }
        for (const FlagShare& flagShare : kFlagShares) {
            if (rule.flags & flagShare.flag)
                layout->share[flagShare.share] = static_cast<int>(rule.percent);
        }
    }
    return TRUE;
}

void CVexiDialog::OnSize(UINT nType, int cx, int cy)
{
    if (nType == SIZE_MINIMIZED || m_layout.empty())
        return;
    const int dx = cx - m_originalClient.cx;
    const int dy = cy - m_originalClient.cy;
    HDWP positions = ::BeginDeferWindowPos(static_cast<int>(m_layout.size()));
    for (const ControlLayout& layout : m_layout) {
        const RECT& r = layout.original;
        const int x = r.left + MulDiv(dx, layout.share[0], 100);
        const int y = r.top + MulDiv(dy, layout.share[1], 100);
        const int width = (r.right - r.left) + MulDiv(dx, layout.share[2], 100);
        const int height = (r.bottom - r.top) + MulDiv(dy, layout.share[3], 100);
        if (positions)
            positions = ::DeferWindowPos(positions, layout.control, nullptr, x, y, std::max(width, 0),
                                         std::max(height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions)
        ::EndDeferWindowPos(positions);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CVexiDialog::OnGetMinMaxInfo(MINMAXINFO* info)
{
    // The template's size is the smallest at which every control still fits.
    if (m_minimumWindow.cx > 0) {
        info->ptMinTrackSize.x = m_minimumWindow.cx;
        info->ptMinTrackSize.y = m_minimumWindow.cy;
    }
}

BEGIN_MESSAGE_MAP(CVexiDialog, CVexiBaseDialog)
    ON_WM_SIZE(&CVexiDialog::OnSize)
    ON_WM_GETMINMAXINFO(&CVexiDialog::OnGetMinMaxInfo)
END_MESSAGE_MAP()
