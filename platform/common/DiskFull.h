#pragma once

#include <QByteArray>
#include <QFileDevice>

#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

// A write that failed for want of room: the file system, or the user's quota on it, is full.
namespace diskfull {

inline bool isFull(int error)
{
    return error == ENOSPC || error == EDQUOT;
}

// After a QFile write, flush or close failed or came up short. Qt reports a write that the disk
// cut short as a short count with no error of its own ("Unknown error"): errno tells then.
inline bool isFull(QFileDevice const& file)
{
    return file.error() == QFileDevice::ResourceError || isFull(errno);
}

// A file that remembers a write the disk refused, whatever else set errno before the caller
// looks (an image writer's warning on the way back does). Open it unbuffered so that every
// write passes here.
class File : public QFile
{
public:
    using QFile::QFile;
    bool diskFull() const { return m_diskFull.load(); }

protected:
    qint64 writeData(char const* data, qint64 length) override
    {
        errno = 0;
        qint64 const written = QFile::writeData(data, length);
        if (written != length && isFull(errno))
            m_diskFull = true;
        return written;
    }

private:
    std::atomic_bool m_diskFull{false};
};

// Makes a finished file durable: a file system that allocates late reports a full disk only
// here. Returns 0 or the errno of the failure.
inline int syncFile(QByteArray const& path)
{
    int const fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

// Flushes, syncs and closes a stream that a writer filled: qpdf's writers check neither the last
// flush nor the close, so a full disk would leave a cut-off file behind a success. Returns 0 or
// the errno of the failure; the stream is closed in any case.
inline int closeStream(FILE* stream)
{
    errno = 0;
    int error = std::fflush(stream) != 0 || std::ferror(stream) ? (errno ? errno : EIO) : 0;
    if (error == 0 && ::fsync(fileno(stream)) != 0)
        error = errno;
    if (std::fclose(stream) != 0 && error == 0)
        error = errno;
    return error;
}

// Runs @p write, which fills @p stream, then closes the stream as above. Returns 0 or the errno
// of the failure: of the writing where the disk ran full in it, else of the close. Other
// exceptions of @p write pass on, the stream closed.
template <class Write> int writeStream(FILE* stream, Write&& write)
{
    try {
        errno = 0;
        write(stream);
    } catch (...) {
        int const error = errno;
        std::fclose(stream);
        if (isFull(error))
            return error;
        throw;
    }
    return closeStream(stream);
}

} // namespace diskfull
