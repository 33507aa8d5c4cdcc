#include "fitted_layout.h"

#include "dialog_units.h"
#include "text_room.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <numeric>
#include <utility>

namespace {

using Places = std::map<int, RECT>;

int WidthOf(const RECT& rect)
{
    return rect.right - rect.left;
}

int HeightOf(const RECT& rect)
{
    return rect.bottom - rect.top;
}

int IdOf(int id)
{
    return id;
}

int IdOf(const CFittedLayout::RowControl& control)
{
    return control.id;
}

int IdOf(const CFittedLayout::Grower& grower)
{
    return grower.id;
}

// The controls of the plan that the template has, in the plan's order.
template <typename Item>
std::vector<Item> Present(const std::vector<Item>& items, const Places& places)
{
    std::vector<Item> present;
    std::copy_if(items.begin(), items.end(), std::back_inserter(present),
                 [&](const Item& item) { return places.count(IdOf(item)) != 0; });
    return present;
}

// A row of labels and boxes from its first control's left edge to its last
// one's distance from the right edge, keeping the template's gaps. A label
// is as wide as its text, at least its template's width; the boxes share
// the rest, each giving up at most half its template's width.
class Row {
public:
    Row(HWND dialog, const std::vector<CFittedLayout::RowControl>& controls, const Places& places, int baseWidth)
        : m_controls(controls)
    {
        if (m_controls.empty())
            return;
        m_left = places.at(m_controls.front().id).left;
        m_rightMargin = baseWidth - places.at(m_controls.back().id).right;
        for (size_t i = 0; i < m_controls.size(); ++i) {
            const RECT& place = places.at(m_controls[i].id);
            int width = WidthOf(place);
            if (m_controls[i].width == CFittedLayout::Width::OfText) {
                width = std::max(width, TextWidth(::GetDlgItem(dialog, m_controls[i].id)));
                m_fixed += width;
            } else {
                m_rest += width;
                m_leastRest += width / 2;
                ++m_restCount;
            }
            m_widths.push_back(width);
            m_gaps.push_back(i + 1 < m_controls.size() ? places.at(m_controls[i + 1].id).left - place.right : 0);
        }
    }

    int LeastDialogWidth() const
    {
        if (m_controls.empty())
            return 0;
        return m_left + m_fixed + m_leastRest + Gaps() + m_rightMargin;
    }

    void Place(Places& places, int dialogWidth) const
    {
        const int spare = dialogWidth - m_rightMargin - m_left - m_fixed - m_rest - Gaps();
        int x = m_left, share = 0;
        for (size_t i = 0; i < m_controls.size(); ++i) {
            int width = m_widths[i];
            if (m_controls[i].width == CFittedLayout::Width::Rest) {
                width += spare * (share + 1) / m_restCount - spare * share / m_restCount;
                ++share;
            }
            RECT& place = places[m_controls[i].id];
            place.left = x;
            place.right = x + width;
            x = place.right + m_gaps[i];
        }
    }

private:
    int Gaps() const { return std::accumulate(m_gaps.begin(), m_gaps.end(), 0); }

    std::vector<CFittedLayout::RowControl> m_controls;
    std::vector<int> m_widths; // the texts' or the template's
    std::vector<int> m_gaps;   // to the next control
    int m_left = 0, m_rightMargin = 0;
    int m_fixed = 0, m_rest = 0, m_leastRest = 0, m_restCount = 0;
};

// Buttons side by side with the template's gaps, each as wide as the widest
// text among them needs and, where there is room, the template's widest.
class ButtonGroup {
public:
    ButtonGroup(HWND dialog, const std::vector<int>& ids, const Places& places, const DialogUnits& units)
        : m_ids(ids)
    {
        // An average character's width on either side of the text.
        const int padding = units.Across(8);
        for (size_t i = 0; i < m_ids.size(); ++i) {
            const RECT& place = places.at(m_ids[i]);
            m_textWidth = std::max(m_textWidth, TextWidth(::GetDlgItem(dialog, m_ids[i])) + padding);
            m_templateWidth = std::max(m_templateWidth, WidthOf(place));
            if (i > 0)
                m_gaps.push_back(place.left - places.at(m_ids[i - 1]).right);
        }
    }

    bool Empty() const { return m_ids.empty(); }
    int First() const { return m_ids.front(); }
    int Last() const { return m_ids.back(); }
    int LeastButton() const { return m_textWidth; }
    int WideButton() const { return std::max(m_textWidth, m_templateWidth); }

    // The width of the buttons where the group has `across` pixels.
    int ButtonWithin(int across) const
    {
        const int count = static_cast<int>(m_ids.size());
        return count > 0 ? std::clamp((across - Width(0)) / count, LeastButton(), WideButton()) : 0;
    }

    // The group's width with buttons `button` pixels wide.
    int Width(int button) const
    {
        if (m_ids.empty())
            return 0;
        return button * static_cast<int>(m_ids.size()) + std::accumulate(m_gaps.begin(), m_gaps.end(), 0);
    }

    void MoveDown(Places& places, int by) const
    {
        for (int id : m_ids)
            ::OffsetRect(&places[id], 0, by);
    }

    void PlaceFrom(Places& places, int left, int button) const
    {
        for (size_t i = 0; i < m_ids.size(); ++i) {
            RECT& place = places[m_ids[i]];
            place.left = left;
            place.right = left + button;
            left = place.right + (i < m_gaps.size() ? m_gaps[i] : 0);
        }
    }

private:
    std::vector<int> m_ids;
    std::vector<int> m_gaps;
    int m_textWidth = 0;
    int m_templateWidth = 0;
};

// The two groups of buttons across the dialog's bottom, the left one from
// the left margin and the right one to the right margin, kept apart by at
// least half the template's gap between them. Their buttons are as wide as
// the template's where the dialog has room, and narrow down to their texts
// where it has not. Where the room is too narrow for both groups side by
// side, the right one goes below the left one.
class ButtonRow {
public:
    ButtonRow(HWND dialog, const CFittedLayout::Plan& plan, const Places& places, const DialogUnits& units,
              int baseWidth, int roomWidth)
        : m_left(dialog, Present(plan.leftButtons, places), places, units),
          m_right(dialog, Present(plan.rightButtons, places), places, units)
    {
        if (!m_left.Empty())
            m_leftMargin = places.at(m_left.First()).left;
        if (!m_right.Empty())
            m_rightMargin = baseWidth - places.at(m_right.Last()).right;
        if (m_left.Empty() || m_right.Empty())
            return;
        m_apart = (places.at(m_right.First()).left - places.at(m_left.Last()).right) / 2;
        if (SideBySide(m_left.LeastButton(), m_right.LeastButton()) > roomWidth)
            m_below = HeightOf(places.at(m_right.First())) + units.Down(kStackedGap);
    }

    // What the right group's going below adds to the dialog's height.
    int AddedHeight() const { return m_below; }

    int LeastDialogWidth() const
    {
        if (m_below > 0)
            return m_leftMargin + std::max(m_left.Width(m_left.LeastButton()), m_right.Width(m_right.LeastButton())) +
                   m_rightMargin;
        return SideBySide(m_left.LeastButton(), m_right.LeastButton());
    }
    int WideDialogWidth() const { return SideBySide(m_left.WideButton(), m_right.WideButton()); }

    void Place(Places& places, int dialogWidth) const
    {
        if (m_below > 0) {
            const int across = dialogWidth - m_leftMargin - m_rightMargin;
            PlaceGroups(places, dialogWidth, m_left.ButtonWithin(across), m_right.ButtonWithin(across));
            m_right.MoveDown(places, m_below);
            return;
        }
        // What the dialog has beyond the least, shared in proportion to what
        // each group would take to be wide.
        const int least = SideBySide(m_left.LeastButton(), m_right.LeastButton());
        const int give = WideDialogWidth() - least;
        const int spare = std::clamp(dialogWidth - least, 0, give);
        const auto buttonOf = [&](const ButtonGroup& group) {
            const int narrower = group.WideButton() - group.LeastButton();
            return group.LeastButton() + (give > 0 ? ::MulDiv(narrower, spare, give) : 0);
        };
        PlaceGroups(places, dialogWidth, buttonOf(m_left), buttonOf(m_right));
    }

private:
    // The gap between the groups' rows, in dialog units.
    static constexpr int kStackedGap = 4;

    int SideBySide(int leftButton, int rightButton) const
    {
        return m_leftMargin + m_left.Width(leftButton) + m_apart + m_right.Width(rightButton) + m_rightMargin;
    }

    void PlaceGroups(Places& places, int dialogWidth, int leftButton, int rightButton) const
    {
        if (!m_left.Empty())
            m_left.PlaceFrom(places, m_leftMargin, leftButton);
        if (!m_right.Empty())
            m_right.PlaceFrom(places, dialogWidth - m_rightMargin - m_right.Width(rightButton), rightButton);
    }

    ButtonGroup m_left, m_right;
    int m_leftMargin = 0, m_rightMargin = 0, m_apart = 0;
    int m_below = 0; // how far the right group lies below the left one
};

// A control's place in the dialog's client area.
RECT ControlPlace(HWND dialog, HWND control)
{
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// Where the dialog may lie: the work area of its monitor, and what its frame
// adds to its client area.
struct Room {
    RECT work{};
    SIZE frame{};
    bool known = false;

    SIZE LargestClient() const
    {
        if (!known)
            return {LONG_MAX, LONG_MAX};
        return {std::max(WidthOf(work) - frame.cx, 0L), std::max(HeightOf(work) - frame.cy, 0L)};
    }
};

Room RoomOf(HWND dialog)
{
    Room room;
    RECT frame{}, inside{};
    ::GetWindowRect(dialog, &frame);
    ::GetClientRect(dialog, &inside);
    room.frame = {WidthOf(frame) - inside.right, HeightOf(frame) - inside.bottom};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    room.known = ::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor) != FALSE;
    room.work = monitor.rcWork;
    // The primary monitor's work area is asked of the system a second way,
    // which a program may have changed (SPI_SETWORKAREA) where the first
    // does not follow: the room is what both leave.
    RECT primary{};
    if (room.known && (monitor.dwFlags & MONITORINFOF_PRIMARY) &&
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0))
        ::IntersectRect(&room.work, &monitor.rcWork, &primary);
    return room;
}

// Sizes the dialog's client area to `client` about the same centre, and
// moves it into the work area of its monitor; where it has its place, it
// stays.
void PlaceWithinRoom(HWND dialog, SIZE client, const Room& room)
{
    RECT frame{};
    ::GetWindowRect(dialog, &frame);
    const int width = client.cx + room.frame.cx;
    const int height = client.cy + room.frame.cy;
    int x = frame.left - (width - WidthOf(frame)) / 2;
    int y = frame.top - (height - HeightOf(frame)) / 2;
    if (room.known) {
        const RECT& work = room.work;
        x = std::max<int>(work.left, std::min<int>(x, work.right - width));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    }
    const RECT place{x, y, x + width, y + height};
    if (!::EqualRect(&place, &frame))
        ::SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A height: what the content needs at the least, and what the dialog takes.
struct Extent {
    int least;
    int taken;
};

// What the dialog takes of one dimension: what it has (`now`), at least the
// template's (`base`) and what the content would like (`wanted`), but no
// more than the room, and never less than the content's least.
int Taken(int least, int base, int now, int wanted, int room)
{
    return std::max(least, std::min(std::max({base, now, wanted}), room));
}

// Places the row, the buttons and the stretched controls across a dialog as
// wide as they need, and at least `baseWidth` and `clientWidth` where the
// room allows; returns its width, and the height the buttons added.
std::pair<int, int> LayOutAcross(HWND dialog, const CFittedLayout::Plan& plan, const DialogUnits& units,
                                 int baseWidth, int clientWidth, int roomWidth, Places& places)
{
    const Row row(dialog, Present(plan.row, places), places, baseWidth);
    const ButtonRow buttons(dialog, plan, places, units, baseWidth, roomWidth);
    const int least = std::max(row.LeastDialogWidth(), buttons.LeastDialogWidth());
    const int width = Taken(least, baseWidth, clientWidth, buttons.WideDialogWidth(), roomWidth);
    row.Place(places, width);
    buttons.Place(places, width);
    for (int id : Present(plan.stretched, places))
        places[id].right += width - baseWidth;
    return {width, buttons.AddedHeight()};
}

// Makes each grower as tall as it needs at its width, and the first flexible
// control take what the dialog has beyond; where the room is short, the
// flexible controls give up height in turn. What lies below a control that
// changed moves by as much. The least is what the resize rules, which change
// the first flexible control's height alone, may take the dialog down to.
Extent LayOutDown(HWND dialog, const CFittedLayout::Plan& plan, int baseHeight, int clientHeight, int roomHeight,
                  Places& places)
{
    std::map<int, int> growth;
    int contentHeight = baseHeight;
    const auto need = [&](const CFittedLayout::Grower& grower) {
        const RECT& place = places[grower.id];
        return grower.need(::GetDlgItem(dialog, grower.id), {WidthOf(place), HeightOf(place)});
    };
    for (const CFittedLayout::Grower& grower : plan.growers) {
        if (!places.count(grower.id))
            continue;
        growth[grower.id] = std::max(need(grower) - HeightOf(places[grower.id]), 0);
        contentHeight += growth[grower.id];
    }
    // What each flexible control can give up, in order.
    std::vector<std::pair<int, int>> spare;
    int giveable = 0;
    for (const CFittedLayout::Grower& flexible : Present(plan.flexible, places)) {
        const int height = HeightOf(places[flexible.id]) + growth[flexible.id];
        spare.emplace_back(flexible.id, std::max(height - need(flexible), 0));
        giveable += spare.back().second;
    }
    const int height = Taken(contentHeight - giveable, contentHeight, clientHeight, contentHeight, roomHeight);
    int change = height - contentHeight;
    for (auto& [id, canGive] : spare) {
        const int own = change >= 0 ? change : -std::min(-change, canGive);
        growth[id] += own;
        canGive += own;
        change -= own;
    }
    const int least = height - (spare.empty() ? 0 : spare.front().second);
    const Places start = places;
    for (auto& [id, place] : places) {
        int above = 0;
        for (const auto& [grower, added] : growth) {
            if (start.at(grower).bottom <= start.at(id).top)
                above += added;
        }
        const auto own = growth.find(id);
        place.top += above;
        place.bottom += above + (own != growth.end() ? own->second : 0);
    }
    return {least, height};
}

} // namespace

void CFittedLayout::LearnTemplate(HWND dialog, SIZE templateClient)
{
    m_dialog = dialog;
    m_template.clear();
    const DialogUnits mapped = DialogUnits::MappedBy(dialog);
    RECT client{};
    ::GetClientRect(dialog, &client);
    m_templateClient = templateClient.cx > 0 && templateClient.cy > 0
                           ? templateClient
                           : SIZE{mapped.UnitsAcross(client.right), mapped.UnitsDown(client.bottom)};
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const RECT place = ControlPlace(dialog, child);
        // The dialog manager maps a control's place and size each by itself.
        m_template[::GetDlgCtrlID(child)] = {mapped.UnitsAcross(place.left), mapped.UnitsDown(place.top),
                                             mapped.UnitsAcross(WidthOf(place)), mapped.UnitsDown(HeightOf(place))};
    }
}

void CFittedLayout::Apply(HWND dialog, const Plan& plan)
{
    if (dialog != m_dialog)
        LearnTemplate(dialog, plan.templateClient);
    const DialogUnits units = DialogUnits::Of(reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0)));
    Places places;
    for (const auto& [id, unit] : m_template) {
        const int x = units.Across(unit.x), y = units.Down(unit.y);
        places[id] = {x, y, x + units.Across(unit.width), y + units.Down(unit.height)};
    }
    const SIZE base{units.Across(m_templateClient.cx), units.Down(m_templateClient.cy)};
    RECT client{};
    ::GetClientRect(dialog, &client);
    const Room room = RoomOf(dialog);
    const SIZE largest = room.LargestClient();
    const auto [width, buttonsAdded] = LayOutAcross(dialog, plan, units, base.cx, client.right, largest.cx, places);
    const Extent down = LayOutDown(dialog, plan, base.cy + buttonsAdded, client.bottom, largest.cy, places);
    // The resize rules do not wrap texts again: the width laid out is the least.
    m_leastWindow = {width + room.frame.cx, down.least + room.frame.cy};
    PlaceWithinRoom(dialog, {width, down.taken}, room);
    // Only the controls that move: moving a window costs.
    HDWP positions = ::BeginDeferWindowPos(static_cast<int>(places.size()));
    for (const auto& [id, place] : places) {
        const HWND control = ::GetDlgItem(dialog, id);
        const RECT now = ControlPlace(dialog, control);
        if (positions && !::EqualRect(&place, &now))
            positions = ::DeferWindowPos(positions, control, nullptr, place.left, place.top, WidthOf(place),
                                         HeightOf(place), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions)
        ::EndDeferWindowPos(positions);
}
