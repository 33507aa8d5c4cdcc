// GlyphorFaces [FILE]: every installed TrueType face, with its names in every
// language, its licence and what sets each of its switches, as CSV, for the
// administrator who names faces in the policy's lists.
#include "csv_table.h"
#include "face_rows.h"
#include "common/console_text.h"
#include "common/module_path.h"
#include "common/unique_handle.h"
#include "dialog/message_text.h"
#include "framework/afx.h"

#include <new>
#include <string>

namespace {

// What the program ends with.
enum ExitCode : int { kWritten = 0, kNotWritten = 1, kUsage = 2, kNoReport = 3 };

// The licence's words come from the English resource library beside the
// program, mapped as a resource image: none of its code runs.
constexpr DWORD kResourceImage = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;

int Fail(int code, const std::wstring& line)
{
    WriteError(L"GlyphorFaces: " + line + L"\n");
    return code;
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
}

// Writes the report to the file, or leaves none of it there.
LONG WriteFileOf(const std::wstring& path, const std::string& bytes)
{
    const HANDLE opened =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return static_cast<LONG>(::GetLastError());
    UniqueHandleObject file(opened);
    if (WriteAll(file.get(), bytes))
        return ERROR_SUCCESS;
    const LONG error = static_cast<LONG>(::GetLastError());
    file.reset();
    ::DeleteFileW(path.c_str());
    return error;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring argument = argc == 2 ? argv[1] : L"";
    if (argc > 2 || argument == L"/?" || argument == L"-h" || argument == L"--help") {
        WriteError(L"usage: GlyphorFaces [FILE]   writes every installed TrueType face, its names in every language,\n"
                   L"                             its licence and what sets its switches, as CSV (UTF-8), to FILE or\n"
                   L"                             to standard output\n");
        return kUsage;
    }
    const std::wstring program = ModulePath(nullptr);
    const UniqueHModule resources(::LoadLibraryExW(
        (program.substr(0, program.find_last_of(L'\\') + 1) + L"GlyphorRes.dll").c_str(), nullptr, kResourceImage));
    if (!resources)
        return Fail(kNoReport, L"GlyphorRes.dll not found beside GlyphorFaces.exe");
    AfxSetResourceHandle(resources.get());
    std::string report;
    try {
        report = CsvFile(FaceRecords());
    } catch (const std::bad_alloc&) {
        return Fail(kNoReport, SystemErrorText(ERROR_NOT_ENOUGH_MEMORY));
    } catch (...) {
        return Fail(kNoReport, SystemErrorText(ERROR_INTERNAL_ERROR));
    }
    if (argument.empty()) {
        if (!WriteAll(::GetStdHandle(STD_OUTPUT_HANDLE), report))
            return Fail(kNotWritten, L"cannot write to standard output: " + SystemErrorText(::GetLastError()));
        return kWritten;
    }
    const LONG error = WriteFileOf(argument, report);
    if (error != ERROR_SUCCESS)
        return Fail(kNotWritten, L"cannot write " + argument + L": " + SystemErrorText(error));
    return kWritten;
}
