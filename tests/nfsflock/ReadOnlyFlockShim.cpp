// Makes flock(2) behave as it does on NFS, for tests that load this library
// with LD_PRELOAD: an exclusive lock is refused with EBADF on a file that is
// open for reading only (a folder is always), as the NFS client emulates
// flock with byte-range locks, which need write access for an exclusive one.
// Everything else goes to the C library's flock.

#include <cerrno>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>

extern "C" int flock(int fd, int operation)
{
    using Flock = int (*)(int, int);
    static const Flock next = reinterpret_cast<Flock>(::dlsym(RTLD_NEXT, "flock"));
    if (operation & LOCK_EX) {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0)
            return -1;
        if ((flags & O_ACCMODE) == O_RDONLY) {
            errno = EBADF;
            return -1;
        }
    }
    if (!next) {
        errno = ENOSYS;
        return -1;
    }
    return next(fd, operation);
}
