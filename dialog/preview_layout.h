#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Where the preview band's lines go: the face's name and the sample share,
// in one size of the face, the height that the licence sentence in the
// dialog's font leaves, with `sentenceLines` lines kept for it. Sized from
// the band, so the text fills it at any DPI.
struct PreviewLayout {
    RECT name;
    RECT sample;
    RECT sentence;
    int faceHeight; // the cell height of the face's font, in pixels
};

// `textHeight` is the height of a line of the dialog's font.
PreviewLayout LayOutPreview(const RECT& band, int textHeight, int sentenceLines);

// The least client height of a band that keeps `sentenceLines` for the
// sentence and a line of the dialog's text for each of the face's lines.
int LeastBandHeight(int textHeight, int sentenceLines);

// The lines a band of the template's height keeps for the sentence.
constexpr int kTemplateSentenceLines = 2;

// The lines the sentence gets in a band `bandWidth` wide: as many as the
// longest of `sentences` takes, wrapped in the font selected into `dc`, and
// at least the template's.
int SentenceLines(HDC dc, int bandWidth, const std::vector<std::wstring>& sentences);
