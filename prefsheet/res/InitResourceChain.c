/* The bitmap library's only code. The preferences call it after loading the
   library and add the module it returns to the modules they search for
   bitmaps. Built without the C runtime and without an entry point. */
#include <windows.h>

extern IMAGE_DOS_HEADER __ImageBase;

HMODULE WINAPI InitResourceChain(void)
{
    return (HMODULE)&__ImageBase;
}
