#pragma once

#include <windows.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

// The dialog's font list as its driver thread sees it: every call is a real
// message to the real control, sent across to the dialog's thread.
class FontList {
public:
    explicit FontList(HWND list) : m_list(list) {}

    HWND Handle() const { return m_list; }
    int Count() const;
    // An item's text as the list holds it, and as the ANSI code page spells it.
    std::wstring WideText(int item, int column = 0) const;
    std::string Text(int item, int column = 0) const;
    std::wstring Heading(int column) const;
    std::vector<std::string> Faces() const; // in list order
    int Find(const std::string& face) const; // -1 when not listed
    int Require(const std::string& face) const; // throws DriverFailure when not listed
    // The same for a name as the list holds it, which the ANSI code page may not spell.
    std::vector<std::wstring> WideFaces() const;
    int Require(const std::wstring& face) const;

    // The item's check box as the list control wrapper reads it: 1 checked,
    // 0 unchecked, -1 none.
    int Check(int item) const;
    bool Checked(int item) const { return Check(item) == 1; }
    bool Checked(const std::string& face) const { return Checked(Require(face)); }
    void SetChecked(int item, bool checked) const;
    std::map<std::string, bool> CheckStates() const; // face -> checked

    // The name of the face that has the focus; "" for none.
    std::string FocusedFace() const;
    // Selects exactly `items` and gives `focused` the focus (-1: no item has it).
    void Select(std::initializer_list<int> items, int focused = -1) const;

    // The item under the point, -1 when none; with what of it lies there (LVHT_*).
    int HitTest(POINT at, UINT* flags = nullptr) const;
    SIZE StateImageSize() const; // the check boxes' images
    RECT IconRect(int item) const;
    RECT ClientRect() const;
    // A point on the item's check box, as the dialog measures it, once the
    // list has scrolled the item into view.
    POINT CheckBoxPoint(int item) const;

    // Real input to the list itself.
    void Click(POINT at) const;
    void PressKey(WORD key) const;
    void TypeChars(const std::string& text) const;
    // A click on a column's heading.
    void ClickHeading(int column) const;
    // The click notification the list sends its dialog, with ptAction `at`.
    void NotifyClick(POINT at, int code) const;

private:
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND m_list;
};
