#pragma once

// The driver's question, asked through the library's exports.

extern "C" {
// Is this face's switch on? The face may be named by any of its names, in any
// language, or by its vertical form ("@" and a name). The driver passes the
// selector as a 32-bit value of which only the low byte counts: non-zero asks
// the tessellation list, zero the embedding list. The administrator's policy
// answers for a face it sets, the list for any other; a switch that cannot
// be read (for want of memory) is on, and so is every switch of a null face.
bool IsEnabledForFacenameW(const wchar_t* face, int tessellation) noexcept;
// The same for a face spelt in the ANSI code page.
bool IsEnabledForFacename(const char* face, int tessellation) noexcept;
}
