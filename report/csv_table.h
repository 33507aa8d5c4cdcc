#pragma once

// A table as a CSV file that a spreadsheet opens as it is: RFC 4180 fields
// and lines, in UTF-8 with a byte order mark.

#include <string>
#include <vector>

// One field: quoted, its quotes doubled, when it holds a comma, a quote or a
// line break; as it is otherwise.
std::wstring CsvField(const std::wstring& text);

// One record: its fields, comma-separated, ended by CR LF.
std::wstring CsvRecord(const std::vector<std::wstring>& fields);

// The bytes of a file of these records.
std::string CsvFile(const std::wstring& records);
