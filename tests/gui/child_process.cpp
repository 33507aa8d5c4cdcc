#include "child_process.h"

#include "window_search.h"

#include <stdexcept>
#include <vector>

ChildProcess::ChildProcess(const std::string& commandLine, const std::string& directory)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          directory.empty() ? nullptr : directory.c_str(), &startup, &started))
        throw std::runtime_error("cannot start " + commandLine + ", error " + std::to_string(::GetLastError()));
    UniqueHandleObject thread(started.hThread);
    m_process.reset(started.hProcess);
    m_id = started.dwProcessId;
}

ChildProcess::~ChildProcess()
{
    if (!WaitForExit(0))
        ::TerminateProcess(m_process.get(), 1);
}

bool ChildProcess::WaitForExit(DWORD timeoutMs) const
{
    return ::WaitForSingleObject(m_process.get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_process.get(), &code);
    return code;
}

DWORD RunToEnd(const std::string& commandLine)
{
    ChildProcess child(commandLine, "");
    child.WaitForExit(kWindowTimeoutMs);
    return child.ExitCode();
}
