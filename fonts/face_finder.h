#pragma once

#include "truetype_enum.h"

#include <windows.h>

#include <atomic>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A face as discovery entered it, for the dialog to take.
struct FoundFace {
    FaceNames names; // the reported one is the name it is listed by
    std::string sortKey; // the locale comparison's key of the name
    int embeddable;
    int enabled;
    unsigned fsType;
    LOGFONTW realisedFrom;
    int nameWidth; // the name's width in pixels, in the font the finder measures in
};

// Finds the installed faces on a thread of its own, which obtains its own
// screen device contexts, by the same walk as EnumerateTrueTypeFaces on the
// caller's thread, so the same faces come in the same order. It hands them
// over in batches: whenever faces have waited about 50 ms, and as long since
// the window showed the last batch (longer when showing it took long), it
// posts a message to the window, which then takes every face found since;
// the last batch goes as soon as the walk ends. Each walk has a generation,
// which its messages carry: the faces of a walk that was stopped are never
// taken. It measures each name in the window's font as it finds it: text
// measured on the window's thread would wait for the walk's own use of the
// fonts. It reads the switches from the lists of the paths it is given and
// sorts in the locale of the thread that starts it, so the walk never calls
// the host and orders names as the window does. Start, Stop, Take and Shown
// are for the window's thread.
class CFaceFinder : private CFontEnumClient {
public:
    CFaceFinder() = default;
    CFaceFinder(const CFaceFinder&) = delete;
    CFaceFinder& operator=(const CFaceFinder&) = delete;
    ~CFaceFinder();

    // Starts a new walk, after ending the last one. `window` gets `message`,
    // with the walk's generation as its wParam, when faces wait to be taken.
    // Names are measured in `font`; switches are read from `paths`.
    void Start(HWND window, UINT message, HFONT font, const KeyPaths& paths);
    // Ends the walk, if one runs, after the family it is at, and waits for
    // its thread to end; nothing it found is taken any more.
    void Stop();
    // A walk runs, or has faces still to be taken.
    bool Finding() const { return m_finding; }

    struct Batch {
        std::vector<FoundFace> faces;
        bool last = false; // the walk has ended, and these are the last of its faces
    };
    // The faces found since the last call, in the order entered; none for a
    // generation other than the current walk's. Throws what ended the walk,
    // if anything did.
    Batch Take(WPARAM generation);
    // The window has shown the faces it took, which it says after every batch
    // with faces: until then no further batch comes. The next batch comes no
    // sooner than about 50 ms from now, nor than thrice the time the window
    // took to show this one. The window's drawing contends with the walk for the
    // font lock; so it keeps to a quarter of the time at most.
    void Shown();

private:
    CFontEntryArray& GetFonts() override { return m_fonts; }
    void SetEnumDC(HDC dc) override { m_dc = dc; }
    HDC GetEnumDC() const override { return m_dc; }
    bool KeepWalking() override;

    void Walk();
    // Hands the faces entered since the last handover over, and posts the
    // message (Post).
    bool HandOver(bool last, std::exception_ptr failure = nullptr);
    // Posts the message unless one is on its way. False when it could not be
    // posted: the next call posts it again.
    bool Post();

    // The walk's own, touched only by its thread while it runs.
    CFontEntryArray m_fonts;
    HDC m_dc = nullptr;
    HDC m_measuring = nullptr; // with the window's font selected
    int m_handedOver = 0;
    ULONGLONG m_lastHandover = 0;

    // Shared between the walk and the window's thread.
    std::mutex m_lock;
    std::vector<FoundFace> m_waiting;
    bool m_posted = false;
    bool m_ended = false;
    std::exception_ptr m_failure;
    std::atomic<bool> m_stop{false};
    std::atomic<ULONGLONG> m_nextHandover{0}; // the earliest tick of the next batch
    ULONGLONG m_takenAt = 0;

    // Set while no walk runs.
    HWND m_window = nullptr;
    UINT m_message = 0;
    HFONT m_font = nullptr;
    KeyPaths m_paths;
    LCID m_locale = 0;
    WPARAM m_generation = 0;
    bool m_finding = false;
    std::thread m_thread;
};
