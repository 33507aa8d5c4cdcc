#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The list-view messages the floors and the probe send to a list with check
// boxes, each the control's own single message for the job.

int ItemCount(HWND list);
std::vector<std::string> ItemTexts(HWND list, int column = 0);
std::vector<bool> ItemChecks(HWND list);
int CountChecked(HWND list);

// Item -1 sets every item's box with the one message.
void SetCheck(HWND list, int item, bool checked);

// Inserts an item at `index`. The control enters every new item unchecked,
// whatever state it is given, so only a checked one costs a second message.
void InsertItem(HWND list, int index, const char* text, bool checked);

// A sub-item's text, as the control keeps it.
void SetItemText(HWND list, int index, int column, const char* text);

// Suspends the list's redrawing for a scope, then has it repainted once.
class ListRedrawSuspended {
public:
    explicit ListRedrawSuspended(HWND list);
    ListRedrawSuspended(const ListRedrawSuspended&) = delete;
    ListRedrawSuspended& operator=(const ListRedrawSuspended&) = delete;
    ~ListRedrawSuspended();

private:
    HWND m_list;
};
