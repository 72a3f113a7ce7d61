// How long the driver waits for the printing preferences: from PPStart to
// the main window's first paint, and from OK to PPStart's return, each as a
// ratio to opening and closing an empty dialog in the same process and run.
// Run beside prefsheet.dll in a product's installation folder.
#include "BenchClock.h"
#include "LcDevMode.h"
#include "PrefSheetExports.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The moments of one opening, set by the hook.
struct Opening {
    LARGE_INTEGER start{}, painted{}, okPressed{}, returned{};
    HWND window = nullptr;
};
Opening* current = nullptr;
HHOOK hook = nullptr;

// After the first paint of a top-level dialog (its background erased, which
// sent messages show): note the time, then press OK.
LRESULT CALLBACK afterMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && current != nullptr && current->window == nullptr && message->message == WM_ERASEBKGND &&
        GetParent(message->hwnd) == nullptr) {
        char className[16] = "";
        GetClassNameA(message->hwnd, className, sizeof className);
        if (std::strcmp(className, "#32770") == 0) {
            QueryPerformanceCounter(&current->painted);
            current->window = message->hwnd;
            QueryPerformanceCounter(&current->okPressed);
            PostMessageA(message->hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

INT_PTR CALLBACK emptyProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(window, IDOK);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

// An empty dialog of the same size as the main window, from memory.
INT_PTR runEmptyDialog(HINSTANCE instance)
{
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } empty = {};
    empty.header.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    empty.header.cx = 356;
    empty.header.cy = 330;
    return DialogBoxIndirectParamA(instance, &empty.header, nullptr, emptyProc, 0);
}

template <class Run>
Opening measure(Run run)
{
    Opening opening;
    current = &opening;
    QueryPerformanceCounter(&opening.start);
    run();
    QueryPerformanceCounter(&opening.returned);
    current = nullptr;
    return opening;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder = folder.substr(0, folder.find_last_of('\\') + 1);
    HMODULE library = LoadLibraryA((folder + "prefsheet.dll").c_str());
    if (library == nullptr) {
        std::fprintf(stderr, "preferences_bench: cannot load prefsheet.dll, error %lu\n", GetLastError());
        return 1;
    }
    auto init = reinterpret_cast<PPInitFunction>(reinterpret_cast<void*>(GetProcAddress(library, "PPInit")));
    auto terminate = reinterpret_cast<PPTerminateFunction>(reinterpret_cast<void*>(GetProcAddress(library, "PPTerminate")));
    auto start = reinterpret_cast<PPStartFunction>(reinterpret_cast<void*>(GetProcAddress(library, "PPStart")));
    auto defaults = reinterpret_cast<PPDefaultGenDevModeFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "PPDefaultGenDevMode")));
    hook = SetWindowsHookExA(WH_CALLWNDPROCRET, afterMessage, nullptr, GetCurrentThreadId());
    if (hook == nullptr) {
        std::fprintf(stderr, "preferences_bench: SetWindowsHookEx failed, error %lu\n", GetLastError());
        return 1;
    }
    init();

    const int rounds = 9;
    std::vector<double> emptyPaint, emptyClose, mainPaint, mainClose;
    for (int round = 0; round < rounds + 1; ++round) {
        const Opening empty = measure([library] { runEmptyDialog(library); });
        LCDEVMODE record{};
        std::strcpy(record.dmPrinterName, "Pelmora Bench Printer");
        defaults(&record);
        PORTINFO port{};
        port.piPortType = 1;
        INKINFO ink{};
        uint32_t driverState[4] = {};
        const Opening main = measure([&] { start(&record, driverState, &port, &ink); });
        if (empty.window == nullptr || main.window == nullptr) {
            std::fprintf(stderr, "preferences_bench: a dialog did not show (is there a display?)\n");
            return 1;
        }
        if (round == 0)
            continue;   // the first opening loads fonts and classes for both
        emptyPaint.push_back(seconds(empty.start, empty.painted));
        emptyClose.push_back(seconds(empty.okPressed, empty.returned));
        mainPaint.push_back(seconds(main.start, main.painted));
        mainClose.push_back(seconds(main.okPressed, main.returned));
    }
    terminate();
    UnhookWindowsHookEx(hook);
    FreeLibrary(library);

    const double paint = median(mainPaint), anchorPaint = median(emptyPaint);
    const double close = median(mainClose), anchorClose = median(emptyClose);
    std::printf("anchor: empty dialog, open to first paint %.2f ms, OK to return %.2f ms (median of %d)\n",
                anchorPaint * 1e3, anchorClose * 1e3, rounds);
    std::printf("PPStart to the main window's first paint: %.2f ms = %.1f x the empty dialog (goal <= 3)\n",
                paint * 1e3, paint / anchorPaint);
    std::printf("OK to PPStart's return: %.2f ms = %.1f x the empty dialog\n", close * 1e3, close / anchorClose);
    return 0;
}
