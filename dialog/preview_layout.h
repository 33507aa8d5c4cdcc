#pragma once

#include <windows.h>

// Where the preview band's three lines go: the face's name and the sample
// share, in one size of the face, the height that the licence sentence in
// the dialog's font leaves. Sized from the band, so the text fills it at any
// DPI.
struct PreviewLayout {
    RECT name;
    RECT sample;
    RECT sentence;
    int faceHeight; // the cell height of the face's font, in pixels
};

// `textHeight` is the height of a line of the dialog's font.
PreviewLayout LayOutPreview(const RECT& band, int textHeight);
