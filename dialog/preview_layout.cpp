#include "preview_layout.h"

#include <algorithm>

PreviewLayout LayOutPreview(const RECT& band, int textHeight)
{
    const int margin = std::max(textHeight / 4, 2);
    const LONG left = band.left + margin, right = band.right - margin;
    PreviewLayout layout{};
    layout.sentence = {left, band.bottom - margin - textHeight, right, band.bottom - margin};
    layout.faceHeight = std::max((layout.sentence.top - band.top - margin) / 2, 1L);
    layout.name = {left, band.top + margin, right, band.top + margin + layout.faceHeight};
    layout.sample = {left, layout.name.bottom, right, layout.name.bottom + layout.faceHeight};
    return layout;
}
