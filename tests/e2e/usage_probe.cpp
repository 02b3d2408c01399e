// A hook the soak sets on the program's thread to measure the program from inside. On the
// registered message "VellixHeapInUse" sent to the main window it replies with the bytes of
// all the process's heap blocks in use: a leak shows there long before the process's pages
// grow, since freed blocks are reused first. On "VellixCountGuiObjects" it replies with the
// USER objects in the low 32 bits and the GDI objects in the high 32 bits, for Wine, whose
// GetGuiResources counts nothing.
//
// Wine accepts a handle's table index alone (a handle with a zero high word) for any of its
// generations, so walking the indexes finds every live object of the process.

#include <windows.h>

#include <cstdint>
#include <vector>

namespace {

constexpr UINT_PTR FIRST_HANDLE = 0x20;
constexpr UINT_PTR LAST_HANDLE = 0xffef;

bool isOwnWindow(HWND window) {
    DWORD process = 0;
    return IsWindow(window) && GetWindowThreadProcessId(window, &process) != 0 &&
           process == GetCurrentProcessId();
}

bool isIcon(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return false;
    // The bitmaps are copies made for the caller.
    if (info.hbmColor != nullptr)
        DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        DeleteObject(info.hbmMask);
    return true;
}

// Windows, menus, icons and cursors; USER handles sit at even indexes.
std::uint32_t countUserObjects() {
    std::uint32_t count = 0;
    for (UINT_PTR h = FIRST_HANDLE; h <= LAST_HANDLE; h += 2) {
        if (isOwnWindow(reinterpret_cast<HWND>(h)) || IsMenu(reinterpret_cast<HMENU>(h)) ||
            isIcon(reinterpret_cast<HICON>(h)))
            ++count;
    }
    return count;
}

std::uint32_t countGdiObjects() {
    std::uint32_t count = 0;
    for (UINT_PTR h = FIRST_HANDLE; h <= 0xffff; ++h) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0)
            ++count;
    }
    return count;
}

std::uint64_t heapBytesInUse() {
    std::vector<HANDLE> heaps(64);
    const DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    heaps.resize(count <= heaps.size() ? count : 0);
    std::uint64_t bytes = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0)
                bytes += entry.cbData;
        }
        HeapUnlock(heap);
    }
    return bytes;
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    usageProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    static const UINT COUNT = RegisterWindowMessageA("VellixCountGuiObjects");
    static const UINT HEAP = RegisterWindowMessageA("VellixHeapInUse");
    if (code == HC_ACTION && message != nullptr && InSendMessage()) {
        if (message->message == COUNT) {
            const std::uint64_t user = countUserObjects();
            const std::uint64_t gdi = countGdiObjects();
            ReplyMessage(static_cast<LRESULT>(gdi << 32 | user));
        } else if (message->message == HEAP) {
            ReplyMessage(static_cast<LRESULT>(heapBytesInUse()));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
