#pragma once

#include "common/unique_handle.h"

#include <string>

// A program started by a test, ended when the test lets go of it.
class ChildProcess {
public:
    ChildProcess(const std::string& commandLine, const std::string& directory);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    DWORD Id() const { return m_id; }
    bool WaitForExit(DWORD timeoutMs) const;
    DWORD ExitCode() const;

private:
    UniqueHandleObject m_process;
    DWORD m_id = 0;
};

// Runs a program to its end; its exit code, or STILL_ACTIVE when it hung.
DWORD RunToEnd(const std::string& commandLine);
