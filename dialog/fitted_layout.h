#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

// Lays a dialog's controls out so that their texts fit, in the dialog's font
// and so at its DPI: labels as wide as their text, with the boxes beside them
// sharing the rest of the row; the buttons of a group as wide as the widest
// text among them; texts that wrap as tall as their lines, pushing down what
// lies below. The template's sizes are what a control gets where there is
// room, so texts that fit leave the dialog as its template draws it; where
// they need more, the dialog grows. It never grows beyond the work area of
// its monitor: there the buttons narrow down to their texts, the row's boxes
// to half their width, and the flexible controls give up height in turn,
// each down to the least it needs. Each run starts again from the template's
// places, in dialog units, so it can run again when the font or the DPI
// changes; it keeps any size the dialog has beyond what its content needs.
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
        SIZE templateClient{}; // in dialog units; {0, 0}: the window's, as it was made
        std::vector<RowControl> row;
        std::vector<int> leftButtons;  // a group from the left edge
        std::vector<int> rightButtons; // a group to the right edge
        std::vector<int> stretched;    // keep their distance to the right edge
        std::vector<Grower> growers;
        // The first takes the height the dialog has beyond its content's;
        // where the work area is too short for the content, each gives up
        // height in turn, down to the least its `need` says.
        std::vector<Grower> flexible;
    };

    void Apply(HWND dialog, const Plan& plan);

    // The smallest window the last layout fits in: its width, and its
    // height with the first flexible control at its least.
    SIZE LeastWindowSize() const { return m_leastWindow; }

private:
    // A control's place in the template, in dialog units.
    struct UnitRect {
        int x, y, width, height;
    };
    void LearnTemplate(HWND dialog, SIZE templateClient);

    HWND m_dialog = nullptr;
    std::map<int, UnitRect> m_template; // by control id
    SIZE m_templateClient{};            // in dialog units
    SIZE m_leastWindow{};
};
