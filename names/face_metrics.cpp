#include "face_metrics.h"

#include <cwchar>
#include <memory>

bool ReadFaceMetrics(HDC dc, FaceMetrics& out)
{
    const UINT size = ::GetOutlineTextMetricsW(dc, 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICW))
        return false;
    std::unique_ptr<BYTE[]> buffer(new BYTE[size]);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.get());
    if (!::GetOutlineTextMetricsW(dc, size, metrics))
        return false;
    // The name's offset is in bytes; it must leave room for whole units.
    const UINT_PTR nameOffset = reinterpret_cast<UINT_PTR>(metrics->otmpFaceName);
    if (nameOffset >= size || nameOffset % sizeof(wchar_t) != 0)
        return false;
    const auto* name = reinterpret_cast<const wchar_t*>(buffer.get() + nameOffset);
    const wchar_t* end = std::wmemchr(name, L'\0', (size - nameOffset) / sizeof(wchar_t));
    if (!end)
        return false;
    out.facename.assign(name, end);
    out.fsType = static_cast<UINT>(metrics->otmfsType);
    return true;
}
