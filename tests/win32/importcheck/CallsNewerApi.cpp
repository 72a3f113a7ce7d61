// A program the import check must reject: it imports a Vista function and a
// DLL outside the permitted set. Built, never run.
#include <windows.h>

extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64(void);
extern "C" __declspec(dllimport) BOOL WINAPI GetOpenFileNameA(void*);

int main()
{
    return static_cast<int>(GetTickCount64() & 1) + GetOpenFileNameA(nullptr);
}
