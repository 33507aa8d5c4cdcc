#include "resolved_names.h"

#include "face_metrics.h"
#include "common/make_font.h"
#include "common/unique_handle.h"

#include <mutex>
#include <unordered_map>

namespace {

// How long a name that no face went by is taken for none, in ms.
constexpr ULONGLONG kRetryUnknownAfterMs = 1000;
// The most names kept: a caller asking for ever new names costs memory no
// further than this.
constexpr size_t kMostKept = 4096;

struct Resolution {
    std::shared_ptr<const FaceNames> names;
    ULONGLONG at = 0;
};

std::shared_ptr<const FaceNames> Realise(const std::wstring& asked)
{
    // A logical font names its face in at most LF_FACESIZE - 1 units.
    if (asked.empty() || asked.size() >= LF_FACESIZE)
        return nullptr;
    const UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (!dc)
        return nullptr;
    LOGFONTW request{};
    request.lfCharSet = DEFAULT_CHARSET;
    asked.copy(request.lfFaceName, asked.size());
    const UniqueHFont font = MakeFont(request);
    if (!font)
        return nullptr;
    SelectedObject selected(dc.get(), font.get());
    FaceMetrics metrics;
    if (!ReadFaceMetrics(dc.get(), metrics))
        return nullptr;
    auto names = std::make_shared<FaceNames>(metrics.facename);
    ReadOwnNames(dc.get(), *names);
    return names->GoesBy(asked) ? std::move(names) : nullptr;
}

} // namespace

std::shared_ptr<const FaceNames> ResolvedFaceNames(const std::wstring& asked)
{
    static std::mutex lock;
    static std::unordered_map<std::wstring, Resolution> kept;
    const ULONGLONG now = ::GetTickCount64();
    {
        std::lock_guard<std::mutex> held(lock);
        const auto found = kept.find(asked);
        if (found != kept.end() && (found->second.names || now - found->second.at < kRetryUnknownAfterMs))
            return found->second.names;
    }
    // Realised without the lock: another thread's question need not wait for it.
    std::shared_ptr<const FaceNames> names = Realise(asked);
    std::lock_guard<std::mutex> held(lock);
    if (kept.size() >= kMostKept)
        kept.clear();
    kept[asked] = {names, now};
    return names;
}
