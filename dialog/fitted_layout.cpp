#include "fitted_layout.h"

#include "dialog_units.h"
#include "text_room.h"

#include <algorithm>
#include <iterator>
#include <numeric>

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
// text among them needs, and at least the template's widest.
class ButtonGroup {
public:
    ButtonGroup(HWND dialog, const std::vector<int>& ids, const Places& places, const DialogUnits& units)
        : m_ids(ids)
    {
        // An average character's width on either side of the text.
        const int padding = units.Across(8);
        for (size_t i = 0; i < m_ids.size(); ++i) {
            const RECT& place = places.at(m_ids[i]);
            m_buttonWidth = std::max({m_buttonWidth, WidthOf(place), TextWidth(::GetDlgItem(dialog, m_ids[i])) + padding});
            if (i > 0)
                m_gaps.push_back(place.left - places.at(m_ids[i - 1]).right);
        }
    }

    bool Empty() const { return m_ids.empty(); }
    int First() const { return m_ids.front(); }
    int Last() const { return m_ids.back(); }

    int Width() const
    {
        if (m_ids.empty())
            return 0;
        return m_buttonWidth * static_cast<int>(m_ids.size()) + std::accumulate(m_gaps.begin(), m_gaps.end(), 0);
    }

    void PlaceFrom(Places& places, int left) const
    {
        for (size_t i = 0; i < m_ids.size(); ++i) {
            RECT& place = places[m_ids[i]];
            place.left = left;
            place.right = left + m_buttonWidth;
            left = place.right + (i < m_gaps.size() ? m_gaps[i] : 0);
        }
    }

private:
    std::vector<int> m_ids;
    std::vector<int> m_gaps;
    int m_buttonWidth = 0;
};

// A control's place in the dialog's client area.
RECT ControlPlace(HWND dialog, HWND control)
{
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

// Sizes the dialog's client area to `client` about the same centre, within
// the work area of its monitor.
void ResizeAboutCentre(HWND dialog, SIZE client)
{
    RECT frame{}, inside{};
    ::GetWindowRect(dialog, &frame);
    ::GetClientRect(dialog, &inside);
    const int width = WidthOf(frame) + client.cx - inside.right;
    const int height = HeightOf(frame) + client.cy - inside.bottom;
    int x = frame.left - (width - WidthOf(frame)) / 2;
    int y = frame.top - (height - HeightOf(frame)) / 2;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoW(::MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        x = std::max<int>(work.left, std::min<int>(x, work.right - width));
        y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    }
    ::SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Places the row, the buttons and the stretched controls across a dialog as
// wide as they need, and at least `baseWidth` and `clientWidth`; returns
// its width.
int LayOutAcross(HWND dialog, const CFittedLayout::Plan& plan, const DialogUnits& units, int baseWidth,
                 int clientWidth, Places& places)
{
    const Row row(dialog, Present(plan.row, places), places, baseWidth);
    const ButtonGroup left(dialog, Present(plan.leftButtons, places), places, units);
    const ButtonGroup right(dialog, Present(plan.rightButtons, places), places, units);
    int buttonsWidth = left.Width() + right.Width();
    if (!left.Empty())
        buttonsWidth += places[left.First()].left;
    if (!right.Empty())
        buttonsWidth += baseWidth - places[right.Last()].right;
    // The groups stay apart by at least half the template's gap between them.
    if (!left.Empty() && !right.Empty())
        buttonsWidth += (places[right.First()].left - places[left.Last()].right) / 2;
    const int width = std::max({baseWidth, clientWidth, row.LeastDialogWidth(), buttonsWidth});
    row.Place(places, width);
    if (!left.Empty())
        left.PlaceFrom(places, places[left.First()].left);
    if (!right.Empty())
        right.PlaceFrom(places, width - (baseWidth - places[right.Last()].right) - right.Width());
    for (int id : Present(plan.stretched, places))
        places[id].right += width - baseWidth;
    return width;
}

// Makes each grower as tall as it needs at its width, and the flexible
// control take what the dialog has beyond; what lies below a control that
// grew moves down by as much. Returns the dialog's height.
int LayOutDown(HWND dialog, const CFittedLayout::Plan& plan, int baseHeight, int clientHeight, Places& places)
{
    std::map<int, int> growth;
    int contentHeight = baseHeight;
    for (const CFittedLayout::Grower& grower : plan.growers) {
        if (!places.count(grower.id))
            continue;
        const RECT& place = places[grower.id];
        const int need = grower.need(::GetDlgItem(dialog, grower.id), {WidthOf(place), HeightOf(place)});
        growth[grower.id] = std::max(need - HeightOf(place), 0);
        contentHeight += growth[grower.id];
    }
    const int height = std::max(contentHeight, clientHeight);
    if (places.count(plan.flexible))
        growth[plan.flexible] += height - contentHeight;
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
    return height;
}

} // namespace

void CFittedLayout::LearnTemplate(HWND dialog)
{
    m_dialog = dialog;
    m_template.clear();
    const DialogUnits mapped = DialogUnits::MappedBy(dialog);
    RECT client{};
    ::GetClientRect(dialog, &client);
    m_templateClient = {mapped.UnitsAcross(client.right), mapped.UnitsDown(client.bottom)};
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
        LearnTemplate(dialog);
    const DialogUnits units = DialogUnits::Of(reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0)));
    Places places;
    for (const auto& [id, unit] : m_template) {
        const int x = units.Across(unit.x), y = units.Down(unit.y);
        places[id] = {x, y, x + units.Across(unit.width), y + units.Down(unit.height)};
    }
    const SIZE base{units.Across(m_templateClient.cx), units.Down(m_templateClient.cy)};
    RECT client{};
    ::GetClientRect(dialog, &client);
    const SIZE size{LayOutAcross(dialog, plan, units, base.cx, client.right, places),
                    LayOutDown(dialog, plan, base.cy, client.bottom, places)};
    if (size.cx != client.right || size.cy != client.bottom)
        ResizeAboutCentre(dialog, size);
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
