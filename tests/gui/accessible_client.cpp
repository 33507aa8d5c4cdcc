#include "accessible_client.h"

UniqueAccessible AccessibleOf(HWND window)
{
    IAccessible* object = nullptr;
    ::AccessibleObjectFromWindow(window, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object));
    return UniqueAccessible(object);
}

std::wstring Read(const UniqueAccessible& object, TextGetter getter, LONG child)
{
    VARIANT which{};
    which.vt = VT_I4;
    which.lVal = child;
    BSTR text = nullptr;
    const HRESULT result = (object.get()->*getter)(which, &text);
    const UniqueHandle<BSTR, &::SysFreeString> owned(text);
    if (FAILED(result))
        return L"<failed>";
    return text ? std::wstring(text, ::SysStringLen(text)) : std::wstring();
}
