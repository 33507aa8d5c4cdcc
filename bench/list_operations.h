#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Seconds of the library dialog's list operations and of their floors, each
// timed in the same open dialog until the dialog has painted the result.
struct ListOperationTimes {
    double checkAll = 0;
    double checkAllFloor = 0; // one LVM_SETITEMSTATE over every item
    double clearAll = 0;
    double clearAllFloor = 0;
    double narrowing = 0;
    double narrowingFloor = 0; // emptying the list and inserting the matching items with their columns
};

// Times Check all and Clear all, each from the same list state for the
// library and its floor (every box clear for checking all, every box checked
// for clearing), then gives every item its check back and times narrowing
// the list through the find box. Throws when an operation leaves other
// items or checks than its floor.
ListOperationTimes TimeListOperations(HWND dialog);

// Turns the first item's check over, as a click on its box does.
void TurnFirstCheck(HWND dialog);

// Gives the focus to the first item whose text begins with `first`, then
// moves it down with the arrow key up to `steps` times, each time until the
// dialog has painted what the move changed. The seconds of each step. Throws
// when the dialog holds more GDI objects afterwards than before.
std::vector<double> TimeFocusSteps(HWND dialog, const std::string& first, int steps);
