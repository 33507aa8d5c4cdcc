#include "live_region.h"

namespace {

// The system's live setting property and its polite value, which the SDK's
// headers of this compiler lack.
const GUID kLiveSettingProperty = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;

HRESULT CreatePropertyServices(IAccPropServices** services)
{
    return ::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(services));
}

} // namespace

CLiveRegion::~CLiveRegion()
{
    Detach();
}

void CLiveRegion::Attach(HWND window)
{
    m_window = window;
    if (!window)
        return;
    IAccPropServices* services = nullptr;
    HRESULT created = CreatePropertyServices(&services);
    if (created == CO_E_NOTINITIALIZED && m_apartment.Enter())
        created = CreatePropertyServices(&services);
    if (FAILED(created) || !services)
        return;
    m_services.reset(services);
    VARIANT polite{};
    polite.vt = VT_I4;
    polite.lVal = kPolite;
    m_services.get()->SetHwndProp(window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty,
                                  polite);
}

void CLiveRegion::Detach()
{
    if (m_services && m_window)
        m_services.get()->ClearHwndProps(m_window, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                         &kLiveSettingProperty, 1);
    m_services.reset();
    m_apartment.Leave();
    m_window = nullptr;
}

void CLiveRegion::Show(const std::wstring& text, bool announce)
{
    if (!m_window || text == m_text)
        return;
    m_text = text;
    ::SetWindowTextW(m_window, m_text.c_str());
    if (announce)
        ::NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, m_window, OBJID_CLIENT, CHILDID_SELF);
}
