#pragma once

#include <stdexcept>

// A step of a dialog script that cannot go on: a window that never came, an
// item that is not listed. The session reports it and closes the dialog.
struct DriverFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};
