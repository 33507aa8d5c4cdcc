#include "dialog_window.h"

#include "driver_failure.h"
#include "window_search.h"

#include "common/ansi_text.h"
#include "common/unique_handle.h"
#include "dialog/control_ids.h"
#include "tests/support/resource_text.h"
#include "tests/support/test_fonts.h"

#include <iterator>
#include <vector>

namespace {

// How the count line begins while faces are still found, in every language
// the tests show the dialog in: the English library's words and those of
// each translation beside the tests (languages\NAME).
const std::vector<std::wstring>& FindingBeginnings()
{
    static const std::vector<std::wstring> beginnings = [] {
        const std::string folder = ProgramDirectory();
        std::vector<std::string> libraries{folder + "\\GlyphorRes.dll"};
        WIN32_FIND_DATAA entry{};
        const HANDLE search = ::FindFirstFileA((folder + "\\languages\\*").c_str(), &entry);
        const UniqueFindHandle owned(search == INVALID_HANDLE_VALUE ? nullptr : search);
        for (bool more = static_cast<bool>(owned); more; more = ::FindNextFileA(owned.get(), &entry))
            if (entry.cFileName[0] != '.')
                libraries.push_back(folder + "\\languages\\" + entry.cFileName + "\\GlyphorRes.dll");
        std::vector<std::wstring> found;
        for (const std::string& path : libraries) {
            const UniqueHModule library(::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
            const std::wstring finding = library ? ResourceString(library.get(), IDS_FONT_COUNT_FINDING) : L"";
            if (finding.find(L'%') != 0 && !finding.empty())
                found.push_back(finding.substr(0, finding.find(L'%')));
        }
        return found;
    }();
    return beginnings;
}

} // namespace


LRESULT DialogWindow::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kWindowTimeoutMs, &result))
        throw DriverFailure("the dialog did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

RECT DialogWindow::ControlRect(int id) const
{
    RECT rect{};
    HWND control = Control(id);
    if (!control)
        throw DriverFailure("the dialog has no control " + std::to_string(id));
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

FontList DialogWindow::List() const
{
    HWND list = Control(IDC_FONT_LIST);
    if (!list)
        throw DriverFailure("the dialog has no font list");
    return FontList(list);
}

std::wstring DialogWindow::WideText(int id) const
{
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(Control(id), WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                               kWindowTimeoutMs, &length))
        throw DriverFailure("the dialog did not answer for the text of control " + std::to_string(id));
    return std::wstring(text, static_cast<size_t>(length));
}

std::string DialogWindow::Text(int id) const
{
    return Narrowed(WideText(id));
}

void DialogWindow::SetText(int id, const std::string& text) const
{
    Send(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void DialogWindow::SetText(int id, const std::wstring& text) const
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                               kWindowTimeoutMs, &result))
        throw DriverFailure("the dialog did not take the text of control " + std::to_string(id));
}

void DialogWindow::PressKeyOn(int id, WORD key) const
{
    ::SetForegroundWindow(m_dialog);
    ::PostMessageA(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
    Sync();
    PressKey(key);
}

void DialogWindow::PressAccessKey(WORD letter) const
{
    ::SetForegroundWindow(m_dialog);
    INPUT keys[4] = {};
    const WORD order[4] = {VK_MENU, letter, letter, VK_MENU};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = order[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    ::SendInput(4, keys, sizeof keys[0]);
    Sync();
}

void DialogWindow::ChooseFromContextMenu(int id, WORD key) const
{
    ::SetForegroundWindow(m_dialog);
    ::PostMessageA(Control(id), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Control(id)), -1);
    const auto menuOpen = [] { return ::FindWindowA("#32768", nullptr) != nullptr; };
    if (!WaitUntil(menuOpen, kWindowTimeoutMs))
        throw DriverFailure("no context menu opened on control " + std::to_string(id));
    PressKey(key);
    if (!WaitUntil([&] { return !menuOpen(); }, kWindowTimeoutMs))
        throw DriverFailure("the context menu stayed open");
    Sync();
}

int DialogWindow::FocusedControl() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(m_thread, &info);
    return info.hwndFocus && ::GetParent(info.hwndFocus) == m_dialog ? ::GetDlgCtrlID(info.hwndFocus) : 0;
}

void DialogWindow::PressKey(WORD key)
{
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = key;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof keys[0]);
}

void DialogWindow::Press(int id) const
{
    HWND button = Control(id);
    if (!button)
        throw DriverFailure("the dialog has no button " + std::to_string(id));
    Send(button, BM_CLICK, 0, 0);
}

void DialogWindow::PressLater(int id) const
{
    HWND button = Control(id);
    if (!button)
        throw DriverFailure("the dialog has no button " + std::to_string(id));
    ::PostMessageA(button, BM_CLICK, 0, 0);
}

void DialogWindow::Close(int id) const
{
    Press(id);
    if (!WaitUntil([this] { return !IsOpen(); }, kWindowTimeoutMs))
        throw DriverFailure("the dialog stayed open after button " + std::to_string(id));
}

MessageBoxWindow DialogWindow::WaitForMessageBox() const
{
    return ::WaitForMessageBox(::GetCurrentProcessId(), m_thread, m_dialog);
}

void DialogWindow::Sync() const
{
    Send(m_dialog, WM_NULL, 0, 0);
}

void DialogWindow::WaitForEveryFace() const
{
    const auto found = [this] {
        if (!Control(IDC_FONT_LIST) || !Control(IDC_FONT_COUNT))
            return true;
        const std::wstring line = WideText(IDC_FONT_COUNT);
        if (line.empty())
            return false;
        for (const std::wstring& finding : FindingBeginnings())
            if (line.rfind(finding, 0) == 0)
                return false;
        return true;
    };
    if (!WaitUntil(found, kWindowTimeoutMs))
        throw DriverFailure("the faces were not all found; the count line says \"" + Text(IDC_FONT_COUNT) + "\"");
}
