#include "DocumentWriter.h"

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
    if (m_file.write(m_buffer) != m_buffer.size())
        m_error = m_file.errorString();
    m_buffer.clear();
}

bool DocumentWriter::close()
{
    flush();
    if (m_error.isEmpty() && !m_file.flush())
        m_error = m_file.errorString();
    m_file.close();
    if (m_error.isEmpty() && m_file.error() != QFileDevice::NoError)
        m_error = m_file.errorString();
    return m_error.isEmpty();
}

} // namespace engine
} // namespace pdfconv
