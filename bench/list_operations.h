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

// Times Check all and Clear all of the library's dialog, from every box
// clear and every box checked, and leaves every box clear. Throws when one
// leaves other checks.
void TimeCheckAllAndClearAll(HWND dialog, ListOperationTimes& times);

// Their floors, in the floor dialog: one LVM_SETITEMSTATE over every item.
void TimeEveryBoxDirectly(HWND dialog, ListOperationTimes& times);

// Times narrowing the list through the find box, and leaves the checks as
// they were. Throws when it leaves other items or checks than its floor.
void TimeNarrowing(HWND dialog, ListOperationTimes& times);

// Turns the first item's check over, as a click on its box does.
void TurnFirstCheck(HWND dialog);

// Gives the focus to the first item whose text begins with `first`, then
// moves it down with the arrow key up to `steps` times, each time until the
// dialog has painted what the move changed. The seconds of each step. Throws
// when the dialog holds more GDI objects afterwards than before.
std::vector<double> TimeFocusSteps(HWND dialog, const std::string& first, int steps);
