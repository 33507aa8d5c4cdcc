// The controls follow the dialog's size.
#include "dialog_test.h"

#include "framework/afx.h"

#include <commctrl.h>

#include <cstdlib>

namespace {

SIZE ClientSize(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    return {client.right, client.bottom};
}

RECT Moved(RECT rect, LONG dx, LONG dy)
{
    ::OffsetRect(&rect, dx, dy);
    return rect;
}

RECT Grown(RECT rect, LONG dx, LONG dy)
{
    rect.right += dx;
    rect.bottom += dy;
    return rect;
}

std::string Show(const RECT& rect)
{
    return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom) + ")";
}

// The control's text in its own font, on one line or wrapped at its width:
// the size it takes.
SIZE TextExtent(HWND control, UINT format)
{
    wchar_t text[512] = {};
    ::GetWindowTextW(control, text, 512);
    RECT area{};
    ::GetClientRect(control, &area);
    area.bottom = 0;
    const UniqueScreenDC screen(::GetDC(nullptr));
    SelectedObject font(screen.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    ::DrawTextW(screen.get(), text, -1, &area, format | DT_CALCRECT);
    return {area.right, area.bottom};
}

// Each button's and label's text fits on one line, a button's inside its
// edges, each wrapping static's within its height, and no two controls
// overlap.
void ExpectTextsFitAndNothingOverlaps(const DialogWindow& dialog)
{
    std::map<int, RECT> placed;
    for (HWND child = ::GetWindow(dialog.Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        const RECT place = dialog.ControlRect(id);
        for (const auto& [other, otherPlace] : placed) {
            RECT overlap{};
            EXPECT_FALSE(::IntersectRect(&overlap, &place, &otherPlace))
                << "control " << id << " at " << Show(place) << " overlaps control " << other << " at " << Show(otherPlace);
        }
        placed[id] = place;
        char kind[16] = {};
        ::GetClassNameA(child, kind, sizeof kind);
        RECT client{};
        ::GetClientRect(child, &client);
        if (::lstrcmpiA(kind, "Button") == 0) {
            EXPECT_LE(TextExtent(child, DT_SINGLELINE).cx + 2 * ::GetSystemMetrics(SM_CXEDGE), client.right)
                << "button " << id << ": " << dialog.Text(id);
        } else if (::lstrcmpiA(kind, "Static") == 0 && (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT) {
            // A label has room for one line, on which its text fits; a
            // static with room for more wraps its text, which fits its height.
            const SIZE line = TextExtent(child, DT_SINGLELINE);
            if (2 * line.cy > client.bottom)
                EXPECT_LE(line.cx, client.right) << "label " << id << ": " << dialog.Text(id);
            else
                EXPECT_LE(TextExtent(child, DT_WORDBREAK | DT_EXPANDTABS).cy, client.bottom)
                    << "static " << id << ": " << dialog.Text(id);
        }
    }
}

} // namespace

using Resize = DialogTest;
using Layout = DialogTest;

// In every language, and the pseudo-language's longer texts, the dialog
// opens with each text whole and no control over another, also once the user
// has tried to make it smaller than its content or made it larger. Run at
// the DPI the test is told (GLYPHOR_TEST_DPI, 96 unless set).
TEST_F(Layout, EveryLanguageFitsItsTexts)
{
    const char* asked = std::getenv("GLYPHOR_TEST_DPI");
    const UniqueScreenDC screen(::GetDC(nullptr));
    ASSERT_EQ(::GetDeviceCaps(screen.get(), LOGPIXELSY), asked ? std::atoi(asked) : 96) << "the display's DPI";
    FillStore({}, {});
    for (const char* language :
         {"", "de", "fr", "es", "it", "pt-BR", "ru", "pl", "ja", "ko", "zh-Hans", "zh-Hant", "qps-ploc"}) {
        SCOPED_TRACE(*language ? language : "English");
        const std::string folder = *language ? ProgramDirectory() + "\\languages\\" + language : "";
        GlyphorLibrary glyphor(profile.Path(), folder);
        ASSERT_TRUE(RunDialogSession(glyphor, [](const DialogWindow& dialog) {
            ExpectTextsFitAndNothingOverlaps(dialog);
            RECT frame{};
            ::GetWindowRect(dialog.Handle(), &frame);
            for (const LONG change : {-200, 150}) {
                ::SetWindowPos(dialog.Handle(), nullptr, 0, 0, frame.right - frame.left + change,
                               frame.bottom - frame.top + change, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                dialog.Sync();
                ExpectTextsFitAndNothingOverlaps(dialog);
            }
            dialog.Close(IDCANCEL);
        }));
    }
}

TEST_F(Resize, ControlsFollowTheDialogsSize)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    ASSERT_TRUE(RunDialogSession(glyphor, [](const DialogWindow& dialog) {
        const int ids[] = {IDC_FONT_LIST_CAPTION, IDC_FONT_LIST, IDC_DEFAULTS_BTN, IDC_CHECK_ALL_BTN,
                           IDC_CLEAR_ALL_BTN, IDOK, IDCANCEL, IDC_HELP_BTN, IDC_FIND_BOX, IDC_FONT_COUNT,
                           IDC_FONT_PREVIEW, IDC_SAMPLE_LABEL, IDC_SAMPLE_BOX};
        std::map<int, RECT> before;
        for (int id : ids)
            before[id] = dialog.ControlRect(id);
        // Defaults, Check all and Clear all on the left, OK, Cancel and Help on
        // the right: even gaps within each group (dialog units rounded to
        // pixels), a wide one between them.
        const auto gap = [&](int left, int right) { return before[right].left - before[left].right; };
        const LONG inside = gap(IDC_DEFAULTS_BTN, IDC_CHECK_ALL_BTN);
        for (const auto& [left, right] : {std::pair{IDC_CHECK_ALL_BTN, IDC_CLEAR_ALL_BTN}, {IDOK, IDCANCEL},
                                          {IDCANCEL, IDC_HELP_BTN}})
            EXPECT_NEAR(gap(left, right), inside, 1) << "between buttons " << left << " and " << right;
        EXPECT_GT(gap(IDC_CLEAR_ALL_BTN, IDOK), 4 * inside) << "the two groups run together";
        EXPECT_EQ(before[IDC_DEFAULTS_BTN].left, before[IDC_FONT_LIST].left);
        EXPECT_EQ(before[IDC_HELP_BTN].right, before[IDC_FONT_LIST].right);
        const SIZE client = ClientSize(dialog.Handle());
        RECT frame{};
        ::GetWindowRect(dialog.Handle(), &frame);
        const auto nameWidth = [&] { return ::SendMessageA(dialog.Control(IDC_FONT_LIST), LVM_GETCOLUMNWIDTH, 0, 0); };
        const LRESULT nameBefore = nameWidth();

        ::SetWindowPos(dialog.Handle(), nullptr, 0, 0, frame.right - frame.left + 121, frame.bottom - frame.top + 80,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        dialog.Sync();
        const SIZE grown = ClientSize(dialog.Handle());
        const LONG dx = grown.cx - client.cx, dy = grown.cy - client.cy, half = MulDiv(dx, 50, 100);
        ASSERT_EQ(dx, 121);
        ASSERT_EQ(dy, 80);

        const std::map<int, RECT> expected = {
            {IDC_FONT_LIST_CAPTION, Grown(before[IDC_FONT_LIST_CAPTION], dx, 0)},
            {IDC_FONT_LIST, Grown(before[IDC_FONT_LIST], dx, dy)},
            {IDC_DEFAULTS_BTN, Moved(before[IDC_DEFAULTS_BTN], 0, dy)},
            {IDC_CHECK_ALL_BTN, Moved(before[IDC_CHECK_ALL_BTN], MulDiv(dx, 50, 100), dy)},
            {IDC_CLEAR_ALL_BTN, Moved(before[IDC_CLEAR_ALL_BTN], dx, dy)},
            {IDOK, Moved(before[IDOK], dx, dy)},
            {IDCANCEL, Moved(before[IDCANCEL], dx, dy)},
            {IDC_HELP_BTN, Moved(before[IDC_HELP_BTN], dx, dy)},
            {IDC_FIND_BOX, Grown(before[IDC_FIND_BOX], half, 0)},
            {IDC_SAMPLE_LABEL, Moved(before[IDC_SAMPLE_LABEL], half, 0)},
            {IDC_SAMPLE_BOX, Grown(Moved(before[IDC_SAMPLE_BOX], half, 0), half, 0)},
            {IDC_FONT_COUNT, Grown(Moved(before[IDC_FONT_COUNT], 0, dy), dx, 0)},
            {IDC_FONT_PREVIEW, Grown(Moved(before[IDC_FONT_PREVIEW], 0, dy), dx, 0)},
        };
        for (const auto& [id, rect] : expected)
            EXPECT_EQ(Show(dialog.ControlRect(id)), Show(rect)) << "control " << id << " was " << Show(before[id]);
        EXPECT_EQ(nameWidth() - nameBefore, dx) << "the name column takes the added width";
        dialog.Close(IDCANCEL);
    }));
}

// The width message carries 16 bits: a wider column is made as wide as it can be.
TEST(ListControl, ColumnWidthsBeyondTheMessagesRangeAreClamped)
{
    const UniqueHWnd window(
        ::CreateWindowExA(0, WC_LISTVIEWA, "", LVS_REPORT, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr));
    CListCtrl list;
    list.Attach(window.get());
    list.InsertColumn(0, L"Font");
    list.SetColumnWidth(0, 70000);
    EXPECT_EQ(list.GetColumnWidth(0), 32767);
}
