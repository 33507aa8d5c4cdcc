#pragma once

#include "face_table.h"
#include "preview_layout.h"
#include "accessible_window.h"

#include "common/unique_handle.h"

#include <windows.h>

#include <string>
#include <vector>

// The band under the list that shows the focused face: its name and a sample
// in the face itself, and its licence in a sentence in the dialog's font.
// Text in the face is drawn whole, shaped and in its reading order, once the
// face is known to have a glyph of its own for every character, so a
// character the face lacks is neither drawn as a box nor taken from another
// face: a name the face cannot spell is drawn in the dialog's font, and a
// sample it cannot draw gives way to characters it has. The sentence wraps
// over the lines kept for it. Drawn into a memory bitmap and copied to the band in
// one step, so that moving through the list does not flicker. The font made
// for a face lives until another face is shown. Assistive technology reads
// the face's name, the sample and the sentence from it as text.
class CFontPreview {
public:
    // Takes the band, or none: a template without it shows no preview. The
    // default sample comes from the current resource module.
    void Attach(HWND band);
    bool Attached() const { return m_band != nullptr; }

    // Shows a face with its licence sentence; null shows nothing.
    void Show(const CFaceTable::Face* face, const std::wstring& sentence);
    // The user's sample; empty for the default.
    void SetSample(const std::wstring& sample);

    // Keeps room in the band for as many lines as the longest of the licence
    // sentences, and of its own, takes at `bandWidth`; returns how much
    // taller than the template's the band must be to hold them.
    int ReserveSentenceLines(int bandWidth, const std::vector<std::wstring>& sentences);
    // The band's least height with the lines kept: the face's name and
    // sample a line of the dialog's text each.
    int LeastHeight() const;

    // Paints the band, for its WM_DRAWITEM.
    void Draw(const DRAWITEMSTRUCT& item);

private:
    // The face's font at a height, made when first drawn at it; null when
    // the face can no longer be made (it was removed meanwhile).
    HFONT FaceFont(HDC dc, int height);
    // In the band's picture as it is seen: from the right when the band is
    // mirrored.
    void DrawFace(HDC dc, const RECT& band, bool rightToLeft);
    void Invalidate() const;
    CAccessibleWindow::Texts AccessibleTexts() const;

    HWND m_band = nullptr;
    std::wstring m_defaultSample;
    std::wstring m_goneSentence;
    std::wstring m_noFaceName;
    std::wstring m_sample;
    int m_sentenceLines = kTemplateSentenceLines;

    bool m_showing = false;
    std::wstring m_name; // as the face is listed
    LOGFONTW m_realisedFrom{};
    std::wstring m_sentence;
    UniqueHFont m_faceFont;
    int m_faceFontHeight = 0; // 0 until the font has been made
    CAccessibleWindow m_accessible;
};
