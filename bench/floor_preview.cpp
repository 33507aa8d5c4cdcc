#include "floor_preview.h"

#include "dialog/preview_layout.h"

FloorPreview::FloorPreview(HWND band, std::wstring sample, std::wstring sentence)
    : m_band(band), m_sample(std::move(sample)), m_sentence(std::move(sentence))
{
    const UniqueScreenDC screen(::GetDC(nullptr));
    SelectedObject font(screen.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(band, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen.get(), &metrics);
    m_textHeight = metrics.tmHeight;
    RECT client{};
    ::GetClientRect(band, &client);
    m_faceHeight = LayOutPreview(client, m_textHeight, kTemplateSentenceLines).faceHeight;
}

void FloorPreview::Show(const FloorFace& face)
{
    LOGFONTA font = face.realisedFrom;
    font.lfHeight = m_faceHeight;
    font.lfWidth = 0;
    m_font.reset(::CreateFontIndirectA(&font));
    m_name.assign(face.name.begin(), face.name.end());
    ::InvalidateRect(m_band, nullptr, FALSE);
}

void FloorPreview::Draw(const DRAWITEMSTRUCT& item) const
{
    const RECT& area = item.rcItem;
    const int width = area.right - area.left, height = area.bottom - area.top;
    const UniqueMemoryDC memory(::CreateCompatibleDC(item.hDC));
    const UniqueHBitmap bitmap(::CreateCompatibleBitmap(item.hDC, width, height));
    SelectedObject canvas(memory.get(), bitmap.get());
    const RECT band{0, 0, width, height};
    const PreviewLayout layout = LayOutPreview(band, m_textHeight, kTemplateSentenceLines);
    ::FillRect(memory.get(), &band, ::GetSysColorBrush(COLOR_WINDOW));
    ::SetBkMode(memory.get(), TRANSPARENT);
    if (m_font) {
        SelectedObject inFace(memory.get(), m_font.get());
        ::ExtTextOutW(memory.get(), layout.name.left, layout.name.top, ETO_CLIPPED, &layout.name, m_name.c_str(),
                      static_cast<UINT>(m_name.size()), nullptr);
        ::ExtTextOutW(memory.get(), layout.sample.left, layout.sample.top, ETO_CLIPPED, &layout.sample,
                      m_sample.c_str(), static_cast<UINT>(m_sample.size()), nullptr);
        SelectedObject inDialogFont(memory.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(m_band, WM_GETFONT, 0, 0)));
        RECT sentence = layout.sentence;
        ::DrawTextW(memory.get(), m_sentence.c_str(), static_cast<int>(m_sentence.size()), &sentence,
                    DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    ::BitBlt(item.hDC, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY);
}
