#include "collection_checks.h"

#include <windows.h>

#include <gtest/gtest.h>

CFontEntry* FirstEqualEntry(const CFontEntryArray& fonts, const std::wstring& name)
{
    for (int index = 0; index < fonts.GetSize(); ++index)
        if (fonts.GetAt(index)->GetFacename() == name)
            return fonts.GetAt(index);
    return nullptr;
}

CFontEntry* FirstLocaleEqualEntry(const CFontEntryArray& fonts, const wchar_t* name)
{
    for (int index = 0; index < fonts.GetSize(); ++index)
        if (::lstrcmpW(fonts.GetAt(index)->GetFacename().c_str(), name) == 0)
            return fonts.GetAt(index);
    return nullptr;
}

void ExpectConsistent(const CFontEntryArray& fonts)
{
    for (int index = 0; index < fonts.GetSize(); ++index) {
        const CFontEntry* entry = fonts.GetAt(index);
        ASSERT_NE(entry, nullptr) << "entry " << index;
        const std::wstring& name = entry->GetFacename();
        EXPECT_TRUE(entry->m_embeddable == 0 || entry->m_embeddable == 1) << name << ": " << entry->m_embeddable;
        EXPECT_TRUE(entry->m_enabled == 0 || entry->m_enabled == 1) << name << ": " << entry->m_enabled;
        EXPECT_EQ(fonts.FindByFacename(name), FirstEqualEntry(fonts, name)) << name << " at " << index;
        EXPECT_EQ(fonts.FindByFacenameLocale(name.c_str()), FirstLocaleEqualEntry(fonts, name.c_str()))
            << name << " at " << index;
    }
}
