#include "FileSource.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pdfconv {
namespace engine {

namespace {
constexpr size_t kBuffer = 64 * 1024;

[[noreturn]] void fail(std::string const& name, char const* what)
{
    throw std::runtime_error(name + ": " + what + ": " + std::strerror(errno));
}
} // namespace

FileSource::FileSource(QString const& path) : m_name(QFile::encodeName(path).toStdString())
{
    m_fd = ::open(m_name.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        fail(m_name, "open");
    m_buffer.resize(kBuffer);
}

FileSource::~FileSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

std::string const& FileSource::getName() const
{
    return m_name;
}

qpdf_offset_t FileSource::tell()
{
    return m_position;
}

void FileSource::seek(qpdf_offset_t offset, int whence)
{
    qpdf_offset_t base = 0;
    if (whence == SEEK_CUR) {
        base = m_position;
    } else if (whence == SEEK_END) {
        struct stat status;
        if (::fstat(m_fd, &status) != 0)
            fail(m_name, "seek");
        base = status.st_size;
    }
    if (base + offset < 0) {
        errno = EINVAL;
        fail(m_name, "seek");
    }
    m_position = base + offset;
}

void FileSource::rewind()
{
    m_position = 0;
}

void FileSource::unreadCh(char)
{
    if (m_position > 0)
        --m_position;
}

size_t FileSource::readAt(qpdf_offset_t offset, char* buffer, size_t length)
{
    size_t done = 0;
    while (done < length) {
        ssize_t const n = ::pread(m_fd, buffer + done, length - done, off_t(offset + qpdf_offset_t(done)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(m_name, "read");
        if (n == 0)
            break;
        done += size_t(n);
    }
    return done;
}

size_t FileSource::read(char* buffer, size_t length)
{
    last_offset = m_position;
    size_t done = 0;
    while (done < length) {
        qpdf_offset_t const at = m_position;
        if (at >= m_bufferStart && at < m_bufferStart + qpdf_offset_t(m_bufferLength)) {
            size_t const from = size_t(at - m_bufferStart);
            size_t const n = std::min(length - done, m_bufferLength - from);
            std::memcpy(buffer + done, m_buffer.data() + from, n);
            done += n;
            m_position += qpdf_offset_t(n);
            continue;
        }
        if (length - done >= m_buffer.size()) {
            // Large reads (stream data) go straight to the caller.
            size_t const n = readAt(at, buffer + done, length - done);
            done += n;
            m_position += qpdf_offset_t(n);
            break;
        }
        m_bufferStart = at;
        m_bufferLength = readAt(at, m_buffer.data(), m_buffer.size());
        if (m_bufferLength == 0)
            break;
    }
    if (done == 0 && length > 0) {
        // At the end, as qpdf's own source leaves it.
        seek(0, SEEK_END);
        last_offset = m_position;
    }
    return done;
}

qpdf_offset_t FileSource::findAndSkipNextEOL()
{
    qpdf_offset_t result = 0;
    bool done = false;
    char chunk[10240];
    while (!done) {
        qpdf_offset_t const start = tell();
        size_t const length = read(chunk, sizeof chunk);
        if (length == 0) {
            done = true;
            result = tell();
            break;
        }
        char const* cr = static_cast<char const*>(std::memchr(chunk, '\r', length));
        char const* lf = static_cast<char const*>(std::memchr(chunk, '\n', length));
        char const* eol = cr && lf ? std::min(cr, lf) : cr ? cr : lf;
        if (!eol)
            continue;
        result = start + (eol - chunk);
        seek(result + 1, SEEK_SET);
        char ch = 0;
        while (!done) {
            if (read(&ch, 1) == 0) {
                done = true;
            } else if (ch != '\r' && ch != '\n') {
                unreadCh(ch);
                done = true;
            }
        }
    }
    return result;
}

} // namespace engine
} // namespace pdfconv
