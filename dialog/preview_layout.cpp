#include "preview_layout.h"

#include "text_room.h"

#include <algorithm>

namespace {

int Margin(int textHeight)
{
    return std::max(textHeight / 4, 2);
}

} // namespace

PreviewLayout LayOutPreview(const RECT& band, int textHeight, int sentenceLines)
{
    const int margin = Margin(textHeight);
    const LONG left = band.left + margin, right = band.right - margin;
    PreviewLayout layout{};
    layout.sentence = {left, band.bottom - margin - textHeight * sentenceLines, right, band.bottom - margin};
    layout.faceHeight = std::max((layout.sentence.top - band.top - margin) / 2, 1L);
    layout.name = {left, band.top + margin, right, band.top + margin + layout.faceHeight};
    layout.sample = {left, layout.name.bottom, right, layout.name.bottom + layout.faceHeight};
    return layout;
}

int LeastBandHeight(int textHeight, int sentenceLines)
{
    return 2 * Margin(textHeight) + (2 + sentenceLines) * textHeight;
}

int SentenceLines(HDC dc, int bandWidth, const std::vector<std::wstring>& sentences)
{
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    const int lineHeight = std::max<int>(metrics.tmHeight, 1);
    const int width = std::max(bandWidth - 2 * Margin(lineHeight), 1);
    int lines = kTemplateSentenceLines;
    for (const std::wstring& sentence : sentences)
        lines = std::max(lines, (WrappedHeight(dc, sentence, width) + lineHeight - 1) / lineHeight);
    return lines;
}
