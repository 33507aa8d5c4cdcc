#define AFX_BUILD
#include "afx.h"

namespace {

bool Matches(const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (entry.nMessage != message)
        return false;
    switch (message) {
    case WM_COMMAND:
        return entry.nCode == HIWORD(wParam) && entry.nID == LOWORD(wParam);
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return header && entry.nCode == header->code && entry.nID == header->idFrom;
    }
    default:
        return true;
    }
}

LRESULT Call(CCmdTarget* target, const AFX_MSGMAP_ENTRY& entry, WPARAM wParam, LPARAM lParam)
{
    const AFX_PMSG_ANY& handler = entry.handler;
    switch (entry.nSig) {
    case AfxSig_vv:
        (target->*handler.pfn)();
        return 0;
    case AfxSig_vNMHDRpl: {
        LRESULT result = 0;
        (target->*handler.pfn_NOTIFY)(reinterpret_cast<NMHDR*>(lParam), &result);
        return result;
    }
    case AfxSig_bHELPINFO: {
        return (target->*handler.pfn_HELPINFO)(reinterpret_cast<HELPINFO*>(lParam));
    }
    case AfxSig_vwii: {
        (target->*handler.pfn_SIZE)(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)),
                           static_cast<short>(HIWORD(lParam)));
        return 0;
    }
    case AfxSig_vMINMAXINFO: {
        (target->*handler.pfn_MINMAXINFO)(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    }
    case AfxSig_lwl:
        return (target->*handler.pfn_MESSAGE)(wParam, lParam);
    case AfxSig_viDRAWITEM:
        (target->*handler.pfn_DRAWITEM)(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case AfxSig_end:
        break;
    }
    return 0;
}

} // namespace

CCmdTarget::~CCmdTarget() = default;

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY noEntries[] = {{0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, noEntries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

bool CCmdTarget::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry) {
            if (Matches(*entry, message, wParam, lParam)) {
                *result = Call(this, *entry, wParam, lParam);
                return true;
            }
        }
    }
    return false;
}
