#pragma once

#include <windows.h>

#include <string>

// What a realised font's outline metrics say of its face.
struct FaceMetrics {
    std::string facename; // the full name, as the face is keyed
    UINT fsType = 0;      // the embedding permission
};

// Reads them for the font selected into dc. False when the metrics cannot be
// had or the name does not lie in them.
bool ReadFaceMetrics(HDC dc, FaceMetrics& out);
