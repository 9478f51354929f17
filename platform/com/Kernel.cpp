// Process id, UTF-16 to UTF-8 conversion and replace-on-close files.

#include "platform/com/Kernel.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file being written: the temporary beside the target, renamed onto the
// target when closed.
struct FileObject {
    int fd = -1;
    bool failed = false;
    std::string target;
    std::string temp;
};

// The open files, so that a stale or foreign handle is refused rather than
// followed.
std::mutex g_filesLock;
std::set<FileObject*> g_files;

FileObject* FileOf(HANDLE h)
{
    std::lock_guard guard(g_filesLock);
    auto it = g_files.find(static_cast<FileObject*>(h));
    return it == g_files.end() ? nullptr : *it;
}

// Appends the UTF-8 form of one code point.
void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

DWORD GetCurrentProcessId()
{
    return static_cast<DWORD>(getpid());
}

int WideCharToMultiByte(UINT, DWORD, LPCWSTR wide, int wideLength, LPSTR out, int outSize, LPCSTR, BOOL* usedDefault)
{
    if (!wide || outSize < 0 || (outSize > 0 && !out))
        return 0;
    if (usedDefault)
        *usedDefault = FALSE;
    std::size_t n = 0;
    if (wideLength < 0) {
        while (wide[n])
            ++n;
        ++n; // the terminator is converted too
    } else {
        n = static_cast<std::size_t>(wideLength);
    }
    std::string text;
    for (std::size_t i = 0; i < n; ++i) {
        char32_t c = wide[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < n && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        AppendUtf8(text, c);
    }
    if (outSize == 0)
        return static_cast<int>(text.size());
    if (text.size() > static_cast<std::size_t>(outSize))
        return 0;
    text.copy(out, text.size());
    return static_cast<int>(text.size());
}

HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD, SECURITY_ATTRIBUTES*, DWORD disposition, DWORD, HANDLE)
{
    if (!path || !*path || access != GENERIC_WRITE || disposition != CREATE_ALWAYS)
        return INVALID_HANDLE_VALUE;
    struct stat st;
    if (stat(path, &st) == 0 && !S_ISREG(st.st_mode))
        return INVALID_HANDLE_VALUE;
    auto* f = new FileObject;
    f->target = path;
    f->temp = f->target + ".XXXXXX";
    f->fd = mkstemp(f->temp.data());
    if (f->fd < 0) {
        delete f;
        return INVALID_HANDLE_VALUE;
    }
    fchmod(f->fd, 0644);
    std::lock_guard guard(g_filesLock);
    g_files.insert(f);
    return f;
}

BOOL WriteFile(HANDLE file, LPCVOID data, DWORD bytes, LPDWORD written, OVERLAPPED*)
{
    if (written)
        *written = 0;
    FileObject* f = FileOf(file);
    if (!f || (!data && bytes))
        return FALSE;
    const auto* p = static_cast<const char*>(data);
    DWORD done = 0;
    while (done < bytes) {
        ssize_t n = write(f->fd, p + done, bytes - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            f->failed = true;
            break;
        }
        done += static_cast<DWORD>(n);
    }
    if (written)
        *written = done;
    return done == bytes ? TRUE : FALSE;
}

BOOL CloseHandle(HANDLE handle)
{
    FileObject* f = nullptr;
    {
        std::lock_guard guard(g_filesLock);
        auto it = g_files.find(static_cast<FileObject*>(handle));
        if (it == g_files.end())
            return FALSE;
        f = *it;
        g_files.erase(it);
    }
    // The data reaches the disk before the name changes, so a crash leaves
    // either the old file or the whole new one.
    bool ok = !f->failed && fsync(f->fd) == 0;
    ok = close(f->fd) == 0 && ok;
    ok = ok && std::rename(f->temp.c_str(), f->target.c_str()) == 0;
    if (!ok)
        unlink(f->temp.c_str());
    delete f;
    return ok ? TRUE : FALSE;
}
