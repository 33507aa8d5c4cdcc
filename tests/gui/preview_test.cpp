// The preview band under the list: read back through WM_PRINTCLIENT, line by
// line, and compared with the same text drawn here in the face it should be.
#include "accessible_client.h"
#include "dialog_test.h"
#include "window_search.h"

#include "dialog/face_words.h"
#include "dialog/accessible_window.h"
#include "dialog/preview_layout.h"
#include "common/ansi_text.h"
#include "common/window_text.h"
#include "framework/afx.h"
#include "store/policy.h"
#include "tests/support/import_hook.h"

#include <commctrl.h>
#include <usp10.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

const char kLines[] = "Glyphor Test Lines"; // glyphs unlike every other test face's boxes
const char kDingbats[] = "Glyphor Test Dingbats";   // a symbol font
const char kTahoma[] = "Tahoma"; // Wine's own, with Arabic letters and their joining forms

// Which pixels of `area` are ink, darker than the window's colour by more
// than a quarter of the way to black, once `draw` has drawn on a 32-bit
// bitmap of `size` filled with that colour.
template <typename Draw>
std::vector<bool> InkOf(SIZE size, const RECT& area, Draw draw)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* pixels = nullptr;
    const UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    const UniqueHBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    {
        SelectedObject canvas(dc.get(), bitmap.get());
        const RECT all{0, 0, size.cx, size.cy};
        ::FillRect(dc.get(), &all, ::GetSysColorBrush(COLOR_WINDOW));
        draw(dc.get());
        ::GdiFlush();
    }
    const COLORREF paper = ::GetSysColor(COLOR_WINDOW);
    const int paperSum = GetRValue(paper) + GetGValue(paper) + GetBValue(paper);
    std::vector<bool> ink;
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x) {
            const BYTE* pixel = static_cast<const BYTE*>(pixels) + 4 * (y * size.cx + x);
            ink.push_back(4 * (pixel[0] + pixel[1] + pixel[2]) < 3 * paperSum);
        }
    return ink;
}

// Where `text`, drawn alone at the top in `control`'s font, first shows in
// what the screen shows of the control; -1 where it does not.
LONG InkPlace(HWND control, const std::wstring& text)
{
    RECT place{};
    ::GetWindowRect(control, &place);
    const SIZE size{place.right - place.left, place.bottom - place.top};
    const RECT all{0, 0, size.cx, size.cy};
    const std::vector<bool> shown = InkOf(size, all, [&](HDC dc) {
        const UniqueScreenDC screen(::GetDC(nullptr));
        ::BitBlt(dc, 0, 0, size.cx, size.cy, screen.get(), place.left, place.top, SRCCOPY);
    });
    const std::vector<bool> alone = InkOf(size, all, [&](HDC dc) {
        SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
        ::TextOutW(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
    });
    LONG first = size.cx, last = 0; // its inked columns
    for (LONG i = 0; i < size.cx * size.cy; ++i) {
        if (alone[i]) {
            first = std::min(first, i % size.cx);
            last = std::max(last, i % size.cx);
        }
    }
    for (LONG x = 0; x + last - first < size.cx; ++x) {
        bool same = true;
        for (LONG y = 0; y < size.cy && same; ++y) {
            for (LONG dx = 0; dx <= last - first && same; ++dx)
                same = shown[y * size.cx + x + dx] == alone[y * size.cx + first + dx];
        }
        if (same)
            return x;
    }
    return -1;
}

int CALLBACK KeepReport(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM found)
{
    auto* wanted = reinterpret_cast<std::pair<std::string, LOGFONTA>*>(found);
    if (wanted->first != reinterpret_cast<const char*>(reinterpret_cast<const ENUMLOGFONTEXA*>(font)->elfFullName))
        return 1;
    wanted->second = *font;
    return 0;
}

std::wstring ResourceText(UINT id)
{
    const UniqueHModule resources(::LoadLibraryExA("GlyphorRes.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    wchar_t text[256] = {};
    ::LoadStringW(resources.get(), id, text, 256);
    return text;
}

std::wstring Wide(const char* text)
{
    return std::wstring(text, text + std::strlen(text));
}

// The sentences the band keeps lines for: every licence's, and a removed face's.
std::vector<std::wstring> BandSentences()
{
    const UniqueHModule resources(::LoadLibraryExA("GlyphorRes.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    AFX_MODULE_STATE state{nullptr, resources.get(), nullptr, false};
    const AFX_MAINTAIN_STATE2 selected(&state);
    std::vector<std::wstring> sentences = CFaceWords().EverySentence(false);
    sentences.push_back(ResourceText(IDS_PREVIEW_GONE));
    return sentences;
}

// The band as the dialog lays it out, what it shows, and its lines as they
// should look.
struct Band {
    explicit Band(HWND band) : window(band)
    {
        RECT client{};
        ::GetClientRect(band, &client);
        size = {client.right, client.bottom};
        const UniqueScreenDC screen(::GetDC(nullptr));
        SelectedObject font(screen.get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(band, WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(screen.get(), &metrics);
        lines = LayOutPreview(client, metrics.tmHeight, SentenceLines(screen.get(), client.right, BandSentences()));
    }

    std::vector<bool> Shown(const RECT& area) const
    {
        return InkOf(size, area, [this](HDC dc) {
            ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        });
    }
    bool ShowsInk(const RECT& area) const
    {
        const std::vector<bool> ink = Shown(area);
        return std::find(ink.begin(), ink.end(), true) != ink.end();
    }
    bool Empty() const { return !ShowsInk({0, 0, size.cx, size.cy}); }

    // What `draw` draws in the face, made from its first report, within the line.
    template <typename Draw>
    std::vector<bool> DrawnInFace(const char* face, const RECT& line, Draw draw) const
    {
        return InkOf(size, line, [&](HDC dc) {
            std::pair<std::string, LOGFONTA> report{face, {}};
            LOGFONTA request{};
            request.lfCharSet = DEFAULT_CHARSET;
            ::lstrcpynA(request.lfFaceName, face, LF_FACESIZE);
            ::EnumFontFamiliesExA(dc, &request, &KeepReport, reinterpret_cast<LPARAM>(&report), 0);
            report.second.lfHeight = lines.faceHeight;
            report.second.lfWidth = 0;
            const UniqueHFont font(::CreateFontIndirectA(&report.second));
            SelectedObject selected(dc, font.get());
            ::SetBkMode(dc, TRANSPARENT);
            draw(dc);
        });
    }
    // `text` in the face at the line's place.
    std::vector<bool> InFace(const char* face, const RECT& line, const std::wstring& text) const
    {
        return DrawnInFace(face, line, [&](HDC dc) {
            ::ExtTextOutW(dc, line.left, line.top, ETO_CLIPPED, &line, text.c_str(), static_cast<UINT>(text.size()),
                          nullptr);
        });
    }
    // `text` in the face as Uniscribe shapes and orders right-to-left text,
    // ending at the line's right edge.
    std::vector<bool> ShapedRightToLeft(const char* face, const RECT& line, const std::wstring& text) const
    {
        return DrawnInFace(face, line, [&](HDC dc) {
            const int length = static_cast<int>(text.size());
            SCRIPT_STRING_ANALYSIS analysis = nullptr;
            if (FAILED(::ScriptStringAnalyse(dc, text.c_str(), length, 3 * length / 2 + 16, -1, SSA_GLYPHS | SSA_RTL, 0,
                                             nullptr, nullptr, nullptr, nullptr, nullptr, &analysis)))
                return;
            ::ScriptStringOut(analysis, line.right - ::ScriptString_pSize(analysis)->cx, line.top, ETO_CLIPPED, &line,
                              0, 0, FALSE);
            ::ScriptStringFree(&analysis);
        });
    }

    HWND window;
    SIZE size{};
    PreviewLayout lines{};
};

UniqueHandleObject ManualEvent()
{
    return UniqueHandleObject(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

void Focus(const DialogWindow& dialog, const char* face)
{
    const FontList list = dialog.List();
    const int item = list.Require(face);
    list.Select({item}, item);
    dialog.Sync();
}

} // namespace

using Preview = DialogTest;

TEST_F(Preview, BandShowsTheFocusedFaceInItsOwnType)
{
    FillStore({}, {});
    const ScopedPolicy policy; // the sentence of kLines, whose licence is kSans's, says the policy sets it
    policy.SetList(ScopedPolicy::kUser, ScopedPolicy::ListKey(kEmbedNeverList), {Wide(kLines)});
    std::vector<std::ptrdiff_t> sentenceInk;
    GlyphorLibrary glyphor(profile.Path());
    const std::wstring sample = ResourceText(IDS_PREVIEW_SAMPLE);
    ASSERT_FALSE(sample.empty());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const Band band(dialog.Control(IDC_FONT_PREVIEW));
        const PreviewLayout& lines = band.lines;

        for (const char* face : {kSans, kLines}) {
            Focus(dialog, face);
            EXPECT_EQ(band.Shown(lines.name), band.InFace(face, lines.name, Wide(face))) << face;
            EXPECT_EQ(band.Shown(lines.sample), band.InFace(face, lines.sample, sample)) << face;
            EXPECT_TRUE(band.ShowsInk(lines.sentence)) << face;
            const std::vector<bool> sentence = band.Shown(lines.sentence);
            sentenceInk.push_back(std::count(sentence.begin(), sentence.end(), true));
        }
        EXPECT_GT(sentenceInk.back(), sentenceInk.front()) << "only kLines's sentence goes on";
        EXPECT_NE(band.InFace(kSans, lines.sample, sample), band.InFace(kLines, lines.sample, sample))
            << "the two faces look alike";

        // A typed sample is drawn; one the face cannot draw gives way to
        // characters it has, not to the frames of missing ones.
        dialog.SetText(IDC_SAMPLE_BOX, "Zebra 42");
        EXPECT_EQ(band.Shown(lines.sample), band.InFace(kLines, lines.sample, L"Zebra 42"));
        dialog.SetText(IDC_SAMPLE_BOX, "\xE5");
        EXPECT_TRUE(band.ShowsInk(lines.sample));
        EXPECT_NE(band.Shown(lines.sample), band.InFace(kLines, lines.sample, L"\u00E5"));
        dialog.SetText(IDC_SAMPLE_BOX, "");

        // A symbol font shows its symbols, and its name in the dialog's font.
        Focus(dialog, kDingbats);
        EXPECT_EQ(band.Shown(lines.sample), band.InFace(kDingbats, lines.sample, sample));
        EXPECT_TRUE(band.ShowsInk(lines.name));
        EXPECT_NE(band.Shown(lines.name), band.InFace(kDingbats, lines.name, Wide(kDingbats)));

        // Nothing focused when the find text matches no face.
        dialog.SetText(IDC_FIND_BOX, "no such face");
        EXPECT_TRUE(band.Empty());
        dialog.Close(IDCANCEL);
    }));
}

// Arabic typed as the sample reads as Arabic does: its letters joined, from
// right to left, ending at the band's right edge.
TEST_F(Preview, RightToLeftSampleIsShaped)
{
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    const std::wstring arabic = L"\u0645\u0631\u062D\u0628\u0627 \u0628\u0627\u0644\u0639\u0627\u0644\u0645";
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const Band band(dialog.Control(IDC_FONT_PREVIEW));
        Focus(dialog, kTahoma);
        dialog.SetText(IDC_SAMPLE_BOX, arabic);
        EXPECT_EQ(band.Shown(band.lines.sample), band.ShapedRightToLeft(kTahoma, band.lines.sample, arabic));
        dialog.Close(IDCANCEL);
    }));
}

// Assistive technology reads the band as text: the focused face's name, the
// sample and the licence sentence, and hears it change as the focus moves.
// The list's items read as the band does, a locked face's as read-only, and
// a click on its box says why it does not change. The count line is heard
// when it changes.
TEST_F(Preview, BandReadsAsTheFocusedFaceThroughAccessibility)
{
    FillStore({}, {});
    const ScopedPolicy policy;
    policy.SetList(ScopedPolicy::kUser, ScopedPolicy::ListKey(kEmbedNeverList), {Wide(kLines)});
    GlyphorLibrary glyphor(profile.Path());
    const BeepCount beeps(glyphor.Module());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const ComApartment com;
        WinEventRecorder heard(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_LIVEREGIONCHANGED);
        const UniqueAccessible band = AccessibleOf(dialog.Control(IDC_FONT_PREVIEW));
        ASSERT_TRUE(band);
        const FontList list = dialog.List();
        ASSERT_NE(list.FocusedFace(), "") << "a face has the focus from the start";
        EXPECT_EQ(Read(band, &IAccessible::get_accName), Wide(list.FocusedFace().c_str()));

        Focus(dialog, kSans);
        EXPECT_EQ(Read(band, &IAccessible::get_accName), Wide(kSans));
        EXPECT_EQ(Read(band, &IAccessible::get_accValue), ResourceText(IDS_PREVIEW_SAMPLE));
        const std::wstring sansSentence = Read(band, &IAccessible::get_accDescription);
        EXPECT_EQ(sansSentence.rfind(L"May be embedded", 0), 0u) << sansSentence;

        heard.Forget();
        Focus(dialog, kLines);
        for (const DWORD event : {EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE})
            EXPECT_TRUE(heard.Heard(dialog.Control(IDC_FONT_PREVIEW), event)) << std::hex << event;
        const std::wstring linesSentence = L"Never embedded: set by your administrator. " + sansSentence;
        EXPECT_EQ(Read(band, &IAccessible::get_accName), Wide(kLines));
        EXPECT_EQ(Read(band, &IAccessible::get_accDescription), linesSentence);
        const UniqueAccessible items = AccessibleOf(list.Handle());
        const auto readOnly = [&items](int item) {
            VARIANT child{}, state{};
            child.vt = VT_I4;
            child.lVal = item + 1;
            return SUCCEEDED(items.get()->get_accState(child, &state)) && state.vt == VT_I4 &&
                   (state.lVal & STATE_SYSTEM_READONLY);
        };
        const struct { const char* face; const std::wstring& sentence; bool locked; } rows[] = {
            {kSans, sansSentence, false}, {kLines, linesSentence, true}};
        for (const auto& row : rows) {
            EXPECT_EQ(Read(items, &IAccessible::get_accDescription, list.Require(row.face) + 1), row.sentence);
            EXPECT_EQ(readOnly(list.Require(row.face)), row.locked) << row.face;
        }
        list.Click(list.CheckBoxPoint(list.Require(kLines)));
        EXPECT_EQ(beeps.Count(), 1);
        EXPECT_EQ(Read(band, &IAccessible::get_accDescription), ResourceText(IDS_PREVIEW_LOCKED_CHECK));

        list.SetChecked(list.Require(kSans), false);
        EXPECT_TRUE(heard.Heard(dialog.Control(IDC_FONT_COUNT), EVENT_OBJECT_LIVEREGIONCHANGED));
        dialog.SetText(IDC_SAMPLE_BOX, "Zebra 42");
        EXPECT_EQ(Read(band, &IAccessible::get_accValue), L"Zebra 42");
        dialog.SetText(IDC_FIND_BOX, "no such face");
        EXPECT_EQ(Read(band, &IAccessible::get_accName), ResourceText(IDS_PREVIEW_NO_FONT));
        dialog.Close(IDCANCEL);
    }));
}

// A screen reader keeps the band's object; the dialog closes and the host
// unloads the library, whose code is then gone. The reader's next call
// fails, and reaches nothing of the library, whether the host's thread is in
// a single-threaded apartment or in the multithreaded one, where the
// client's calls arrive on COM's threads.
TEST_F(Preview, KeptBandFailsOnceTheHostUnloadsTheLibrary)
{
    FillStore({}, {});
    const ComApartment com; // the reader's
    for (const DWORD apartment : {COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED}) {
        const UniqueHandleObject open = ManualEvent(), read = ManualEvent(), unloaded = ManualEvent(),
                                 called = ManualEvent();
        HWND bandWindow = nullptr;
        std::string focused;
        std::thread host([&] {
            const ComApartment hosts(apartment);
            std::optional<GlyphorLibrary> glyphor(std::in_place, profile.Path());
            RunDialogSession(*glyphor, [&](const DialogWindow& dialog) {
                bandWindow = dialog.Control(IDC_FONT_PREVIEW);
                focused = dialog.List().FocusedFace();
                ::SetEvent(open.get());
                ::WaitForSingleObject(read.get(), kWindowTimeoutMs);
                dialog.Close(IDCANCEL);
            });
            glyphor.reset();
            ::SetEvent(unloaded.get());
            HANDLE calledHandle = called.get();
            DWORD index = 0; // the host's thread goes on answering COM meanwhile
            ::CoWaitForMultipleHandles(0, kWindowTimeoutMs, 1, &calledHandle, &index);
        });
        ::WaitForSingleObject(open.get(), kWindowTimeoutMs);
        UniqueAccessible band = AccessibleOf(bandWindow);
        EXPECT_EQ(Read(band, &IAccessible::get_accName), Wide(focused.c_str())) << "apartment " << apartment;
        ::SetEvent(read.get());
        ::WaitForSingleObject(unloaded.get(), kWindowTimeoutMs);
        EXPECT_EQ(::GetModuleHandleA("Glyphor.dll"), nullptr) << "kept loaded, apartment " << apartment;
        if (band) {
            VARIANT self{};
            BSTR name = nullptr;
            const HRESULT result = band.get()->get_accName(self, &name);
            const UniqueHandle<BSTR, &::SysFreeString> owned(name);
            // Wine answers for an object COM no longer serves that it knows no such interface.
            EXPECT_TRUE(result == RPC_E_DISCONNECTED || result == CO_E_OBJNOTCONNECTED ||
                        result == HRESULT_FROM_WIN32(RPC_S_UNKNOWN_IF))
                << std::hex << result << ", apartment " << apartment;
            band.reset();
        }
        ::SetEvent(called.get());
        host.join();
    }
}

// A client may keep a window's object after the window has gone: it is told
// so, and reads nothing of what the window showed. The window's user data
// stays the host's: a pointer the host keeps there, before or after, is
// neither taken nor followed.
TEST(AccessibleWindow, OutlivesItsWindowDisconnected)
{
    const ComApartment com;
    const HWND band = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(band, GWLP_USERDATA, 1);
    CAccessibleWindow accessible;
    accessible.Attach(band, [](LONG) { return CAccessibleWindow::Texts{L"Face", L"", L""}; });
    ::SetWindowLongPtrW(band, GWLP_USERDATA, 2);
    const UniqueAccessible object = AccessibleOf(band);
    ASSERT_TRUE(object);
    EXPECT_EQ(Read(object, &IAccessible::get_accName), L"Face");
    EXPECT_EQ(::GetWindowLongPtrW(band, GWLP_USERDATA), 2);
    ::DestroyWindow(band);
    VARIANT self{}, role{};
    EXPECT_EQ(Read(object, &IAccessible::get_accName), L"<failed>");
    EXPECT_EQ(object.get()->get_accRole(self, &role), CO_E_OBJNOTCONNECTED);
}

namespace {

WNDPROC g_underTool = nullptr;

LRESULT CALLBACK ToolProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcW(g_underTool, window, message, wParam, lParam);
}

} // namespace

// A tool lays its procedure over the window's after the object's; the object
// goes first. The window's messages still reach its own procedure.
TEST(AccessibleWindow, GoneUnderAnotherProcedureStillPassesMessagesOn)
{
    const UniqueHWnd edit(
        ::CreateWindowExW(0, L"Edit", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
    {
        CAccessibleWindow accessible;
        accessible.Attach(edit.get(), [](LONG) { return CAccessibleWindow::Texts{}; });
        g_underTool = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(edit.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ToolProc)));
    }
    ::SetWindowTextW(edit.get(), L"kept");
    EXPECT_EQ(WindowText(edit.get()), L"kept");
}

// In a host whose window's thread is in the multithreaded apartment, a
// client's calls arrive on COM's threads; the texts are read on the window's.
TEST(AccessibleWindow, ReadsTheTextsOnTheWindowsThread)
{
    const ComApartment com;
    const UniqueHandleObject ready = ManualEvent(), done = ManualEvent();
    HWND band = nullptr;
    DWORD windowThread = 0, readOn = 0;
    std::thread owner([&] {
        const ComApartment multithreaded(COINIT_MULTITHREADED);
        const UniqueHWnd window(
            ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
        CAccessibleWindow accessible;
        accessible.Attach(window.get(), [&readOn](LONG) {
            readOn = ::GetCurrentThreadId();
            return CAccessibleWindow::Texts{L"Face", L"", L""};
        });
        band = window.get();
        windowThread = ::GetCurrentThreadId();
        ::SetEvent(ready.get());
        HANDLE waitFor = done.get();
        for (MSG message; ::MsgWaitForMultipleObjects(1, &waitFor, FALSE, kWindowTimeoutMs, QS_ALLINPUT) ==
                          WAIT_OBJECT_0 + 1;)
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                ::DispatchMessageW(&message);
    });
    ::WaitForSingleObject(ready.get(), kWindowTimeoutMs);
    EXPECT_EQ(Read(AccessibleOf(band), &IAccessible::get_accName), L"Face");
    EXPECT_EQ(readOn, windowThread);
    ::SetEvent(done.get());
    owner.join();
}

// A face removed while the dialog is open says so; moving through every
// face, that one too, makes one font at a time, deletes none while it is
// still selected, and leaves no GDI object behind.
TEST_F(Preview, MovingThroughTheFacesKeepsOneFontAndSurvivesARemovedFace)
{
    const std::string twin = ProgramDirectory() + "\\testfonts\\case_twins\\GlyphorCaseTwinA.ttf";
    const PrivateFonts twins(ProgramDirectory() + "\\testfonts\\case_twins");
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    HandleBalance balance(glyphor.Module());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const HWND band = dialog.Control(IDC_FONT_PREVIEW);
        // Removed before the band first makes it: GDI keeps the last fonts
        // released, and one of them would still draw the removed face.
        ASSERT_TRUE(::RemoveFontResourceExA(twin.c_str(), FR_PRIVATE, nullptr));
        const Band removed(band);
        Focus(dialog, "Glyphor Case Twin");
        EXPECT_FALSE(removed.ShowsInk(removed.lines.sample)) << "drawn in another face";
        EXPECT_TRUE(removed.ShowsInk(removed.lines.name));
        EXPECT_TRUE(removed.ShowsInk(removed.lines.sentence));

        const FontList list = dialog.List();
        list.Select({0}, 0);
        ::UpdateWindow(band);
        const DWORD objects = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
        for (int step = 1; step < 2 * list.Count(); ++step) {
            list.PressKey(step < list.Count() ? VK_DOWN : VK_UP);
            ::UpdateWindow(band);
        }
        EXPECT_EQ(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS), objects);
        EXPECT_EQ(balance.LiveFonts(), 1) << "the focused face's";
        EXPECT_GT(balance.FontsCreatedInAll(), list.Count());
        dialog.Close(IDCANCEL);
    }));
    EXPECT_EQ(balance.LiveFonts(), 0);
    EXPECT_EQ(balance.FontsDeletedWhileSelected(), 0);
}

TEST(LicenceSentence, EachClassHasItsSentence)
{
    const UniqueHModule resources(::LoadLibraryExA("GlyphorRes.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    AFX_MODULE_STATE state{nullptr, resources.get(), nullptr, false};
    const AFX_MAINTAIN_STATE2 selected(&state);
    const CFaceWords words;
    const struct {
        unsigned fsType;
        bool embeddable;
        const wchar_t* sentence;
    } classes[] = {
        {0, true, L"May be embedded; the output can carry the font."},
        {0x0008, true, L"May be embedded; the output can carry it for viewing, printing and editing."},
        {0x000C, true, L"May be embedded; the output can carry it for viewing, printing and editing."},
        {0x0004, true, L"May be embedded for viewing and printing only."},
        {0x0104, true, L"May be embedded without subsetting, for viewing and printing only."},
        {0x0002, false, L"May not be embedded; with its check, its text may be tessellated."},
        {0x0102, true, L"Its licence restricts embedding, yet with its check the driver embeds it without subsetting."},
        {0x0202, true, L"Its licence restricts embedding, yet with its check the driver embeds it as bitmaps only."},
        {0x0300, true, L"May be embedded without subsetting and as bitmaps only; the output can carry the font."},
    };
    for (const auto& licence : classes)
        EXPECT_EQ(words.Sentence(licence.fsType, licence.embeddable), licence.sentence)
            << "fsType 0x" << std::hex << licence.fsType;
}

using Mirrored = DialogTest;

// Hebrew, as every language written right to left, is mirrored as Windows
// mirrors it: OK stands right of Cancel on the screen, and the dialog's own
// text reads from the right: the count line as the screen shows it, and the
// band's name and sentence in its picture; its sample keeps its own direction.
TEST_F(Mirrored, HebrewReadsFromTheRight)
{
    FillStore({kSans}, {});
    GlyphorLibrary glyphor(profile.Path(), ProgramDirectory() + "\\languages\\he");
    ASSERT_TRUE(RunDialogSession(glyphor, [](const DialogWindow& dialog) {
        RECT ok{}, cancel{};
        ::GetWindowRect(dialog.Control(IDOK), &ok);
        ::GetWindowRect(dialog.Control(IDCANCEL), &cancel);
        EXPECT_GE(ok.left, cancel.right) << "OK from " << ok.left << ", Cancel to " << cancel.right;

        // The line reads from the right: the first number of its text, the
        // faces checked, stands right of the second, the faces listed.
        const std::wstring line = dialog.WideText(IDC_FONT_COUNT);
        std::vector<std::wstring> numbers;
        for (size_t at = line.find_first_of(L"0123456789"); at != std::wstring::npos;) {
            const size_t end = line.find_first_not_of(L"0123456789", at);
            numbers.push_back(line.substr(at, end - at));
            at = line.find_first_of(L"0123456789", end);
        }
        ASSERT_EQ(numbers.size(), 2u) << Narrowed(line, CP_UTF8);
        ASSERT_NE(numbers[0], numbers[1]) << "every face checked";
        const HWND count = dialog.Control(IDC_FONT_COUNT);
        LONG checked = -1, listed = -1;
        // As the screen shows it, once it has.
        ::RedrawWindow(count, nullptr, nullptr, RDW_UPDATENOW);
        ASSERT_TRUE(WaitUntil([&] {
            checked = InkPlace(count, numbers[0]);
            listed = InkPlace(count, numbers[1]);
            return checked >= 0 && listed >= 0;
        }, kWindowTimeoutMs)) << "the numbers not shown: " << checked << ", " << listed;
        EXPECT_LT(listed, checked) << "the count line reads from the left";

        // The band's name ends at its right edge; an English sample still
        // starts at its left.
        const Band band(dialog.Control(IDC_FONT_PREVIEW));
        Focus(dialog, kSans);
        EXPECT_EQ(band.Shown(band.lines.name), band.DrawnInFace(kSans, band.lines.name, [&](HDC dc) {
            ::SetTextAlign(dc, TA_RIGHT | TA_TOP);
            ::ExtTextOutW(dc, band.lines.name.right, band.lines.name.top, ETO_CLIPPED | ETO_RTLREADING,
                          &band.lines.name, Wide(kSans).c_str(), static_cast<UINT>(std::strlen(kSans)), nullptr);
        }));
        dialog.SetText(IDC_SAMPLE_BOX, "Zebra 42");
        EXPECT_EQ(band.Shown(band.lines.sample), band.InFace(kSans, band.lines.sample, L"Zebra 42"));
        dialog.Close(IDCANCEL);
    }));
}
