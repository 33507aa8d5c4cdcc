#include "dialog_help_ids.h"

#include <cstring>

namespace {

// Reads an extended dialog template, bounds-checked: WORD-aligned fields,
// DWORD-aligned item headers, and names that are a string or an ordinal.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : m_begin(data), m_pos(data), m_end(data + size) {}

    bool Ok() const { return m_pos <= m_end; }

    template <typename T>
    T Read()
    {
        T value{};
        if (static_cast<size_t>(m_end - m_pos) >= sizeof(T))
            std::memcpy(&value, m_pos, sizeof(T));
        Skip(sizeof(T));
        return value;
    }

    void Skip(size_t bytes) { m_pos = static_cast<size_t>(m_end - m_pos) >= bytes ? m_pos + bytes : m_end + 1; }

    void SkipString()
    {
        while (m_pos < m_end && Read<WCHAR>() != 0) {
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

    void AlignToDword() { Skip((4 - static_cast<size_t>(m_pos - m_begin) % 4) % 4); }

private:
    const BYTE* m_begin;
    const BYTE* m_pos;
    const BYTE* m_end;
};

void SetHelpIdWhereMissing(HWND window, DWORD helpId)
{
    if (window && helpId && !::GetWindowContextHelpId(window))
        ::SetWindowContextHelpId(window, helpId);
}

} // namespace

void ApplyTemplateHelpIds(HWND dialog, HINSTANCE module, UINT templateId)
{
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* data = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!data)
        return;
    TemplateReader reader(data, ::SizeofResource(module, found));
    const WORD version = reader.Read<WORD>();
    const WORD signature = reader.Read<WORD>();
    if (version != 1 || signature != 0xFFFF)
        return; // only extended templates carry help ids
    SetHelpIdWhereMissing(dialog, reader.Read<DWORD>());
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
    for (WORD item = 0; item < items && reader.Ok(); ++item) {
        reader.AlignToDword();
        const DWORD helpId = reader.Read<DWORD>();
        reader.Skip(2 * sizeof(DWORD) + 4 * sizeof(short)); // extended style, style, position, size
        const DWORD id = reader.Read<DWORD>();
        reader.SkipNameOrOrdinal(); // class
        reader.SkipNameOrOrdinal(); // text
        reader.Skip(reader.Read<WORD>()); // creation data
        if (reader.Ok())
            SetHelpIdWhereMissing(::GetDlgItem(dialog, static_cast<int>(id)), helpId);
    }
}
