/*
 * The upload library contract.
 *
 * uplinkgate loads an upload library by the path on its command line and
 * calls one function of it. A compatible library is a 32-bit Windows DLL that
 * exports, under the undecorated name "Upload" (build with a .def file and
 * --kill-at, or extern "C" plus a .def under MSVC):
 *
 *     int __stdcall Upload(const char* arguments);
 *
 * arguments is the zero-terminated ANSI text of the upload arguments: the
 * command-line tokens after the library path, joined with single spaces,
 * double quotes kept; an empty text when there are none. It holds at most
 * 511 characters. The return value is not used. The gateway never unloads the
 * library and calls Upload at most once per run, on its only thread.
 */
#ifndef PELMORA_UPLOAD_LIBRARY_H
#define PELMORA_UPLOAD_LIBRARY_H

#ifdef __cplusplus
extern "C" {
#endif

typedef int(__stdcall* PelUploadFunction)(const char* arguments);

int __stdcall Upload(const char* arguments);

#ifdef __cplusplus
}
#endif

#endif
