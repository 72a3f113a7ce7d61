// Move-only owners of the window system's handles and GDI objects: one type
// per way of letting go, never copied, so nothing is freed twice.
#pragma once

#include <windows.h>

#include <utility>

template <typename T, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }

    T get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    T release() { return std::exchange(handle_, nullptr); }
    void reset(T handle = nullptr)
    {
        T old = std::exchange(handle_, handle);
        if (old != nullptr)
            Traits::close(old);
    }

private:
    T handle_ = nullptr;
};

struct WindowTraits {
    static void close(HWND h) { DestroyWindow(h); }
};
struct GdiTraits {
    static void close(HGDIOBJ h) { DeleteObject(h); }
};
struct MemoryDcTraits {
    static void close(HDC h) { DeleteDC(h); }
};
struct IconTraits {
    static void close(HICON h) { DestroyIcon(h); }
};
struct ModuleTraits {
    static void close(HMODULE h) { FreeLibrary(h); }
};

using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniquePalette = UniqueHandle<HPALETTE, GdiTraits>;

// A window's DC, released to that window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDc()
    {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Undoes one SelectObject before the DC goes.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectGuard() { SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};
