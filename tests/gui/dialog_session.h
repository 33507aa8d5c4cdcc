#pragma once

#include "dialog_window.h"

#include "tests/support/glyphor_library.h"

#include <functional>
#include <map>
#include <string>

// When a dialog script starts: once every face is listed, or as soon as the
// dialog is open, while faces are still being found.
enum class ScriptStart { EveryFaceListed, AtOnce };

// Runs the font selection dialog of `glyphor` on the calling thread while
// `script` works it from a second thread, and returns once both are done
// what the dialog entry returned: IDOK or IDCANCEL as the dialog was closed,
// 0 when none was shown. A script that fails is reported as a test failure;
// a dialog that it left open, with any question it was asking, is cancelled.
int RunDialogSession(const GlyphorLibrary& glyphor, const std::function<void(const DialogWindow&)>& script,
                      ScriptStart start = ScriptStart::EveryFaceListed);

// A session that only presses `button` (OK or Cancel) once the dialog is open.
int RunDialogAndClose(const GlyphorLibrary& glyphor, int button);

// The check box of every listed face as the dialog opens; then cancelled.
// Empty when the dialog did not open.
std::map<std::string, bool> CheckStatesOnOpening(const GlyphorLibrary& glyphor);
