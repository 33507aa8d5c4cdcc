// The controls follow the dialog's size.
#include "dialog_test.h"

#include "dialog/message_text.h"
#include "framework/afx.h"
#include "store/policy.h"
#include "tests/support/resource_text.h"

#include <commctrl.h>

#include <cstdlib>
#include <optional>

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
// overlap, nor leave the dialog.
void ExpectTextsFitAndNothingOverlaps(const DialogWindow& dialog)
{
    std::map<int, RECT> placed;
    RECT inside{};
    ::GetClientRect(dialog.Handle(), &inside);
    for (HWND child = ::GetWindow(dialog.Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        const RECT place = dialog.ControlRect(id);
        RECT outside{}; // what lies outside the dialog's client area
        EXPECT_FALSE(::SubtractRect(&outside, &place, &inside)) << "control " << id << " leaves it: " << Show(place);
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

// Which pixel columns of a column's heading differ from its background.
std::vector<bool> HeadingInk(const FontList& list, int column)
{
    const auto header = reinterpret_cast<HWND>(::SendMessageW(list.Handle(), LVM_GETHEADER, 0, 0));
    RECT item{};
    ::SendMessageW(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&item));
    ::RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const UniqueScreenDC dc(::GetDC(header));
    const COLORREF background = ::GetPixel(dc.get(), item.left + 2, item.top + 2);
    std::vector<bool> ink(static_cast<size_t>(item.right - item.left));
    for (LONG x = item.left; x < item.right; ++x)
        for (LONG y = item.top + 2; y < item.bottom - 2; ++y)
            ink[x - item.left] = ink[x - item.left] || ::GetPixel(dc.get(), x, y) != background;
    return ink;
}

// Every sentence of the count line in the dialog's language, with long counts.
std::vector<std::wstring> CountLines(const std::string& folder)
{
    const std::string library = (folder.empty() ? ProgramDirectory() : folder) + "\\GlyphorRes.dll";
    const UniqueHModule resources(::LoadLibraryExA(library.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    const std::wstring count = L"12,345";
    std::vector<std::wstring> lines;
    for (UINT id : {IDS_FONT_COUNT, IDS_FONT_COUNT_NARROWED, IDS_FONT_COUNT_FINDING, IDS_FONT_COUNT_FINDING_NARROWED,
                    IDS_FONT_COUNT_LOCKED, IDS_FONT_COUNT_NARROWED_LOCKED, IDS_FONT_COUNT_FINDING_LOCKED,
                    IDS_FONT_COUNT_FINDING_NARROWED_LOCKED, IDS_LOCKED_BY_ADMINISTRATOR})
        lines.push_back(FormattedMessage(ResourceString(resources.get(), id), {count, count, count, count}));
    return lines;
}

// The primary monitor's work area as small as 1024 x 768 at 192 DPI, and at
// least 800 x 600, until the scope ends.
struct SmallWorkArea {
    explicit SmallWorkArea(int dpi)
    {
        RECT small{0, 0, std::max<LONG>(::MulDiv(1024, dpi, 192), 800), std::max<LONG>(::MulDiv(768, dpi, 192), 600)};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &was, 0);
        ::SystemParametersInfoW(SPI_SETWORKAREA, 0, &small, 0);
    }
    ~SmallWorkArea() { ::SystemParametersInfoW(SPI_SETWORKAREA, 0, &was, 0); }
    RECT was{};
};

} // namespace

using Resize = DialogTest;
using Layout = DialogTest;

// In every language, and the pseudo-language's longer texts, the dialog
// opens within the work area with each text whole, every count line too, no
// control over another and sorted headings uncut, also once the user has
// tried to make it smaller than its content, the list then a few rows high,
// or made it larger, and at the work area's size the left buttons together.
// Run at the DPI the test is told (GLYPHOR_TEST_DPI), in a small work area.
TEST_F(Layout, EveryLanguageFitsItsTexts)
{
    const char* asked = std::getenv("GLYPHOR_TEST_DPI");
    const UniqueScreenDC screen(::GetDC(nullptr));
    ASSERT_EQ(::GetDeviceCaps(screen.get(), LOGPIXELSY), asked ? std::atoi(asked) : 96) << "the display's DPI";
    std::optional<SmallWorkArea> small;
    if (asked)
        small.emplace(std::atoi(asked));
    FillStore({}, {});
    const ScopedPolicy policy; // the sentences of locked faces too
    policy.SetList(ScopedPolicy::kUser, ScopedPolicy::ListKey(kEmbedNeverList), {L"Glyphor Test Sans"});
    for (const char* language : {"", GLYPHOR_LANGUAGES}) {
        SCOPED_TRACE(*language ? language : "English");
        const std::string folder = *language ? ProgramDirectory() + "\\languages\\" + language : "";
        GlyphorLibrary glyphor(profile.Path(), folder);
        ASSERT_TRUE(RunDialogSession(glyphor, [&folder](const DialogWindow& dialog) {
            ExpectTextsFitAndNothingOverlaps(dialog);
            RECT frame{}, work{}, outside{};
            ::GetWindowRect(dialog.Handle(), &frame);
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
            EXPECT_FALSE(::SubtractRect(&outside, &frame, &work)) << Show(frame) << " leaves the work area";
            for (const std::wstring& line : CountLines(folder)) {
                dialog.SetText(IDC_FONT_COUNT, line);
                ExpectTextsFitAndNothingOverlaps(dialog);
            }
            const FontList list = dialog.List();
            for (const int column : {1, 2}) {
                const std::vector<bool> unsorted = HeadingInk(list, column);
                list.ClickHeading(column);
                const std::vector<bool> sorted = HeadingInk(list, column);
                for (size_t x = 0; x < unsorted.size(); ++x)
                    EXPECT_TRUE(!unsorted[x] || sorted[x]) << "heading " << column << " sorted is cut at " << x;
            }
            for (const LONG change : {-200, 150}) {
                ::SetWindowPos(dialog.Handle(), nullptr, 0, 0, frame.right - frame.left + change,
                               frame.bottom - frame.top + change, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
                dialog.Sync();
                ExpectTextsFitAndNothingOverlaps(dialog);
                EXPECT_GE(::SendMessageW(list.Handle(), LVM_GETCOUNTPERPAGE, 0, 0), 3) << "rows shown, " << change;
            }
            ::SetWindowPos(dialog.Handle(), nullptr, work.left, work.top, work.right - work.left,
                           work.bottom - work.top, SWP_NOZORDER | SWP_NOACTIVATE);
            dialog.Sync();
            ExpectTextsFitAndNothingOverlaps(dialog);
            EXPECT_NEAR(dialog.ControlRect(IDC_CLEAR_ALL_BTN).left - dialog.ControlRect(IDC_CHECK_ALL_BTN).right,
                        dialog.ControlRect(IDC_CHECK_ALL_BTN).left - dialog.ControlRect(IDC_DEFAULTS_BTN).right, 1)
                << "Clear all apart from Check all at the work area's size";
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
            {IDC_CHECK_ALL_BTN, Moved(before[IDC_CHECK_ALL_BTN], 0, dy)},
            {IDC_CLEAR_ALL_BTN, Moved(before[IDC_CLEAR_ALL_BTN], 0, dy)},
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
