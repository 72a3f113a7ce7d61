// Updater: one update pass, no window, exit code 0 whatever happened; the
// log and the settings flags tell the outcome.
#include "UpdaterMain.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    try {
        return runUpdater(commandLine != nullptr ? commandLine : "");
    } catch (...) {
        return 0;
    }
}
