#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The variants that the font service reports for one family, one report per
// style and character set, and which of them must be realised to learn every
// face they can give.
//
// A variant is realised from its description alone, so the font service
// picks the face by family, weight, slant and character set. When no two
// faces of the family share a weight and a slant, every report of a face
// should realise that same face, and its first report is enough. When two
// do, a report may realise the other face, depending on its character set,
// and every report is realised. A font service may also match weights more
// coarsely than the family tells them apart: when a first report realises
// another face than it names, the caller realises every report after all.
class CFamilyVariants {
public:
    struct Variant {
        LOGFONTW font;
        std::wstring face; // the full name the report gives
    };

    void Clear();
    // Takes one report of the second level, of any font type.
    void Add(const ENUMLOGFONTEXW& variant, DWORD type);
    // The TrueType variants to realise, in report order.
    std::vector<Variant> ToRealise() const;
    // Whether those are every TrueType report.
    bool RealisesEveryReport() const { return m_stylesShared; }
    // Every TrueType report, in report order.
    const std::vector<Variant>& EveryReport() const { return m_trueType; }

private:
    struct Style {
        LONG weight;
        BYTE italic;
        std::wstring face; // full name of the face reported in this style
    };

    std::vector<Variant> m_trueType;
    std::vector<Style> m_styles;
    bool m_stylesShared = false; // two faces share a weight and a slant, or may
};
