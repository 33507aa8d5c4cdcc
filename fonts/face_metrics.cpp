#include "face_metrics.h"

#include <cstring>
#include <memory>

bool ReadFaceMetrics(HDC dc, FaceMetrics& out)
{
    const UINT size = ::GetOutlineTextMetricsA(dc, 0, nullptr);
    if (size < sizeof(OUTLINETEXTMETRICA))
        return false;
    std::unique_ptr<BYTE[]> buffer(new BYTE[size]);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICA*>(buffer.get());
    if (!::GetOutlineTextMetricsA(dc, size, metrics))
        return false;
    const UINT_PTR nameOffset = reinterpret_cast<UINT_PTR>(metrics->otmpFaceName);
    if (nameOffset >= size)
        return false;
    const char* name = reinterpret_cast<const char*>(buffer.get() + nameOffset);
    const void* end = std::memchr(name, '\0', size - nameOffset);
    if (!end)
        return false;
    out.facename.assign(name, static_cast<const char*>(end));
    out.fsType = static_cast<UINT>(metrics->otmfsType);
    return true;
}
