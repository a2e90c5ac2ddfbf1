/* Preloaded into a test and the helpers it starts: files below DOCQUILL_FULL_DISK_FOLDER
 * take DOCQUILL_FULL_DISK_BYTES bytes in all (per process), then every write to them fails
 * with ENOSPC as on a full file system: the write that crosses the limit comes up short,
 * later ones, fsync and close of a file opened for writing fail. Everything else passes.
 * stdio is counted where the caller hands data over, since glibc flushes it internally. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

/* Some of these are macros with optimisation on. */
#undef fwrite_unlocked
#undef fputc
#undef fputs

static atomic_llong g_used;

#define REAL(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

static int underFolder(int fd)
{
    char const* folder = getenv("DOCQUILL_FULL_DISK_FOLDER");
    if (!folder || !*folder || fd < 0)
        return 0;
    char link[64], path[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t const n = readlink(link, path, sizeof path - 1);
    if (n <= 0)
        return 0;
    path[n] = 0;
    size_t const length = strlen(folder);
    return strncmp(path, folder, length) == 0 && path[length] == '/';
}

static long long budget(void)
{
    char const* bytes = getenv("DOCQUILL_FULL_DISK_BYTES");
    return bytes ? atoll(bytes) : 0;
}

/* How many of @p count bytes fit; 0 sets errno. */
static size_t take(int fd, size_t count)
{
    if (count == 0 || !underFolder(fd))
        return count;
    long long const before = atomic_fetch_add(&g_used, (long long)count);
    long long const left = budget() - before;
    if (left >= (long long)count)
        return count;
    atomic_fetch_sub(&g_used, (long long)count - (left > 0 ? left : 0));
    if (left > 0)
        return (size_t)left;
    errno = ENOSPC;
    return 0;
}

static int exhausted(int fd)
{
    return underFolder(fd) && atomic_load(&g_used) >= budget();
}

static int writable(int fd)
{
    int const flags = fcntl(fd, F_GETFL);
    return flags >= 0 && (flags & O_ACCMODE) != O_RDONLY;
}

ssize_t write(int fd, void const* data, size_t count)
{
    size_t const fits = take(fd, count);
    if (fits == 0 && count > 0)
        return -1;
    return REAL(write)(fd, data, fits);
}

ssize_t pwrite(int fd, void const* data, size_t count, off_t offset)
{
    size_t const fits = take(fd, count);
    if (fits == 0 && count > 0)
        return -1;
    return REAL(pwrite)(fd, data, fits, offset);
}

ssize_t pwrite64(int fd, void const* data, size_t count, off64_t offset)
{
    size_t const fits = take(fd, count);
    if (fits == 0 && count > 0)
        return -1;
    return REAL(pwrite64)(fd, data, fits, offset);
}

ssize_t writev(int fd, struct iovec const* parts, int count)
{
    size_t total = 0;
    for (int i = 0; i < count; ++i)
        total += parts[i].iov_len;
    if (total > 0 && take(fd, total) < total) {
        errno = ENOSPC; /* all or nothing: simpler, and what callers must handle anyway */
        return -1;
    }
    return REAL(writev)(fd, parts, count);
}

int fallocate(int fd, int mode, off_t offset, off_t length)
{
    if (exhausted(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return REAL(fallocate)(fd, mode, offset, length);
}

int posix_fallocate(int fd, off_t offset, off_t length)
{
    if (exhausted(fd))
        return ENOSPC;
    return REAL(posix_fallocate)(fd, offset, length);
}

int fsync(int fd)
{
    if (exhausted(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return REAL(fsync)(fd);
}

int fdatasync(int fd)
{
    if (exhausted(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return REAL(fdatasync)(fd);
}

int close(int fd)
{
    int const full = exhausted(fd) && writable(fd);
    int const result = REAL(close)(fd);
    if (result == 0 && full) {
        errno = ENOSPC;
        return -1;
    }
    return result;
}

size_t fwrite(void const* data, size_t size, size_t count, FILE* stream)
{
    if (size == 0 || count == 0)
        return 0;
    size_t const fits = take(fileno(stream), size * count) / size;
    if (fits == 0)
        return 0;
    size_t const written = REAL(fwrite)(data, size, fits, stream);
    if (fits < count)
        errno = ENOSPC; /* a short count from stdio always comes with its cause */
    return written;
}

size_t fwrite_unlocked(void const* data, size_t size, size_t count, FILE* stream)
{
    return fwrite(data, size, count, stream);
}

int fputs(char const* text, FILE* stream)
{
    size_t const length = strlen(text);
    return fwrite(text, 1, length, stream) == length ? 1 : EOF;
}

int fputc(int c, FILE* stream)
{
    unsigned char const byte = (unsigned char)c;
    return fwrite(&byte, 1, 1, stream) == 1 ? byte : EOF;
}

int fflush(FILE* stream)
{
    int const full = stream && exhausted(fileno(stream)) && writable(fileno(stream));
    int const result = REAL(fflush)(stream);
    if (result == 0 && full) {
        errno = ENOSPC;
        return EOF;
    }
    return result;
}

int fclose(FILE* stream)
{
    int const full = exhausted(fileno(stream)) && writable(fileno(stream));
    int const result = REAL(fclose)(stream);
    if (result == 0 && full) {
        errno = ENOSPC;
        return EOF;
    }
    return result;
}
