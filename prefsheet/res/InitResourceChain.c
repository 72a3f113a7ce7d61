/* The bitmap library's only code. The preferences call it after loading the
   library; it answers the module that holds the bitmaps, which the
   preferences search after the resource library. Built without the C
   runtime and without an entry point. */
#include <windows.h>

extern IMAGE_DOS_HEADER __ImageBase;

HMODULE WINAPI InitResourceChain(void)
{
    return (HMODULE)&__ImageBase;
}
