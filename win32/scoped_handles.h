#pragma once

#include <windows.h>

#include <commctrl.h>

namespace vellix {

// Owns one handle and gives it back to the system with Release when it goes, on every path
// exactly once. Moves, never copies.
template <typename Handle, BOOL(WINAPI* Release)(Handle)> class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    // Hands the handle to a new owner, such as a control that releases it itself.
    Handle release() {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void reset(Handle handle = nullptr) {
        if (handle_ != nullptr && handle_ != handle)
            Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

// An icon loaded at a size of the program's choosing (not shared with the system).
using ScopedIcon = ScopedHandle<HICON, DestroyIcon>;
using ScopedImageList = ScopedHandle<HIMAGELIST, ImageList_Destroy>;
using ScopedMenu = ScopedHandle<HMENU, DestroyMenu>;

inline BOOL WINAPI deleteFont(HFONT font) {
    return DeleteObject(font);
}
// A font the program created for a window; the window's controls only borrow it.
using ScopedFont = ScopedHandle<HFONT, deleteFont>;

inline BOOL WINAPI deleteBitmap(HBITMAP bitmap) {
    return DeleteObject(bitmap);
}
using ScopedBitmap = ScopedHandle<HBITMAP, deleteBitmap>;

inline BOOL WINAPI deleteMemoryDc(HDC dc) {
    return DeleteDC(dc);
}
// A memory device context the program created.
using ScopedMemoryDc = ScopedHandle<HDC, deleteMemoryDc>;

// A COM interface the program holds, released once.
template <typename Interface> class ScopedComInterface {
public:
    ScopedComInterface() = default;
    ScopedComInterface(const ScopedComInterface&) = delete;
    ScopedComInterface& operator=(const ScopedComInterface&) = delete;
    ~ScopedComInterface() {
        if (interface_ != nullptr)
            interface_->Release();
    }

    Interface* get() const { return interface_; }
    // Where a creating call writes the interface; the one held before is released first.
    void** put() {
        if (interface_ != nullptr)
            interface_->Release();
        interface_ = nullptr;
        return reinterpret_cast<void**>(&interface_);
    }

private:
    Interface* interface_ = nullptr;
};

// COM on the calling thread, in a single-threaded apartment, from construction to destruction
// when it could be started (ShellExecute and the accessibility services want it).
class ScopedComApartment {
public:
    ScopedComApartment()
        : started_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ScopedComApartment(const ScopedComApartment&) = delete;
    ScopedComApartment& operator=(const ScopedComApartment&) = delete;
    ~ScopedComApartment() {
        if (started_)
            CoUninitialize();
    }

private:
    bool started_;
};

// The clipboard, held open from construction to destruction when opening succeeded. Another
// program holding it open makes the opening fail.
class ScopedClipboard {
public:
    explicit ScopedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ScopedClipboard(const ScopedClipboard&) = delete;
    ScopedClipboard& operator=(const ScopedClipboard&) = delete;
    ~ScopedClipboard() {
        if (open_)
            CloseClipboard();
    }

    bool isOpen() const { return open_; }

private:
    bool open_;
};

// The bytes of a global memory block, locked from construction to destruction. A null handle
// or a failed lock gives no bytes and a size of 0.
class ScopedGlobalLock {
public:
    explicit ScopedGlobalLock(HANDLE memory)
        : memory_(memory), bytes_(memory != nullptr ? GlobalLock(memory) : nullptr) {}
    ScopedGlobalLock(const ScopedGlobalLock&) = delete;
    ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;
    ~ScopedGlobalLock() {
        if (bytes_ != nullptr)
            GlobalUnlock(memory_);
    }

    const char* bytes() const { return static_cast<const char*>(bytes_); }
    // The block's size as the system reports it, which may exceed what its writer put in.
    SIZE_T size() const { return bytes_ != nullptr ? GlobalSize(memory_) : 0; }

private:
    HANDLE memory_;
    void* bytes_;
};

} // namespace vellix
