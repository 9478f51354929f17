// Files written beside their final name and renamed onto it when closed.

#include "platform/com/Kernel.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A file being written: the temporary beside the target, renamed onto the
// target when closed.
struct FileObject {
    int fd = -1;
    bool failed = false;
    DWORD error = ERROR_SUCCESS; // of the first failed write
    std::string target;
    std::string temp;
};

// The open files, so that a stale or foreign handle is refused rather than
// followed.
std::mutex g_filesLock;
std::map<FileObject*, std::unique_ptr<FileObject>> g_files;

thread_local DWORD t_lastError = ERROR_SUCCESS;

DWORD ErrorFromErrno(int e)
{
    switch (e) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return ERROR_ACCESS_DENIED;
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
        return ERROR_PATH_NOT_FOUND;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ERROR_DISK_FULL;
    case ELOOP:
        return ERROR_CANT_RESOLVE_FILENAME;
    default:
        return ERROR_WRITE_FAULT;
    }
}

HANDLE Fail(DWORD error)
{
    t_lastError = error;
    return INVALID_HANDLE_VALUE;
}

// The folder part of a name, with its final slash; "" for a bare name.
std::string FolderOf(const std::string& name)
{
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

// Follows symbolic links from path to the name of the file they finally
// point at, which need not exist yet (a dangling link makes its target).
// False, with errno set, for a loop or a link that cannot be read.
bool ResolveLinks(const std::string& path, std::string& target)
{
    std::string name = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            // A missing name is the file to make; a missing folder shows
            // when the temporary is created.
            target = name;
            return true;
        }
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = readlink(name.c_str(), link.data(), link.size());
        if (n < 0)
            return false;
        if (static_cast<std::size_t>(n) >= link.size()) {
            errno = ENAMETOOLONG; // the link changed while it was read
            return false;
        }
        link.resize(static_cast<std::size_t>(n));
        name = link.front() == '/' ? link : FolderOf(name) + link;
    }
    errno = ELOOP;
    return false;
}

// Creates a new file "target.XXXXXX" with a free random suffix, exclusively,
// with the given mode under the process umask. Answers the descriptor, or
// -1 with errno set.
int CreateBeside(const std::string& target, mode_t mode, std::string& temp)
{
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device entropy;
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kChars) - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + ".";
        for (int i = 0; i < 6; ++i)
            temp += kChars[pick(entropy)];
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Gives the temporary the owner and permission bits of the file it
// replaces. The owner is kept where the process may (it must be privileged
// to give a file away); the bits always.
bool TakeOverAttributes(int fd, const struct stat& old)
{
    if (old.st_uid != geteuid() || old.st_gid != getegid()) {
        if (fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Not privileged: the new file stays the writer's own.
        }
    }
    return fchmod(fd, old.st_mode & 07777) == 0;
}

} // namespace

DWORD GetLastError() { return t_lastError; }

void SetLastError(DWORD error) { t_lastError = error; }

HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD, SECURITY_ATTRIBUTES*, DWORD disposition, DWORD, HANDLE)
{
    if (!path || !*path || access != GENERIC_WRITE || disposition != CREATE_ALWAYS)
        return Fail(!path || !*path ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
    auto f = std::make_unique<FileObject>();
    if (!ResolveLinks(path, f->target))
        return Fail(ErrorFromErrno(errno));

    struct stat old;
    const bool replacing = stat(f->target.c_str(), &old) == 0;
    // A folder or a read-only file is not replaced, as it could not be
    // opened for writing either.
    if (replacing && (!S_ISREG(old.st_mode) || faccessat(AT_FDCWD, f->target.c_str(), W_OK, AT_EACCESS) != 0))
        return Fail(ERROR_ACCESS_DENIED);

    // A new file gets what an ordinary create gives under the umask; a
    // replacement starts private and takes the old file's bits below.
    f->fd = CreateBeside(f->target, replacing ? 0600 : 0666, f->temp);
    if (f->fd < 0)
        return Fail(ErrorFromErrno(errno));
    if (replacing && !TakeOverAttributes(f->fd, old)) {
        const DWORD error = ErrorFromErrno(errno);
        close(f->fd);
        unlink(f->temp.c_str());
        return Fail(error);
    }
    FileObject* handle = f.get();
    std::lock_guard guard(g_filesLock);
    g_files.emplace(handle, std::move(f));
    return handle;
}

BOOL WriteFile(HANDLE file, LPCVOID data, DWORD bytes, LPDWORD written, OVERLAPPED*)
{
    if (written)
        *written = 0;
    FileObject* f = nullptr;
    {
        std::lock_guard guard(g_filesLock);
        auto it = g_files.find(static_cast<FileObject*>(file));
        f = it == g_files.end() ? nullptr : it->second.get();
    }
    if (!f) {
        t_lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    if (!data && bytes) {
        t_lastError = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    const auto* p = static_cast<const char*>(data);
    DWORD done = 0;
    while (done < bytes) {
        ssize_t n = write(f->fd, p + done, bytes - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // The file will not be put in place; the first cause is kept
            // for the close to report.
            if (!f->failed)
                f->error = n < 0 ? ErrorFromErrno(errno) : ERROR_DISK_FULL;
            f->failed = true;
            t_lastError = f->error;
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
    std::unique_ptr<FileObject> f;
    {
        std::lock_guard guard(g_filesLock);
        auto it = g_files.find(static_cast<FileObject*>(handle));
        if (it == g_files.end()) {
            t_lastError = ERROR_INVALID_HANDLE;
            return FALSE;
        }
        f = std::move(it->second);
        g_files.erase(it);
    }
    // The data reaches the disk before the name changes, so a crash leaves
    // either the old file or the whole new one.
    DWORD error = f->failed ? f->error : ERROR_SUCCESS;
    if (error == ERROR_SUCCESS && fsync(f->fd) != 0)
        error = ErrorFromErrno(errno);
    if (close(f->fd) != 0 && error == ERROR_SUCCESS)
        error = ErrorFromErrno(errno);
    if (error == ERROR_SUCCESS && std::rename(f->temp.c_str(), f->target.c_str()) != 0)
        error = ErrorFromErrno(errno);
    if (error != ERROR_SUCCESS) {
        unlink(f->temp.c_str());
        t_lastError = error;
        return FALSE;
    }
    return TRUE;
}
