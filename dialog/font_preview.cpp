#include "font_preview.h"

#include "control_ids.h"
#include "preview_layout.h"
#include "reading_direction.h"
#include "shaped_text.h"
#include "text_room.h"
#include "common/make_font.h"
#include "names/face_metrics.h"
#include "framework/afx.h"

#include <algorithm>
#include <vector>

namespace {

// What a face without the sample shows of itself at most, and how many of
// its characters are looked at to find them.
constexpr size_t kOwnCharacters = 40;
constexpr size_t kCandidates = 256;
constexpr WORD kMissingGlyph = 0xFFFF;

// True when the selected font has a glyph of its own for every character of
// `text`: drawn whole, it then shows none of another face's, nor boxes.
bool FaceHas(HDC dc, const std::wstring& text)
{
    std::vector<WORD> glyphs(text.size());
    return !text.empty() &&
           ::GetGlyphIndicesW(dc, text.data(), static_cast<int>(text.size()), glyphs.data(),
                              GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR &&
           std::find(glyphs.begin(), glyphs.end(), kMissingGlyph) == glyphs.end();
}

bool IsVisibleCharacter(WCHAR c)
{
    return c > 0x20 && !(c >= 0x7F && c <= 0xA0) && !(c >= 0xD800 && c <= 0xDFFF);
}

// The first characters the selected font has, in code order: from its
// Unicode ranges, or, for a symbol font, which may report none, from the
// area its symbols are coded in.
std::vector<WORD> GlyphsTheFaceHas(HDC dc)
{
    std::wstring characters;
    const DWORD size = ::GetFontUnicodeRanges(dc, nullptr);
    std::vector<BYTE> buffer(std::max<size_t>(size, sizeof(GLYPHSET)));
    auto* set = reinterpret_cast<GLYPHSET*>(buffer.data());
    if (size >= sizeof(GLYPHSET) && ::GetFontUnicodeRanges(dc, set)) {
        for (DWORD range = 0; range < set->cRanges && characters.size() < kCandidates; ++range) {
            const WCRANGE& codes = set->ranges[range];
            for (UINT c = codes.wcLow; c < codes.wcLow + codes.cGlyphs && characters.size() < kCandidates; ++c) {
                if (c <= 0xFFFF && IsVisibleCharacter(static_cast<WCHAR>(c)))
                    characters += static_cast<WCHAR>(c);
            }
        }
    }
    if (characters.empty()) {
        for (WCHAR c = 0xF021; c <= 0xF0FF; ++c)
            characters += c;
    }
    std::vector<WORD> glyphs(characters.size());
    if (::GetGlyphIndicesW(dc, characters.data(), static_cast<int>(characters.size()), glyphs.data(),
                           GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR)
        return {};
    glyphs.erase(std::remove(glyphs.begin(), glyphs.end(), kMissingGlyph), glyphs.end());
    glyphs.resize(std::min(glyphs.size(), kOwnCharacters));
    return glyphs;
}

// From the line's start: its right edge in a band that reads right to left.
void DrawGlyphs(HDC dc, const RECT& line, const std::vector<WORD>& glyphs, bool rightToLeft)
{
    const UINT alignment = ::SetTextAlign(dc, rightToLeft ? TA_RIGHT | TA_TOP : TA_LEFT | TA_TOP);
    ::ExtTextOutW(dc, rightToLeft ? line.right : line.left, line.top, ETO_GLYPH_INDEX | ETO_CLIPPED, &line,
                  reinterpret_cast<LPCWSTR>(glyphs.data()), static_cast<UINT>(glyphs.size()), nullptr);
    ::SetTextAlign(dc, alignment);
}

// How the dialog's own text reads and aligns in the band.
UINT ReadingFormat(bool rightToLeft)
{
    return rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
}

// A line in the font selected, the dialog's.
void DrawTextLine(HDC dc, const RECT& line, const std::wstring& text, bool rightToLeft)
{
    RECT area = line;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                ReadingFormat(rightToLeft) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// A sentence in the font selected, the dialog's, wrapped over its lines.
void DrawSentence(HDC dc, const RECT& lines, const std::wstring& text, bool rightToLeft)
{
    RECT area = lines;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                ReadingFormat(rightToLeft) | DT_WORDBREAK | DT_NOPREFIX);
}

} // namespace

void CFontPreview::Attach(HWND band)
{
    m_band = band;
    m_defaultSample = AfxLoadString(IDS_PREVIEW_SAMPLE);
    m_goneSentence = AfxLoadString(IDS_PREVIEW_GONE);
    m_noFaceName = AfxLoadString(IDS_PREVIEW_NO_FONT);
    m_accessible.Attach(band, [this](LONG child) {
        return child == CHILDID_SELF ? AccessibleTexts() : CAccessibleWindow::Texts{};
    });
}

void CFontPreview::Show(const CFaceTable::Face* face, const std::wstring& sentence)
{
    if (!m_band)
        return;
    const bool another = (face != nullptr) != m_showing || (face && face->Name() != m_name);
    const bool newSentence = face && sentence != m_sentence;
    if (!face || face->Name() != m_name) {
        m_faceFont.reset();
        m_faceFontHeight = 0;
    }
    m_showing = face != nullptr;
    if (face) {
        m_name = face->Name();
        m_realisedFrom = face->realisedFrom;
        m_sentence = sentence;
    } else {
        m_name.clear();
    }
    Invalidate();
    if (another)
        m_accessible.Changed();
    else if (newSentence)
        m_accessible.DescriptionChanged();
}

void CFontPreview::SetSample(const std::wstring& sample)
{
    m_sample = sample;
    Invalidate();
    if (m_showing)
        m_accessible.ValueChanged();
}

// What the band shows as text: a face that could not be made, once drawn,
// reads as the sentence it is drawn with.
CAccessibleWindow::Texts CFontPreview::AccessibleTexts() const
{
    if (!m_showing)
        return {m_noFaceName, {}, {}};
    const bool gone = m_faceFontHeight != 0 && !m_faceFont;
    return {m_name, m_sample.empty() ? m_defaultSample : m_sample, gone ? m_goneSentence : m_sentence};
}

void CFontPreview::Invalidate() const
{
    if (m_band)
        ::InvalidateRect(m_band, nullptr, FALSE);
}

HFONT CFontPreview::FaceFont(HDC dc, int height)
{
    if (m_faceFontHeight == height)
        return m_faceFont.get();
    LOGFONTW font = m_realisedFrom;
    font.lfHeight = height;
    font.lfWidth = font.lfEscapement = font.lfOrientation = 0;
    m_faceFont = MakeFont(font);
    m_faceFontHeight = height;
    // A face removed since it was found makes another face in its place.
    // Such a font is released once the context no longer holds it: a font
    // still selected cannot be deleted.
    bool madeTheFace = false;
    if (m_faceFont) {
        SelectedObject selected(dc, m_faceFont.get());
        FaceMetrics made;
        madeTheFace = ReadFaceMetrics(dc, made) && made.facename == m_name;
    }
    if (!madeTheFace)
        m_faceFont.reset();
    return m_faceFont.get();
}

void CFontPreview::Draw(const DRAWITEMSTRUCT& item)
{
    const RECT& area = item.rcItem;
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    const UniqueMemoryDC memory(::CreateCompatibleDC(item.hDC));
    const UniqueHBitmap bitmap(::CreateCompatibleBitmap(item.hDC, width, height));
    if (!memory || !bitmap)
        return;
    {
        SelectedObject canvas(memory.get(), bitmap.get());
        const RECT band{0, 0, width, height};
        ::FillRect(memory.get(), &band, ::GetSysColorBrush(COLOR_WINDOW));
        if (m_showing)
            DrawFace(memory.get(), band, IsMirrored(m_band));
        // The picture is drawn as it is seen: a mirrored band's context, which
        // would mirror it once more, copies it as it is.
        const DWORD layout = ::GetLayout(item.hDC);
        if (layout != GDI_ERROR && (layout & LAYOUT_RTL))
            ::SetLayout(item.hDC, layout | LAYOUT_BITMAPORIENTATIONPRESERVED);
        ::BitBlt(item.hDC, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY);
        if (layout != GDI_ERROR && (layout & LAYOUT_RTL))
            ::SetLayout(item.hDC, layout);
    }
}

void CFontPreview::DrawFace(HDC dc, const RECT& band, bool rightToLeft)
{
    const auto dialogFont = reinterpret_cast<HGDIOBJ>(::SendMessageW(m_band, WM_GETFONT, 0, 0));
    SelectedObject inDialogFont(dc, dialogFont ? dialogFont : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    const PreviewLayout layout = LayOutPreview(band, metrics.tmHeight, m_sentenceLines);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));

    const HFONT face = FaceFont(dc, layout.faceHeight);
    bool nameInFace = false;
    if (face) {
        SelectedObject inFace(dc, face);
        // A symbol font spells a name in symbols.
        nameInFace = m_realisedFrom.lfCharSet != SYMBOL_CHARSET && FaceHas(dc, m_name);
        if (nameInFace)
            DrawShapedLine(dc, layout.name, m_name, rightToLeft);
        // The sample reads in its own direction, whatever the dialog's.
        const std::wstring& sample = m_sample.empty() ? m_defaultSample : m_sample;
        if (FaceHas(dc, sample))
            DrawShapedLine(dc, layout.sample, sample, ReadsRightToLeft(sample));
        else
            DrawGlyphs(dc, layout.sample, GlyphsTheFaceHas(dc), rightToLeft);
    }
    if (!nameInFace)
        DrawTextLine(dc, layout.name, m_name, rightToLeft);
    DrawSentence(dc, layout.sentence, face ? m_sentence : m_goneSentence, rightToLeft);
}

int CFontPreview::LeastHeight() const
{
    if (!m_band)
        return 0;
    RECT window{}, client{};
    ::GetWindowRect(m_band, &window);
    ::GetClientRect(m_band, &client);
    return (window.bottom - window.top - client.bottom) + LeastBandHeight(LineHeight(m_band), m_sentenceLines);
}

int CFontPreview::ReserveSentenceLines(int bandWidth, const std::vector<std::wstring>& sentences)
{
    if (!m_band)
        return 0;
    RECT window{}, client{};
    ::GetWindowRect(m_band, &window);
    ::GetClientRect(m_band, &client);
    std::vector<std::wstring> wide{m_goneSentence};
    wide.insert(wide.end(), sentences.begin(), sentences.end());
    const UniqueScreenDC screen(::GetDC(nullptr));
    if (!screen)
        return 0;
    const auto dialogFont = reinterpret_cast<HGDIOBJ>(::SendMessageW(m_band, WM_GETFONT, 0, 0));
    SelectedObject inDialogFont(screen.get(), dialogFont ? dialogFont : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen.get(), &metrics);
    m_sentenceLines = SentenceLines(screen.get(), bandWidth - (window.right - window.left - client.right), wide);
    Invalidate();
    return (m_sentenceLines - kTemplateSentenceLines) * metrics.tmHeight;
}
