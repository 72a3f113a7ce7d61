/*
 * The web-updater library contract.
 *
 * The Updater loads a web-updater library at run time (its module prefix
 * followed by "netrefresh.DLL") and looks these exports up by name. A
 * compatible library is a 32-bit Windows DLL exporting them undecorated with
 * the __stdcall convention (build with a .def file listing the decorated
 * names and link with --kill-at, or use a .def file under MSVC). No C++
 * exception may leave an export. All texts are zero-terminated ANSI strings.
 *
 * Order of calls, all on the Updater's one thread: UpdInitializeA once after
 * loading, then any number of UpdCheckConnection, UpdCheckForUpdateA,
 * UpdDownloadUpdateExA and UpdApplyUpdateA, then UpdUninitialize once before
 * unloading. Arguments documented as "reserved" are passed as 0.
 *
 * The reference library (standins/netrefresh) documents its server protocol,
 * manifest document and package format in the README; the contract below is
 * all the Updater relies on.
 */
#ifndef PELMORA_WEB_UPDATER_LIBRARY_H
#define PELMORA_WEB_UPDATER_LIBRARY_H

/* Lets portable code use the result codes without the Windows headers. */
#if defined(_WIN32)
#define NETREFRESH_CALL __stdcall
#else
#define NETREFRESH_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && defined(__cplusplus)
/* Every integer argument is 32 bits wide in 32- and 64-bit builds alike. */
static_assert(sizeof(unsigned long) == 4, "unsigned long is 32 bits on Windows");
#endif

/* The caller's allocator: returns a block of byteCount bytes (not cleared),
 * or null when memory is exhausted. The caller releases every block it hands
 * out this way. */
typedef void*(NETREFRESH_CALL* UpdAllocFunction)(unsigned long byteCount);

/* Results of UpdCheckForUpdateA. */
#define UPD_UPDATES_INET_CONN_NOT_AVAILABLE 0 /* no internet connection */
#define UPD_UPDATES_SERVER_NO_RESPONSE 1      /* the server gave no answer document */
#define UPD_UPDATES_NOT_AVAILABLE 2           /* nothing newer than the current version */
#define UPD_UPDATES_AVAILABLE 3               /* a newer package exists */
#define UPD_INSUFFICIENT_USER_PRIVILEGE 4     /* newer package, user may not install it */
#define UPD_INVALID_RESPONSE_DOC 5            /* the answer document is not valid */

/* Size of the block that receives the newer version text, terminator included. */
#define UPD_VERSION_BLOCK_SIZE 20
/* Size of the caller's block that receives the downloaded file's path. */
#define UPD_PATH_BLOCK_SIZE 260

/* Results of UpdDownloadUpdateExA: 0 is success, every other value a failure. */
#define UPD_DOWNLOAD_OK 0
#define UPD_DOWNLOAD_SERVER_NO_RESPONSE 1   /* manifest or package could not be fetched */
#define UPD_DOWNLOAD_INVALID_RESPONSE_DOC 2 /* the manifest is not valid */
#define UPD_DOWNLOAD_PACKAGE_CORRUPT 3      /* size or SHA-256 differs from the manifest */
#define UPD_DOWNLOAD_LOCAL_ERROR 4          /* folder, file or memory could not be had */
#define UPD_DOWNLOAD_BAD_ARGUMENT 5         /* missing URL or path holder */

/* Results of UpdApplyUpdateA: only 1 is success. */
#define UPD_APPLY_FAILED 0    /* bad arguments, unreadable package or a write failure */
#define UPD_APPLY_SUCCEEDED 1 /* every entry of the package is installed */
#define UPD_APPLY_REFUSED 2   /* damaged archive, or an entry that would land outside
                                 the destination; nothing has been written */

/* Results of UpdCheckConnection: only 1 means reachable. */
#define UPD_CONNECTION_NOT_AVAILABLE 0
#define UPD_CONNECTION_AVAILABLE 1
#define UPD_CONNECTION_NOT_CONFIGURED 2 /* the library does not know its server */

/* Remembers the caller's allocator for paths that do not fit the caller's
 * block. The six reserved arguments are 0. Returns 1. */
int NETREFRESH_CALL UpdInitializeA(UpdAllocFunction allocate, unsigned long reserved1,
                                   unsigned long reserved2, unsigned long reserved3,
                                   unsigned long reserved4, unsigned long reserved5,
                                   unsigned long reserved6);

/* Forgets the allocator. Returns 1. */
int NETREFRESH_CALL UpdUninitialize(void);

/* Tests whether the update server answers. Returns 1 when it does; any other
 * value means not reachable. */
int NETREFRESH_CALL UpdCheckConnection(void);

/* Asks the server at url whether a package newer than currentVersion (four
 * numeric parts, "1.2.3.4") exists. newVersion is a block of
 * UPD_VERSION_BLOCK_SIZE zero bytes; on UPD_UPDATES_AVAILABLE it receives the
 * newer version, at most 19 characters and a terminator, and is otherwise
 * left alone. timeOut is in seconds for each attempt; retryCount is the
 * number of further attempts after a failed one. Returns UPD_UPDATES_... */
int NETREFRESH_CALL UpdCheckForUpdateA(const char* url, const char* currentVersion,
                                       char* newVersion, unsigned long timeOut,
                                       unsigned long retryCount, unsigned long reserved);

/* Downloads the package that url announces. detail, when not null, receives 0
 * on success or the Windows error code behind the failure. pathHolder points
 * at a pointer to the caller's block of UPD_PATH_BLOCK_SIZE bytes. On
 * UPD_DOWNLOAD_OK the pointer designates the local path of the package:
 * written into the caller's block when it fits, otherwise the pointer is
 * replaced by a block from the allocator of UpdInitializeA (the caller then
 * releases both blocks). On failure no file is left and the pointer is
 * unchanged. timeOut (seconds) and retryCount as for UpdCheckForUpdateA. */
int NETREFRESH_CALL UpdDownloadUpdateExA(const char* url, unsigned long reserved1,
                                         unsigned long* detail, unsigned long reserved2,
                                         unsigned long timeOut, unsigned long retryCount,
                                         char** pathHolder, unsigned long reserved3);

/* Installs the content of the package file into destinationDirectory, which
 * must exist. Returns UPD_APPLY_SUCCEEDED (1) only when every entry has been
 * written. */
int NETREFRESH_CALL UpdApplyUpdateA(const char* packagePath, const char* destinationDirectory,
                                    unsigned long reserved1, unsigned long reserved2,
                                    unsigned long reserved3);

/* Pointer types for GetProcAddress. */
typedef int(NETREFRESH_CALL* UpdInitializeAFunction)(UpdAllocFunction, unsigned long,
                                                     unsigned long, unsigned long,
                                                     unsigned long, unsigned long,
                                                     unsigned long);
typedef int(NETREFRESH_CALL* UpdUninitializeFunction)(void);
typedef int(NETREFRESH_CALL* UpdCheckConnectionFunction)(void);
typedef int(NETREFRESH_CALL* UpdCheckForUpdateAFunction)(const char*, const char*, char*,
                                                         unsigned long, unsigned long,
                                                         unsigned long);
typedef int(NETREFRESH_CALL* UpdDownloadUpdateExAFunction)(const char*, unsigned long,
                                                           unsigned long*, unsigned long,
                                                           unsigned long, unsigned long,
                                                           char**, unsigned long);
typedef int(NETREFRESH_CALL* UpdApplyUpdateAFunction)(const char*, const char*, unsigned long,
                                                      unsigned long, unsigned long);

#ifdef __cplusplus
}
#endif

#endif
