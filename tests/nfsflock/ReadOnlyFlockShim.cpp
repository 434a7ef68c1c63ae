// Makes flock(2) behave as it does on NFS, for tests that load this library
// with LD_PRELOAD: an exclusive lock is refused with EBADF on a file open for
// reading only (a folder is always), as the NFS client emulates flock with
// byte-range locks, which need write access for an exclusive one.

#include <cerrno>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>

extern "C" int flock(int fd, int operation)
{
    using Flock = int (*)(int, int);
    static const Flock next = reinterpret_cast<Flock>(::dlsym(RTLD_NEXT, "flock"));
    const int flags = (operation & LOCK_EX) ? ::fcntl(fd, F_GETFL) : 0;
    if (flags < 0)
        return -1;
    if (!next || ((operation & LOCK_EX) && (flags & O_ACCMODE) == O_RDONLY)) {
        errno = next ? EBADF : ENOSYS;
        return -1;
    }
    return next(fd, operation);
}
