#define AFX_BUILD
#include "dialog_help_ids.h"

#include <cstring>

namespace {

// Reads an extended dialog template: WORD-aligned fields, DWORD-aligned item
// headers, and names that are a string or an ordinal. The position never
// passes the end; the first read or skip that would fails the reader for
// good, and a failed reader reads nothing more (every value reads as 0).
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    bool Failed() const { return m_failed; }

    template <typename T>
    T Read()
    {
        T value{};
        if (Take(sizeof(T)))
            std::memcpy(&value, m_data + m_pos - sizeof(T), sizeof(T));
        return value;
    }

    void Skip(size_t bytes) { Take(bytes); }

    void SkipString()
    {
        while (Read<WCHAR>() != 0) {
        }
    }

    void SkipNameOrOrdinal()
    {
        const WORD first = Read<WORD>();
        if (first == 0xFFFF)
            Skip(sizeof(WORD));
        else if (first != 0)
            SkipString();
    }

    void AlignToDword() { Skip((4 - m_pos % 4) % 4); }

private:
    // Moves past `bytes` when they all lie within the template.
    bool Take(size_t bytes)
    {
        if (m_failed || m_size - m_pos < bytes)
            m_failed = true;
        else
            m_pos += bytes;
        return !m_failed;
    }

    const BYTE* m_data;
    size_t m_size;
    size_t m_pos = 0; // never beyond m_size
    bool m_failed = false;
};

void SetHelpIdWhereMissing(HWND window, DWORD helpId)
{
    if (window && helpId && !::GetWindowContextHelpId(window))
        ::SetWindowContextHelpId(window, helpId);
}

} // namespace

DialogHelpIds ReadDialogHelpIds(const void* data, size_t size)
{
    TemplateReader reader(static_cast<const BYTE*>(data), size);
    const WORD version = reader.Read<WORD>();
    const WORD signature = reader.Read<WORD>();
    if (version != 1 || signature != 0xFFFF)
        return {}; // only extended templates carry help ids
    DialogHelpIds ids;
    ids.dialog = reader.Read<DWORD>();
    reader.Read<DWORD>(); // extended style
    const DWORD style = reader.Read<DWORD>();
    const WORD items = reader.Read<WORD>();
    reader.Skip(4 * sizeof(short)); // position and size
    reader.SkipNameOrOrdinal();     // menu
    reader.SkipNameOrOrdinal();     // class
    reader.SkipString();            // caption
    if (style & DS_SETFONT) {
        reader.Skip(2 * sizeof(WORD) + 2 * sizeof(BYTE)); // point size, weight, italic, character set
        reader.SkipString();                              // typeface
    }
    for (WORD item = 0; item < items && !reader.Failed(); ++item) {
        reader.AlignToDword();
        const DWORD helpId = reader.Read<DWORD>();
        reader.Skip(2 * sizeof(DWORD) + 4 * sizeof(short)); // extended style, style, position, size
        const DWORD id = reader.Read<DWORD>();
        reader.SkipNameOrOrdinal(); // class
        reader.SkipNameOrOrdinal(); // text
        reader.Skip(reader.Read<WORD>()); // creation data
        ids.controls.emplace_back(id, helpId);
    }
    if (reader.Failed())
        return {};
    return ids;
}

DialogHelpIds ReadTemplateHelpIds(HINSTANCE module, UINT templateId)
{
    const AfxResourceData found =
        AfxGetResourceData(module, MAKEINTRESOURCEW(templateId), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    return found.data ? ReadDialogHelpIds(found.data, found.size) : DialogHelpIds{};
}

void ApplyTemplateHelpIds(HWND dialog, HINSTANCE module, UINT templateId)
{
    const DialogHelpIds ids = ReadTemplateHelpIds(module, templateId);
    SetHelpIdWhereMissing(dialog, ids.dialog);
    for (const auto& [control, helpId] : ids.controls)
        SetHelpIdWhereMissing(::GetDlgItem(dialog, static_cast<int>(control)), helpId);
}
