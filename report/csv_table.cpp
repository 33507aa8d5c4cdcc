#include "csv_table.h"

#include "common/ansi_text.h"

std::wstring CsvField(const std::wstring& text)
{
    if (text.find_first_of(L",\"\r\n") == std::wstring::npos)
        return text;
    std::wstring quoted = L"\"";
    for (wchar_t unit : text) {
        if (unit == L'"')
            quoted += L'"';
        quoted += unit;
    }
    return quoted + L'"';
}

std::wstring CsvRecord(const std::vector<std::wstring>& fields)
{
    std::wstring record;
    for (size_t index = 0; index < fields.size(); ++index)
        record += (index ? L"," : L"") + CsvField(fields[index]);
    return record + L"\r\n";
}

std::string CsvFile(const std::wstring& records)
{
    return "\xEF\xBB\xBF" + Narrowed(records, CP_UTF8);
}
