#include "DocumentWriter.h"

#include <DiskFull.h>

namespace pdfconv {
namespace engine {

bool DocumentWriter::open(QString const& path)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = m_file.errorString();
        return false;
    }
    return true;
}

void DocumentWriter::write(QByteArray const& bytes)
{
    m_buffer += bytes;
    if (m_buffer.size() >= 256 * 1024)
        flush();
}

void DocumentWriter::flush()
{
    if (m_buffer.isEmpty() || !m_error.isEmpty())
        return;
    errno = 0;
    if (m_file.write(m_buffer) != m_buffer.size())
        fail();
    m_buffer.clear();
}

void DocumentWriter::fail()
{
    m_diskFull = diskfull::isFull(m_file);
    m_error = m_diskFull ? QStringLiteral("the disk is full") : m_file.errorString();
}

bool DocumentWriter::close()
{
    flush();
    errno = 0;
    if (m_error.isEmpty() && !m_file.flush())
        fail();
    errno = 0;
    m_file.close();
    if (m_error.isEmpty() && m_file.error() != QFileDevice::NoError)
        fail();
    return m_error.isEmpty();
}

} // namespace engine
} // namespace pdfconv
