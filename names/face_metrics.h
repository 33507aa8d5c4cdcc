#pragma once

#include <windows.h>

#include <string>

// What a realised font's outline metrics say of its face.
struct FaceMetrics {
    std::wstring facename; // its full name, as the font service reports it here
    UINT fsType = 0;       // the embedding permission
};

// Reads them for the font selected into dc. False when the metrics cannot be
// had or the name does not lie in them.
bool ReadFaceMetrics(HDC dc, FaceMetrics& out);
