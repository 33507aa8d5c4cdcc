#include "resolved_names.h"

#include "face_metrics.h"
#include "common/make_font.h"
#include "common/unique_handle.h"

#include <algorithm>
#include <iterator>
#include <map>
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

// The names of the face the font service makes of `font`, when it goes by
// `asked`.
std::shared_ptr<const FaceNames> FaceGoingBy(HDC dc, const LOGFONTW& font, const std::wstring& asked)
{
    const UniqueHFont made = MakeFont(font);
    if (!made)
        return nullptr;
    SelectedObject selected(dc, made.get());
    FaceMetrics metrics;
    if (!ReadFaceMetrics(dc, metrics))
        return nullptr;
    auto names = std::make_shared<FaceNames>(metrics.facename);
    ReadOwnNames(dc, *names);
    return names->GoesBy(asked) ? std::move(names) : nullptr;
}

// Keeps the first TrueType report of each face of a family.
int CALLBACK KeepFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM faces)
{
    try {
        auto& kept = *reinterpret_cast<std::map<std::wstring, LOGFONTW>*>(faces);
        if (type == TRUETYPE_FONTTYPE)
            kept.emplace(reinterpret_cast<const ENUMLOGFONTEXW*>(font)->elfFullName, *font);
        return 1;
    } catch (...) {
        return 0; // out of memory: the faces kept so far are tried
    }
}

std::shared_ptr<const FaceNames> Realise(const std::wstring& asked)
{
    const UniqueMemoryDC dc(::CreateCompatibleDC(nullptr));
    if (asked.empty() || !dc)
        return nullptr;
    LOGFONTW request{};
    request.lfCharSet = DEFAULT_CHARSET;
    // A logical font names its face in at most LF_FACESIZE - 1 units.
    if (asked.size() < LF_FACESIZE) {
        asked.copy(request.lfFaceName, asked.size());
        if (auto names = FaceGoingBy(dc.get(), request, asked))
            return names;
    }
    // A name longer than that, or one the font service does not take for its
    // face (a full name of another language than the user's, say): the faces
    // of the family whose name it begins with, the longest such name first.
    for (size_t end = asked.rfind(L' '); end != std::wstring::npos && end > 0; end = asked.rfind(L' ', end - 1)) {
        if (end >= LF_FACESIZE)
            continue;
        std::fill(std::begin(request.lfFaceName), std::end(request.lfFaceName), L'\0');
        asked.copy(request.lfFaceName, end);
        std::map<std::wstring, LOGFONTW> faces;
        ::EnumFontFamiliesExW(dc.get(), &request, &KeepFace, reinterpret_cast<LPARAM>(&faces), 0);
        for (const auto& face : faces)
            if (auto names = FaceGoingBy(dc.get(), face.second, asked))
                return names;
    }
    return nullptr;
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
