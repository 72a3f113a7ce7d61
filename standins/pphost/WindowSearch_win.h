// Window enumerations with a C++ callable, for the scripted user and the
// window tests: a lambda is no __stdcall callback on i686, so one template
// function of that convention calls it. The callable answers true to go on.
#pragma once

#include <windows.h>

namespace windowsearch {

template <class Visit>
BOOL CALLBACK call(HWND window, LPARAM visit)
{
    return (*reinterpret_cast<Visit*>(visit))(window) ? TRUE : FALSE;
}

template <class Visit>
void ForEachChildWindow(HWND root, Visit visit)
{
    EnumChildWindows(root, call<Visit>, reinterpret_cast<LPARAM>(&visit));
}

template <class Visit>
void ForEachThreadWindow(Visit visit)
{
    EnumThreadWindows(GetCurrentThreadId(), call<Visit>, reinterpret_cast<LPARAM>(&visit));
}

// A shown control anywhere inside `root`, through embedded sheets and
// pages; null when none shows.
inline HWND VisibleDescendant(HWND root, int id)
{
    HWND found = nullptr;
    ForEachChildWindow(root, [&found, id](HWND window) {
        if (GetDlgCtrlID(window) != id || !IsWindowVisible(window))
            return true;
        found = window;
        return false;
    });
    return found;
}

}  // namespace windowsearch
