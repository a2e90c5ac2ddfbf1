#include "internal/DeflateSpool.h"

#include <DiskFull.h>

#include <QFile>

#include <zlib.h>

namespace ooxml::internal {

namespace {
constexpr int kChunk = 256 * 1024;
constexpr size_t kQueued = 4; // chunks waiting at most: memory stays bounded
} // namespace

struct DeflateSpool::Stream
{
    z_stream zip{};
    bool ready = false;
};

DeflateSpool::DeflateSpool(QFile* file) : m_file(file), m_stream(std::make_unique<Stream>())
{
    // Raw deflate, as a zip entry holds it. The usual level: the best took twice as long for
    // a body of repetitive XML only 3% smaller, and finished well after the last block.
    m_stream->ready = deflateInit2(&m_stream->zip, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8,
                                   Z_DEFAULT_STRATEGY) == Z_OK;
    m_failed = !m_stream->ready;
    m_crc = quint32(crc32(0, nullptr, 0));
    QIODevice::open(QIODevice::WriteOnly);
    if (!m_failed)
        m_thread = std::thread([this] { run(); });
}

DeflateSpool::~DeflateSpool()
{
    if (m_thread.joinable()) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_failed = true; // unfinished: whatever waits is thrown away
            m_queue.clear();
            m_last = true;
        }
        m_changed.notify_all();
        m_thread.join();
    }
    if (m_stream->ready)
        deflateEnd(&m_stream->zip);
}

qint64 DeflateSpool::readData(char*, qint64)
{
    return -1;
}

qint64 DeflateSpool::writeData(char const* data, qint64 size)
{
    if (m_finished)
        return -1;
    m_pending.append(data, int(size));
    if (m_pending.size() >= kChunk)
        hand(false);
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_failed ? -1 : size;
}

void DeflateSpool::hand(bool last)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_failed || m_queue.size() < kQueued; });
    if (!m_failed)
        m_queue.push_back(std::move(m_pending));
    m_pending = QByteArray();
    m_last = last;
    lock.unlock();
    m_changed.notify_all();
}

bool DeflateSpool::finish()
{
    if (!m_finished) {
        m_finished = true;
        if (m_thread.joinable()) {
            hand(true);
            m_thread.join();
        }
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    return !m_failed;
}

bool DeflateSpool::diskFull() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_diskFull;
}

void DeflateSpool::run()
{
    z_stream& zip = m_stream->zip;
    QByteArray out(kChunk, Qt::Uninitialized);
    for (;;) {
        QByteArray chunk;
        bool last = false;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [&] { return m_failed || !m_queue.empty() || m_last; });
            if (m_failed)
                return;
            if (!m_queue.empty()) {
                chunk = std::move(m_queue.front());
                m_queue.pop_front();
            }
            last = m_last && m_queue.empty();
        }
        m_changed.notify_all();
        m_crc = quint32(crc32(m_crc, reinterpret_cast<Bytef const*>(chunk.constData()), uInt(chunk.size())));
        m_plainSize += chunk.size();
        zip.next_in = reinterpret_cast<Bytef*>(chunk.data());
        zip.avail_in = uInt(chunk.size());
        int result = Z_OK;
        do {
            zip.next_out = reinterpret_cast<Bytef*>(out.data());
            zip.avail_out = uInt(out.size());
            result = deflate(&zip, last ? Z_FINISH : Z_NO_FLUSH);
            qint64 const produced = out.size() - qint64(zip.avail_out);
            errno = 0;
            bool const written =
                result != Z_STREAM_ERROR && m_file->write(out.constData(), produced) == produced;
            if (!written) {
                bool const full = result != Z_STREAM_ERROR && diskfull::isFull(*m_file);
                std::lock_guard<std::mutex> lock(m_mutex);
                m_diskFull = full;
                m_failed = true;
                m_changed.notify_all();
                return;
            }
            m_compressedSize += produced;
        } while (zip.avail_out == 0 || (last && result != Z_STREAM_END));
        if (last)
            return;
    }
}

} // namespace ooxml::internal
