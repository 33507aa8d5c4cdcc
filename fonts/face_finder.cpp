#include "face_finder.h"

#include "common/unique_handle.h"

#include <algorithm>
#include <utility>

namespace {

// How long found faces wait before they are handed over, and since the
// window showed the last batch.
constexpr ULONGLONG kHandoverMs = 50;
// The window has taken a batch and not yet shown it.
constexpr ULONGLONG kNotShownYet = ~0ULL;
// How many times the time the window took to show a batch the next waits.
constexpr ULONGLONG kShowingShare = 3;

} // namespace

CFaceFinder::~CFaceFinder()
{
    Stop();
}

void CFaceFinder::Start(HWND window, UINT message, HFONT font, const KeyPaths& paths)
{
    Stop();
    m_fonts.RemoveAll();
    m_handedOver = 0;
    m_lastHandover = ::GetTickCount64();
    m_waiting.clear();
    m_posted = m_ended = false;
    m_failure = nullptr;
    m_window = window;
    m_message = message;
    m_font = font;
    m_paths = paths;
    // The host may have set a locale of its own on the window's thread.
    m_locale = ::GetThreadLocale();
    m_nextHandover = 0;
    ++m_generation;
    m_finding = true;
    m_thread = std::thread(&CFaceFinder::Walk, this);
}

void CFaceFinder::Stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    m_stop = false;
    // A message of the walk still on its way is for a generation past.
    ++m_generation;
    m_finding = false;
    std::lock_guard<std::mutex> lock(m_lock);
    m_waiting.clear();
}

CFaceFinder::Batch CFaceFinder::Take(WPARAM generation)
{
    Batch batch;
    if (generation != m_generation || !m_finding)
        return batch;
    std::exception_ptr failure;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        batch.faces.swap(m_waiting);
        batch.last = m_ended;
        failure = std::exchange(m_failure, nullptr);
        m_posted = false;
    }
    m_nextHandover = kNotShownYet;
    m_takenAt = ::GetTickCount64();
    if (batch.last || failure)
        m_finding = false;
    if (failure)
        std::rethrow_exception(failure);
    return batch;
}

bool CFaceFinder::KeepWalking()
{
    if (m_stop)
        return false;
    // A batch goes when faces wait for it: the window shows each batch
    // before it asks for the next.
    const ULONGLONG next = m_nextHandover;
    if (next != kNotShownYet && m_handedOver < m_fonts.GetSize() &&
        ::GetTickCount64() >= std::max(next, m_lastHandover + kHandoverMs))
        HandOver(false);
    return true;
}

void CFaceFinder::Shown()
{
    const ULONGLONG now = ::GetTickCount64();
    m_nextHandover = now + std::max(kHandoverMs, kShowingShare * (now - m_takenAt));
}

// Nothing may leave the thread: what ends the walk is handed over, to be
// thrown again on the window's thread.
void CFaceFinder::Walk()
{
    ::SetThreadLocale(m_locale);
    bool posted = false;
    try {
        const UniqueScreenDC measuring(::GetDC(nullptr));
        SelectedObject font(measuring.get(), m_font ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
        m_measuring = measuring.get();
        EnumerateTrueTypeFaces(*this, m_paths);
        posted = HandOver(true);
    } catch (...) {
        posted = HandOver(true, std::current_exception());
    }
    m_measuring = nullptr;
    // Every face is handed over: the message for them is posted again until
    // it goes or the window stops the walk.
    while (!posted && !m_stop) {
        ::Sleep(kHandoverMs);
        posted = Post();
    }
}

bool CFaceFinder::HandOver(bool last, std::exception_ptr failure)
{
    m_lastHandover = ::GetTickCount64();
    std::vector<FoundFace> found;
    if (!failure) {
        found.reserve(static_cast<size_t>(m_fonts.GetSize() - m_handedOver));
        for (; m_handedOver < m_fonts.GetSize(); ++m_handedOver) {
            const CFontEntry& entry = *m_fonts.GetAt(m_handedOver);
            const std::wstring& name = entry.GetFacename();
            SIZE extent{};
            ::GetTextExtentPoint32W(m_measuring, name.c_str(), static_cast<int>(name.size()), &extent);
            found.push_back({entry.Names(), m_fonts.SortKeyAt(m_handedOver), entry.m_embeddable, entry.m_enabled,
                             entry.m_fsType, entry.m_realisedFrom, extent.cx});
        }
    }
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_waiting.empty())
            m_waiting.swap(found);
        else
            m_waiting.insert(m_waiting.end(), found.begin(), found.end());
        m_ended = last;
        if (failure)
            m_failure = failure;
    }
    return Post();
}

bool CFaceFinder::Post()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_posted)
            return true;
        m_posted = true;
    }
    if (::PostMessageA(m_window, m_message, m_generation, 0))
        return true;
    // A full queue, say: the next handover tries again.
    std::lock_guard<std::mutex> lock(m_lock);
    m_posted = false;
    return false;
}
