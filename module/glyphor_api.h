#pragma once

// The exports of Glyphor.dll as a driver that loads it at run time sees them:
// cdecl functions under undecorated names, found with GetProcAddress under
// the names below. The same for the 32-bit and the 64-bit build: 64-bit code
// has one calling convention, which __cdecl then names. For drivers written
// in C as well as in C++.

#include <windows.h>

#ifndef __cplusplus
#include <stdbool.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

// The names to pass to GetProcAddress.
#define GLYPHOR_RUN_DIALOG_EXPORT "runGlyphorDialog"
#define GLYPHOR_IS_ENABLED_FOR_FACENAME_EXPORT "IsEnabledForFacename"
#define GLYPHOR_IS_ENABLED_FOR_FACENAME_W_EXPORT "IsEnabledForFacenameW"
#define GLYPHOR_IS_COLD_START_EXPORT "IsColdStart"
#define GLYPHOR_SET_ALL_TO_DEFAULTS_EXPORT "SetAllToDefaults"

// runGlyphorDialog: shows the font selection dialog and returns when the user
// has closed it. OK has then written the switches whose checks the user
// changed, Cancel none of them (a write the registry refuses is told to the
// user, and the dialog stays open until it is saved or the user cancels).
// Defaults is a command, not a change of checks: once the user confirms it,
// the lists are reset at once, and Cancel afterwards does not undo it. The
// dialog has no owner window: it is modal to this call, not to any of the
// host's windows, which stay enabled (a host that wants its window disabled
// while the dialog is open disables it around the call). Call it on a thread
// that can run a message loop, normally the host's user-interface thread: the
// dialog's modal loop runs on the calling thread, which also dispatches the
// messages of that thread's other windows meanwhile. One dialog is open in a
// process at a time: a call while it is open, from any thread, brings it to
// the front and returns (waiting up to a second for the window of a dialog
// that is still opening). The dialog finds the faces on a thread of its own,
// which has ended when the call returns: the host may unload the library at
// once. Never from DllMain. No exception leaves it.
// The dialog's resources come from GlyphorRes.dll, looked for beside
// Glyphor.dll and then in the host program's folder, nowhere else; without
// it the call shows "GlyphorRes.dll not found" and returns.
// It returns IDOK (1) when the user pressed OK and the changes were saved;
// IDCANCEL (2) when the user closed the dialog with Cancel, Esc or the close
// box, or when a failure inside the open dialog (running out of memory, say)
// closed it, which saves nothing more; 0 when no dialog was shown: the
// resource library or its template is missing, the window could not be
// made, or another dialog was open. A caller that takes the result as void
// is unaffected: under cdecl the result is left in a register.
typedef int(__cdecl* RunGlyphorDialogFn)(void);

// IsEnabledForFacenameW (ordinal 5): true when the face's switch is on, that
// is when the list the selector picks names the face by none of its names,
// unless the administrator's policy (Software\Policies\Glyphor) sets that
// switch, under any of its names. A face goes by the full name the font
// service reports in the user's language (the outline metrics' face name,
// the enumeration's full name) and by every full name of its own name
// table, in every language. Its vertical form ("@" and a name) answers as
// the face. Ask with the name as the font service gives it, in UTF-16: use
// this one. The selector is a 32-bit value of which only the low byte
// counts: non-zero asks the tessellation list, zero the embedding list. A
// name the list holds as it is asked answers at once; any other is looked up
// once per process, by realising it (on a device context of the calling
// thread's own), and is taken for a face only when the face realised goes by
// that very name.
typedef bool(__cdecl* IsEnabledForFacenameWFn)(const wchar_t* face, int tessellation);

// IsEnabledForFacename (ordinal 2): the same for a name in the ANSI code page,
// for drivers written before IsEnabledForFacenameW. It answers as
// IsEnabledForFacenameW for the name converted from the code page, so it
// cannot ask for a face whose names the code page cannot spell, and a name
// the code page spells only by best fit ("Cafe" for "Café") asks for the face
// that is named so, if any.
typedef bool(__cdecl* IsEnabledForFacenameFn)(const char* face, int tessellation);

// IsColdStart: true when the profile lacks either list (or cannot be written).
typedef bool(__cdecl* IsColdStartFn)(void);

// SetAllToDefaults: brings both lists to the built-in defaults (or to the
// faces the administrator's DefaultNeverEmbed policy names), leaving alone
// the value of a face whose switch in a list a policy sets, so that the
// user's own choice stands when the policy is lifted. The LockAll policy
// does not stop it: it is the host's command. Returns ERROR_SUCCESS (0) only
// when the lists hold exactly that; otherwise the first registry error met:
// that of opening the profile's General key for writing
// (ERROR_FILE_NOT_FOUND when the profile has no General key,
// ERROR_ACCESS_DENIED when it may not be written), when nothing changes, or
// that of a later step; ERROR_BUSY (170) when another writer (another
// process resetting or rewriting the lists, or an administrator's tool
// rewriting the policy) kept changing them for about a second, which the
// call spends trying again: the lists may then hold the defaults in part,
// and the caller calls again, at once or later; ERROR_NOT_ENOUGH_MEMORY (8)
// when memory ran out and ERROR_INTERNAL_ERROR (1359) for any other failure.
// No list is deleted on the way: a query meanwhile never finds a cold start.
typedef LONG(__cdecl* SetAllToDefaultsFn)(void);

// No exception leaves IsEnabledForFacename, IsEnabledForFacenameW, IsColdStart
// or SetAllToDefaults: when memory runs out, the queries answer true (as for
// a store that cannot be read) and IsColdStart false; a null face is on.
// None of the five needs GlyphorRes.dll, and none calls the host while
// Glyphor.dll loads: the host's profile is asked for at the first call. When
// the host cannot name it (GetCurrentProfileKey throws), the profile counts
// as one without General: every switch is on, nothing is written, and the
// question is asked again at the first call a second or more later. The
// host's functions are called only on the thread that called an export,
// never on a thread of the library's own, nor while the library holds a lock.

#ifdef __cplusplus
}
#endif
