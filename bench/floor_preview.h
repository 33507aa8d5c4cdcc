#pragma once

#include "floor_dialog.h"

#include "common/unique_handle.h"

#include <windows.h>

#include <string>

// The floor of the preview band, for faces that have every character of
// their name and the sample, as the generated ones have: the focused face's
// name and the sample drawn in a font made for it, and its sentence in the
// dialog's font, into a memory bitmap copied to the band.
class FloorPreview {
public:
    FloorPreview(HWND band, std::wstring sample, std::wstring sentence);

    // Makes the face's font and has the band drawn anew.
    void Show(const FloorFace& face);
    void Draw(const DRAWITEMSTRUCT& item) const;

private:
    HWND m_band;
    std::wstring m_sample;
    std::wstring m_sentence;
    std::wstring m_name;
    UniqueHFont m_font;
    int m_faceHeight = 0;
    int m_textHeight = 0;
};
