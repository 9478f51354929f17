#pragma once

// The few kernel services the camera code calls: the process id, text
// conversion from UTF-16, and writing a file through a handle.
//
// The platform's ANSI code page is UTF-8. A file created with
// CREATE_ALWAYS is written beside its final name and takes that name only
// when its handle is closed after every write succeeded, so an existing
// file is never left truncated or half written, and a failure at any step
// leaves nothing beside it. A file that is replaced keeps its permission
// bits; a new one gets those an ordinary create under the process umask
// gives. A name that is a symbolic link is followed: the file it points to
// is replaced and the link stays.

#include "platform/com/ComTypes.h"

using LPCWSTR = const WCHAR*;
using LPDWORD = DWORD*;
struct SECURITY_ATTRIBUTES;
struct OVERLAPPED;

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;
inline constexpr DWORD FILE_SHARE_READ = 0x1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));

DWORD GetCurrentProcessId();

// The calling thread's error of its last failed file call.
DWORD GetLastError();
void SetLastError(DWORD error);

inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_WRITE_FAULT = 29;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_DISK_FULL = 112;
inline constexpr DWORD ERROR_CANT_RESOLVE_FILENAME = 1921;

// Answers the bytes written (with the terminator when wideLength is -1), or
// the bytes needed when outSize is 0, or 0 when out is too small.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideLength, LPSTR out, int outSize,
    LPCSTR defaultChar, BOOL* usedDefault);

// Only writing a new or replaced file (GENERIC_WRITE with CREATE_ALWAYS) is
// offered; other requests answer INVALID_HANDLE_VALUE. A failure sets the
// last error: ERROR_ACCESS_DENIED for a folder that takes no new file (even
// when the file in it could be written), a read-only file or a name that is
// a folder; ERROR_PATH_NOT_FOUND for a missing folder.
HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, SECURITY_ATTRIBUTES* security, DWORD disposition,
    DWORD attributes, HANDLE templateFile);
BOOL WriteFile(HANDLE file, LPCVOID data, DWORD bytes, LPDWORD written, OVERLAPPED* overlapped);
// Puts a written file in place: TRUE only when every write, the flush to the
// disk and the rename succeeded; otherwise the old file (if any) stays.
BOOL CloseHandle(HANDLE handle);
