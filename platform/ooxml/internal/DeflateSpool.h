#pragma once

#include <QByteArray>
#include <QIODevice>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class QFile;

namespace ooxml::internal {

// A part of a package compressed as it is written, on a thread of its own, into a file: the
// package then stores the compressed bytes as they are, and a long document is compressed
// while it is made rather than after. Raw deflate at the level the package's other parts get.
class DeflateSpool : public QIODevice
{
public:
    // Writes to `file`, which must be open for writing and outlive the spool.
    explicit DeflateSpool(QFile* file);
    ~DeflateSpool() override;
    DeflateSpool(DeflateSpool const&) = delete;
    DeflateSpool& operator=(DeflateSpool const&) = delete;

    // Ends the compressed stream and waits for it to be in the file; false when compressing
    // or writing failed.
    bool finish();
    // The failure was a full disk (the file's writes happen on the spool's thread).
    bool diskFull() const;
    quint32 crc() const { return m_crc; }
    qint64 plainSize() const { return m_plainSize; }
    qint64 compressedSize() const { return m_compressedSize; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(char const* data, qint64 size) override;

private:
    struct Stream;
    void hand(bool last);
    void run();

    QFile* m_file;
    std::unique_ptr<Stream> m_stream;
    QByteArray m_pending; // bytes not yet handed to the thread
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QByteArray> m_queue;
    bool m_last = false;   // the final chunk is queued
    bool m_failed = false; // compressing or writing failed
    bool m_diskFull = false; // writing failed for want of room
    bool m_finished = false;
    std::thread m_thread;
    quint32 m_crc = 0;
    qint64 m_plainSize = 0;
    qint64 m_compressedSize = 0;
};

} // namespace ooxml::internal
