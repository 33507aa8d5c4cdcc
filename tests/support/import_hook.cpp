#include "import_hook.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>
#include <new>
#include <stdexcept>
#include <string>

namespace {

void** FindImportSlot(HMODULE module, const char* dll, const char* function)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress)
        return nullptr;
    for (auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         descriptor->Name; ++descriptor) {
        if (::lstrcmpiA(reinterpret_cast<const char*>(base + descriptor->Name), dll) != 0)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void WriteSlot(void** slot, const void* value)
{
    DWORD protection = 0;
    ::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = const_cast<void*>(value);
    ::VirtualProtect(slot, sizeof *slot, protection, &protection);
}

// --- handle counting --------------------------------------------------------------

struct Counts {
    long keysOpened = 0, keysClosed = 0, fontsCreated = 0, fontsDeleted = 0, dcsObtained = 0, dcsReleased = 0;
    // Recorded without allocating: the module may be this program itself,
    // whose allocations a test may be failing. The first 512 are kept.
    struct {
        char key[128];
        REGSAM access;
    } keyRequests[512];
    size_t keyRequestCount = 0;
} g_counts;

// The functions the counting ones call through to.
struct {
    decltype(&::RegOpenKeyExA) open = nullptr;
    decltype(&::RegOpenKeyExW) openWide = nullptr;
    decltype(&::RegCreateKeyExA) create = nullptr;
    decltype(&::RegCloseKey) close = nullptr;
    decltype(&::CreateFontW) createFont = nullptr;
    decltype(&::DeleteObject) deleteObject = nullptr;
    decltype(&::SelectObject) selectObject = nullptr;
    decltype(&::GetDC) getDC = nullptr;
    decltype(&::ReleaseDC) releaseDC = nullptr;
} g_counted;

void RecordKeyRequest(LPCSTR name, REGSAM access)
{
    if (g_counts.keyRequestCount == std::size(g_counts.keyRequests))
        return;
    auto& request = g_counts.keyRequests[g_counts.keyRequestCount++];
    ::lstrcpynA(request.key, name ? name : "", sizeof request.key);
    request.access = access;
}

LONG WINAPI CountedRegOpenKeyExA(HKEY parent, LPCSTR name, DWORD options, REGSAM access, PHKEY result)
{
    RecordKeyRequest(name, access);
    LONG status = g_counted.open(parent, name, options, access, result);
    g_counts.keysOpened += status == ERROR_SUCCESS;
    return status;
}

// Keys opened by UTF-16 path are counted, not recorded.
LONG WINAPI CountedRegOpenKeyExW(HKEY parent, LPCWSTR name, DWORD options, REGSAM access, PHKEY result)
{
    LONG status = g_counted.openWide(parent, name, options, access, result);
    g_counts.keysOpened += status == ERROR_SUCCESS;
    return status;
}

LONG WINAPI CountedRegCreateKeyExA(HKEY parent, LPCSTR name, DWORD reserved, LPSTR keyClass, DWORD options,
                                   REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition)
{
    RecordKeyRequest(name, access);
    LONG status = g_counted.create(parent, name, reserved, keyClass, options, access, security, result, disposition);
    g_counts.keysOpened += status == ERROR_SUCCESS;
    return status;
}

LONG WINAPI CountedRegCloseKey(HKEY key)
{
    LONG status = g_counted.close(key);
    g_counts.keysClosed += status == ERROR_SUCCESS;
    return status;
}

HFONT WINAPI CountedCreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                                DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                                DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCWSTR face)
{
    HFONT font = g_counted.createFont(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                     charSet, outPrecision, clipPrecision, quality, pitchAndFamily, face);
    g_counts.fontsCreated += font != nullptr;
    return font;
}

// The device context this thread last selected a font into: the font is
// deleted on the thread that selected it.
thread_local HDC t_fontContext = nullptr;
std::atomic<long> g_fontsDeletedWhileSelected{0};

HGDIOBJ WINAPI RememberingSelectObject(HDC dc, HGDIOBJ object)
{
    if (::GetObjectType(object) == OBJ_FONT)
        t_fontContext = dc;
    return g_counted.selectObject(dc, object);
}

BOOL WINAPI CountedDeleteObject(HGDIOBJ object)
{
    const bool font = ::GetObjectType(object) == OBJ_FONT;
    if (font && t_fontContext && ::GetCurrentObject(t_fontContext, OBJ_FONT) == object)
        ++g_fontsDeletedWhileSelected;
    BOOL deleted = g_counted.deleteObject(object);
    g_counts.fontsDeleted += font && deleted;
    return deleted;
}

HDC WINAPI CountedGetDC(HWND window)
{
    HDC dc = g_counted.getDC(window);
    g_counts.dcsObtained += dc != nullptr;
    return dc;
}

int WINAPI CountedReleaseDC(HWND window, HDC dc)
{
    int released = g_counted.releaseDC(window, dc);
    g_counts.dcsReleased += released != 0;
    return released;
}

// --- allocation failure ------------------------------------------------------------

long g_allocationsLeft = 0;
long g_allocationFailures = 0;
// The allocators the module imported, called through directly: the module
// may be this program itself, whose own calls would come back to the hook.
void* (*g_new)(size_t) = nullptr;
void* (*g_newArray)(size_t) = nullptr;

// operator new and operator new[] as the C++ runtime exports them: size_t is
// mangled as unsigned int (j) in 32-bit code, unsigned long long (y) in 64-bit.
constexpr bool kWideSize = sizeof(size_t) == 8;
constexpr const char* kOperatorNew = kWideSize ? "_Znwy" : "_Znwj";
constexpr const char* kOperatorNewArray = kWideSize ? "_Znay" : "_Znaj";

template <void* (*&Allocate)(size_t)>
void* FailingAllocation(size_t size)
{
    // The module may allocate on several threads.
    if (::InterlockedDecrement(&g_allocationsLeft) < 0) {
        ::InterlockedIncrement(&g_allocationFailures);
        throw std::bad_alloc();
    }
    return Allocate(size);
}

// --- post failure and the host's profile ------------------------------------------

std::atomic<long> g_postFailuresLeft{0};
std::atomic<long> g_postsRefused{0};
decltype(&::PostMessageA) g_post = nullptr;

BOOL WINAPI RefusingPostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (--g_postFailuresLeft < 0)
        return g_post(window, message, wParam, lParam);
    ++g_postsRefused;
    return FALSE;
}

std::atomic<long> g_beeps{0};
decltype(&::MessageBeep) g_beep = nullptr;

BOOL WINAPI SilentMessageBeep(UINT)
{
    ++g_beeps;
    return TRUE;
}

struct HostProfileState {
    std::string (*original)() = nullptr; // the host's, as std::string's C++11 ABI names it
    ULONGLONG(WINAPI* clock)() = nullptr;
    std::atomic<bool> failing{false}, fastClock{false};
    std::atomic<DWORD> delayMs{0};
    std::atomic<ULONGLONG> skipped{0};
    std::atomic<DWORD> threads[64] = {};
    std::atomic<long> calls{0};
} g_host;

std::string HookedProfileKey()
{
    const long call = g_host.calls++;
    if (call < static_cast<long>(std::size(g_host.threads)))
        g_host.threads[call] = ::GetCurrentThreadId();
    ::Sleep(g_host.delayMs);
    if (g_host.failing)
        throw "GetCurrentProfileKey: the host has no current profile";
    return g_host.original();
}

ULONGLONG WINAPI HostProfileClock()
{
    return g_host.clock() + (g_host.fastClock ? g_host.skipped += 60000 : 0);
}

// --- slow fonts ---------------------------------------------------------------------

DWORD g_fontDelayMs = 0;
decltype(&::CreateFontW) g_slowCreateFont = nullptr;

HFONT WINAPI SlowCreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                             DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                             DWORD quality, DWORD pitchAndFamily, LPCWSTR face)
{
    ::Sleep(g_fontDelayMs);
    return g_slowCreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                            outPrecision, clipPrecision, quality, pitchAndFamily, face);
}

// --- registry write failure ---------------------------------------------------------

long g_writesLeft = 0;
long g_writesRefused = 0;
decltype(&::RegSetValueExW) g_setValue = nullptr;

bool RefuseWrite()
{
    if (::InterlockedDecrement(&g_writesLeft) >= 0)
        return false;
    ::InterlockedIncrement(&g_writesRefused);
    return true;
}

LONG WINAPI RefusingRegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    return RefuseWrite() ? ERROR_ACCESS_DENIED : g_setValue(key, name, reserved, type, data, size);
}

} // namespace

ImportHook::ImportHook(HMODULE module, const char* dll, const char* function, const void* replacement)
    : m_slot(FindImportSlot(module, dll, function))
{
    if (!m_slot)
        throw std::runtime_error(std::string("the module does not import ") + function + " from " + dll);
    m_original = *m_slot;
    WriteSlot(m_slot, replacement);
}

ImportHook::~ImportHook()
{
    WriteSlot(m_slot, m_original);
}

HandleBalance::HandleBalance(HMODULE module)
    : m_open(module, "advapi32.dll", "RegOpenKeyExA", &CountedRegOpenKeyExA, g_counted.open),
      m_openWide(module, "advapi32.dll", "RegOpenKeyExW", &CountedRegOpenKeyExW, g_counted.openWide),
      m_create(module, "advapi32.dll", "RegCreateKeyExA", &CountedRegCreateKeyExA, g_counted.create),
      m_close(module, "advapi32.dll", "RegCloseKey", &CountedRegCloseKey, g_counted.close),
      m_createFont(module, "gdi32.dll", "CreateFontW", &CountedCreateFontW, g_counted.createFont),
      m_deleteObject(module, "gdi32.dll", "DeleteObject", &CountedDeleteObject, g_counted.deleteObject),
      m_selectObject(module, "gdi32.dll", "SelectObject", &RememberingSelectObject, g_counted.selectObject),
      m_getDC(module, "user32.dll", "GetDC", &CountedGetDC, g_counted.getDC),
      m_releaseDC(module, "user32.dll", "ReleaseDC", &CountedReleaseDC, g_counted.releaseDC)
{
    g_counts = Counts{};
    g_fontsDeletedWhileSelected = 0;
}

HandleBalance::~HandleBalance() = default;

long HandleBalance::OpenKeys() const { return g_counts.keysOpened - g_counts.keysClosed; }
long HandleBalance::LiveFonts() const { return g_counts.fontsCreated - g_counts.fontsDeleted; }
long HandleBalance::HeldDCs() const { return g_counts.dcsObtained - g_counts.dcsReleased; }
long HandleBalance::KeysOpenedInAll() const { return g_counts.keysOpened; }
long HandleBalance::FontsCreatedInAll() const { return g_counts.fontsCreated; }
long HandleBalance::FontsDeletedWhileSelected() const { return g_fontsDeletedWhileSelected; }

std::vector<KeyRequest> HandleBalance::KeyRequests() const
{
    std::vector<KeyRequest> requests;
    for (size_t index = 0; index < g_counts.keyRequestCount; ++index)
        requests.emplace_back(g_counts.keyRequests[index].key, g_counts.keyRequests[index].access);
    return requests;
}

SlowFonts::SlowFonts(HMODULE module, DWORD ms)
    : m_createFont(module, "gdi32.dll", "CreateFontW", &SlowCreateFontW, g_slowCreateFont)
{
    g_fontDelayMs = ms;
}

SlowFonts::~SlowFonts() = default;

RegistryWriteFailure::RegistryWriteFailure(HMODULE module, long allowed)
    : m_setValue(module, "advapi32.dll", "RegSetValueExW", &RefusingRegSetValueExW, g_setValue)
{
    g_writesLeft = allowed;
    g_writesRefused = 0;
}

RegistryWriteFailure::~RegistryWriteFailure() = default;

long RegistryWriteFailure::Refused() const { return g_writesRefused; }

AllocationFailure::AllocationFailure(HMODULE module, long allowed)
    : m_new(module, "libstdc++-6.dll", kOperatorNew, &FailingAllocation<g_new>, g_new),
      m_newArray(module, "libstdc++-6.dll", kOperatorNewArray, &FailingAllocation<g_newArray>, g_newArray)
{
    g_allocationsLeft = allowed;
    g_allocationFailures = 0;
}

AllocationFailure::~AllocationFailure() = default;

long AllocationFailure::Failures() const { return g_allocationFailures; }

PostFailure::PostFailure(HMODULE module, long failures)
    : m_post(module, "user32.dll", "PostMessageA", &RefusingPostMessageA, g_post)
{
    g_postFailuresLeft = failures;
    g_postsRefused = 0;
}

long PostFailure::Refused() const { return g_postsRefused; }

BeepCount::BeepCount(HMODULE module) : m_beep(module, "user32.dll", "MessageBeep", &SilentMessageBeep, g_beep)
{
    g_beeps = 0;
}

long BeepCount::Count() const { return g_beeps; }

HostProfile::HostProfile(HMODULE module, bool failing, DWORD delayMs, bool fastClock)
    : m_profile(module, "kyreg8.dll", "_Z20GetCurrentProfileKeyB5cxx11v", &HookedProfileKey, g_host.original),
      m_clock(module, "kernel32.dll", "GetTickCount64", &HostProfileClock, g_host.clock)
{
    g_host.failing = failing;
    g_host.delayMs = delayMs;
    g_host.fastClock = fastClock;
    g_host.skipped = 0;
    g_host.calls = 0;
}

void HostProfile::Answer() { g_host.failing = false; }

std::vector<DWORD> HostProfile::CallingThreads() const
{
    const long calls = std::min<long>(g_host.calls, std::size(g_host.threads));
    return std::vector<DWORD>(std::begin(g_host.threads), std::begin(g_host.threads) + calls);
}
