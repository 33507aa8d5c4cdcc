#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

// Lays a dialog's controls out so that their texts fit, in the dialog's font
// and so at its DPI: labels as wide as their text, with the boxes beside them
// sharing the rest of the row; the buttons of a group as wide as the widest
// text among them; texts that wrap as tall as their lines, pushing down what
// lies below. The template's sizes are the least a control gets, so texts
// that fit leave the dialog as its template draws it; where they need more,
// the dialog grows. Each run starts again from the template's places, in
// dialog units, so it can run again when the font or the DPI changes; it
// keeps any size the dialog has beyond what its content needs.
class CFittedLayout {
public:
    // How a control of the row takes its width: its text's, or a share of
    // what the others leave.
    enum class Width { OfText, Rest };
    struct RowControl {
        int id;
        Width width;
    };
    // The height, in pixels, a control needs at `size`: its width as laid
    // out, and the height the template gives it.
    using HeightNeed = std::function<int(HWND control, SIZE size)>;
    struct Grower {
        int id;
        HeightNeed need;
    };

    // The controls the layout places; those the template lacks are skipped,
    // and those it names nowhere keep their places, moved down with what lies
    // above them.
    struct Plan {
        std::vector<RowControl> row;
        std::vector<int> leftButtons;  // a group from the left edge
        std::vector<int> rightButtons; // a group to the right edge
        std::vector<int> stretched;    // keep their distance to the right edge
        std::vector<Grower> growers;
        int flexible = 0; // takes the height the dialog has beyond its content's
    };

    void Apply(HWND dialog, const Plan& plan);

private:
    // A control's place in the template, in dialog units.
    struct UnitRect {
        int x, y, width, height;
    };
    void LearnTemplate(HWND dialog);

    HWND m_dialog = nullptr;
    std::map<int, UnitRect> m_template; // by control id
    SIZE m_templateClient{};            // in dialog units
};
