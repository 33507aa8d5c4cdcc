#pragma once

// A face goes by several names: the one the font service reports in the
// user's language, and each full name its own name table gives it in any
// language. It is one face under every one of them.

#include "name_table.h"

#include <windows.h>

#include <string>
#include <vector>

// The names of one face: the reported one, then the others in the order its
// name table gives them, each once as the registry matches value names
// (without regard to case).
class FaceNames {
public:
    FaceNames() = default;
    explicit FaceNames(std::wstring reported) : m_reported(std::move(reported)) {}

    const std::wstring& Reported() const { return m_reported; }
    const std::vector<TableName>& Others() const { return m_others; }

    // The face also goes by `other`, unless it goes by that name already.
    void Add(TableName other);
    bool GoesBy(const std::wstring& name) const;

    // Whether `test` holds for any of the names, the reported one first.
    template <typename Test>
    bool Any(Test test) const
    {
        if (test(m_reported))
            return true;
        for (const TableName& other : m_others)
            if (test(other.name))
                return true;
        return false;
    }

private:
    std::wstring m_reported;
    std::vector<TableName> m_others;
};

// The two names are one as the registry matches value names.
bool SameName(const std::wstring& a, const std::wstring& b);

// Adds the full names of the selected font's own name table to `names`;
// none when it has no such table or a broken one.
void ReadOwnNames(HDC dc, FaceNames& names);

// A vertical form, "@" and a face's name, is that face drawn sideways: the
// same face, which the font service also reports as a family of its own.
bool IsVerticalForm(const std::wstring& name);
// The name of the face a vertical form is of; any other name unchanged.
std::wstring HorizontalForm(const std::wstring& name);
