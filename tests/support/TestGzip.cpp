#include "TestGzip.h"

#include <zlib.h>

#include <algorithm>

namespace {
void feed(z_stream& stream, QByteArray& out, char const* data, qint64 size, int flush)
{
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    stream.avail_in = uInt(size);
    char chunk[65536];
    do {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        deflate(&stream, flush);
        out.append(chunk, int(sizeof chunk - stream.avail_out));
    } while (stream.avail_out == 0);
}
} // namespace

QByteArray gzipped(QByteArray const& head, qint64 fillCount, char fill, QByteArray const& tail)
{
    z_stream stream{};
    // 15 window bits plus 16: a gzip header and trailer instead of zlib's.
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        return QByteArray();
    QByteArray out;
    feed(stream, out, head.constData(), head.size(), Z_NO_FLUSH);
    QByteArray const block(1 << 20, fill);
    for (qint64 left = fillCount; left > 0; left -= block.size())
        feed(stream, out, block.constData(), std::min<qint64>(left, block.size()), Z_NO_FLUSH);
    feed(stream, out, tail.constData(), tail.size(), Z_FINISH);
    deflateEnd(&stream);
    return out;
}
