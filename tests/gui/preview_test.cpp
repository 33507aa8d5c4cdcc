// The preview band under the list: read back through WM_PRINTCLIENT, line by
// line, and compared with the same text drawn here in the face it should be.
#include "dialog_test.h"

#include "dialog/face_words.h"
#include "dialog/preview_layout.h"
#include "framework/afx.h"
#include "tests/support/import_hook.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kLines[] = "Glyphor Test Lines"; // glyphs unlike every other test face's boxes
const char kDingbats[] = "Glyphor Test Dingbats";   // a symbol font

// What a picture of the band holds: its pixels, 0x00RRGGBB, row by row.
struct Pixels {
    LONG width = 0;
    std::vector<DWORD> bits;

    // Which pixels of an area are ink: darker than the window's colour by
    // more than a quarter of the way to black.
    std::vector<bool> Ink(const RECT& area) const
    {
        const COLORREF paper = ::GetSysColor(COLOR_WINDOW);
        const int paperSum = GetRValue(paper) + GetGValue(paper) + GetBValue(paper);
        std::vector<bool> ink;
        for (LONG y = area.top; y < area.bottom; ++y)
            for (LONG x = area.left; x < area.right; ++x) {
                const DWORD pixel = bits[static_cast<size_t>(y * width + x)];
                const int sum = static_cast<int>((pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF));
                ink.push_back(4 * sum < 3 * paperSum);
            }
        return ink;
    }
    bool HasInk(const RECT& area) const
    {
        const std::vector<bool> ink = Ink(area);
        return std::find(ink.begin(), ink.end(), true) != ink.end();
    }
};

// A 32-bit bitmap of the band's size on the window's colour, to draw on.
class Canvas {
public:
    Canvas(LONG width, LONG height)
        : m_width(width), m_height(height), m_dc(::CreateCompatibleDC(nullptr)), m_bitmap(MakeBitmap()),
          m_selected(m_dc.get(), m_bitmap.get())
    {
        const RECT all{0, 0, width, height};
        ::FillRect(m_dc.get(), &all, ::GetSysColorBrush(COLOR_WINDOW));
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc.get(); }
    Pixels Taken() const
    {
        ::GdiFlush();
        return {m_width, std::vector<DWORD>(m_bits, m_bits + m_width * m_height)};
    }

private:
    HBITMAP MakeBitmap()
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* pixels = nullptr;
        const HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        m_bits = static_cast<const DWORD*>(pixels);
        return bitmap;
    }

    LONG m_width, m_height;
    const DWORD* m_bits = nullptr;
    UniqueMemoryDC m_dc;
    UniqueHBitmap m_bitmap;
    SelectedObject m_selected;
};

int CALLBACK KeepReport(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM found)
{
    auto* wanted = reinterpret_cast<std::pair<std::string, LOGFONTA>*>(found);
    if (wanted->first != reinterpret_cast<const char*>(reinterpret_cast<const ENUMLOGFONTEXA*>(font)->elfFullName))
        return 1;
    wanted->second = *font;
    return 0;
}

// The band as the dialog lays it out, and its lines as they should look.
class ExpectedBand {
public:
    explicit ExpectedBand(HWND band) : m_band(band)
    {
        ::GetClientRect(band, &m_client);
        const Canvas probe(1, 1);
        SelectedObject font(probe.Dc(), reinterpret_cast<HGDIOBJ>(::SendMessageA(band, WM_GETFONT, 0, 0)));
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(probe.Dc(), &metrics);
        m_layout = LayOutPreview(m_client, metrics.tmHeight);
    }

    const PreviewLayout& Layout() const { return m_layout; }
    const RECT& Client() const { return m_client; }

    // What the band shows now.
    Pixels Shown() const
    {
        const Canvas shown(m_client.right, m_client.bottom);
        ::SendMessageA(m_band, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shown.Dc()), PRF_CLIENT);
        return shown.Taken();
    }

    // `text` drawn in the face, family and family report as a font service
    // reports it, at the line's place.
    Pixels InFace(const char* face, const RECT& line, const std::wstring& text) const
    {
        const Canvas drawn(m_client.right, m_client.bottom);
        std::pair<std::string, LOGFONTA> report{face, {}};
        LOGFONTA request{};
        request.lfCharSet = DEFAULT_CHARSET;
        ::lstrcpynA(request.lfFaceName, face, LF_FACESIZE);
        ::EnumFontFamiliesExA(drawn.Dc(), &request, &KeepReport, reinterpret_cast<LPARAM>(&report), 0);
        report.second.lfHeight = m_layout.faceHeight;
        report.second.lfWidth = 0;
        const UniqueHFont font(::CreateFontIndirectA(&report.second));
        SelectedObject selected(drawn.Dc(), font.get());
        ::SetBkMode(drawn.Dc(), TRANSPARENT);
        ::ExtTextOutW(drawn.Dc(), line.left, line.top, ETO_CLIPPED, &line, text.c_str(),
                      static_cast<UINT>(text.size()), nullptr);
        return drawn.Taken();
    }

private:
    HWND m_band;
    RECT m_client{};
    PreviewLayout m_layout{};
};

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
    GlyphorLibrary glyphor(profile.Path());
    const std::wstring sample = ResourceText(IDS_PREVIEW_SAMPLE);
    ASSERT_FALSE(sample.empty());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const ExpectedBand band(dialog.Control(IDC_FONT_PREVIEW));
        const PreviewLayout& lines = band.Layout();
        EXPECT_FALSE(band.Shown().HasInk(band.Client())) << "no face has the focus yet";

        for (const char* face : {kSans, kLines}) {
            Focus(dialog, face);
            const Pixels shown = band.Shown();
            EXPECT_EQ(shown.Ink(lines.name), band.InFace(face, lines.name, Wide(face)).Ink(lines.name)) << face;
            EXPECT_EQ(shown.Ink(lines.sample), band.InFace(face, lines.sample, sample).Ink(lines.sample)) << face;
            EXPECT_TRUE(shown.HasInk(lines.sentence)) << face;
        }
        EXPECT_NE(band.InFace(kSans, lines.sample, sample).Ink(lines.sample),
                  band.InFace(kLines, lines.sample, sample).Ink(lines.sample)) << "the two faces look alike";

        // A typed sample is drawn; one the face cannot draw gives way to
        // characters it has, not to the frames of missing ones.
        dialog.SetText(IDC_SAMPLE_BOX, "Zebra 42");
        EXPECT_EQ(band.Shown().Ink(lines.sample), band.InFace(kLines, lines.sample, L"Zebra 42").Ink(lines.sample));
        dialog.SetText(IDC_SAMPLE_BOX, "\xE5");
        const Pixels ownCharacters = band.Shown();
        EXPECT_TRUE(ownCharacters.HasInk(lines.sample));
        EXPECT_NE(ownCharacters.Ink(lines.sample), band.InFace(kLines, lines.sample, L"\u00E5").Ink(lines.sample));
        dialog.SetText(IDC_SAMPLE_BOX, "");

        // A symbol font shows its symbols, and its name in the dialog's font.
        Focus(dialog, kDingbats);
        const Pixels symbols = band.Shown();
        EXPECT_EQ(symbols.Ink(lines.sample), band.InFace(kDingbats, lines.sample, sample).Ink(lines.sample));
        EXPECT_TRUE(symbols.HasInk(lines.name));
        EXPECT_NE(symbols.Ink(lines.name), band.InFace(kDingbats, lines.name, Wide(kDingbats)).Ink(lines.name));

        // Nothing focused when the find text matches no face.
        dialog.SetText(IDC_FIND_BOX, "no such face");
        EXPECT_FALSE(band.Shown().HasInk(band.Client()));
        dialog.Close(IDCANCEL);
    }));
}

// Moving through every face makes one font at a time and leaves no GDI
// object behind; a face removed while the dialog is open says so.
TEST_F(Preview, MovingThroughTheFacesKeepsOneFontAndSurvivesARemovedFace)
{
    const std::string twin = ProgramDirectory() + "\\testfonts\\case_twins\\GlyphorCaseTwinA.ttf";
    const PrivateFonts twins(ProgramDirectory() + "\\testfonts\\case_twins");
    FillStore({}, {});
    GlyphorLibrary glyphor(profile.Path());
    HandleBalance balance(glyphor.Module());
    ASSERT_TRUE(RunDialogSession(glyphor, [&](const DialogWindow& dialog) {
        const FontList list = dialog.List();
        const HWND band = dialog.Control(IDC_FONT_PREVIEW);
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

        ASSERT_TRUE(::RemoveFontResourceExA(twin.c_str(), FR_PRIVATE, nullptr));
        const ExpectedBand expected(band);
        Focus(dialog, "Glyphor Case Twin");
        const Pixels shown = expected.Shown();
        EXPECT_FALSE(shown.HasInk(expected.Layout().sample)) << "drawn in another face";
        EXPECT_TRUE(shown.HasInk(expected.Layout().name));
        EXPECT_TRUE(shown.HasInk(expected.Layout().sentence));
        dialog.Close(IDCANCEL);
    }));
    EXPECT_EQ(balance.LiveFonts(), 0);
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
        const char* sentence;
    } classes[] = {
        {0, true, "May be embedded; the output can carry the font."},
        {0x0008, true, "May be embedded; the output can carry it for viewing, printing and editing."},
        {0x000C, true, "May be embedded; the output can carry it for viewing, printing and editing."},
        {0x0004, true, "May be embedded for viewing and printing only."},
        {0x0104, true, "May be embedded without subsetting for viewing and printing only."},
        {0x0002, false, "May not be embedded; with its check, its text may be tessellated."},
        {0x0102, true, "Its licence restricts embedding, yet with its check the driver embeds it without subsetting."},
        {0x0300, true, "May be embedded without subsetting and as bitmaps only; the output can carry the font."},
    };
    for (const auto& licence : classes)
        EXPECT_EQ(words.Sentence(licence.fsType, licence.embeddable), licence.sentence)
            << "fsType 0x" << std::hex << licence.fsType;
}
