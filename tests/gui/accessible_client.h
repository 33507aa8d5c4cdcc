#pragma once

// The dialog as an accessibility client reads it, through oleacc.

#include "common/unique_handle.h"

#include <windows.h>
#include <oleacc.h>

#include <string>

using UniqueAccessible = UniqueHandle<IAccessible*, &ReleaseInterface<IAccessible>>;

// COM for the calling thread's scope, as an accessibility client has it.
struct ComApartment {
    ComApartment() { ::CoInitialize(nullptr); }
    ~ComApartment() { ::CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

// The window's client object; null when it has none.
UniqueAccessible AccessibleOf(HWND window);

// One of the texts of an object or of its child; "<failed>" when it could
// not be read.
using TextGetter = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
std::wstring Read(const UniqueAccessible& object, TextGetter getter, LONG child = CHILDID_SELF);
