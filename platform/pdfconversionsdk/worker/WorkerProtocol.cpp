#include "WorkerProtocol.h"

#include <QDataStream>
#include <QIODevice>

namespace pdfconv {
namespace worker {

namespace {

constexpr quint32 kMagic = 0x70646663; // "pdfc", and the protocol's version below
constexpr quint32 kVersion = 4;

QByteArray frame(QByteArray const& payload)
{
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << quint32(payload.size());
    out += payload;
    return out;
}

// The payload of the first frame, if complete.
bool payload(QByteArray& buffer, QByteArray& out, bool& corrupt)
{
    corrupt = false;
    if (buffer.size() < 4)
        return false;
    quint32 length = 0;
    {
        QDataStream s(buffer.left(4));
        s >> length;
    }
    if (length > quint32(kMaxFrame)) {
        corrupt = true;
        return false;
    }
    if (quint32(buffer.size()) < 4 + length)
        return false;
    out = buffer.mid(4, int(length));
    buffer.remove(0, int(4 + length));
    return true;
}

} // namespace

QByteArray encode(Request const& r)
{
    QByteArray p;
    QDataStream s(&p, QIODevice::WriteOnly);
    s << kMagic << kVersion << r.target << r.input << r.password << r.staging << r.baseName << r.options
      << r.threads << r.verbose << r.modelFolder << r.ocrLanguage << r.carefulText << r.memoryLimit;
    return frame(p);
}

QByteArray encode(Reply const& r)
{
    QByteArray p;
    QDataStream s(&p, QIODevice::WriteOnly);
    s << quint8(r.type) << r.number << r.second << r.text;
    return frame(p);
}

bool take(QByteArray& buffer, Request& r, bool& corrupt)
{
    QByteArray p;
    if (!payload(buffer, p, corrupt))
        return false;
    QDataStream s(p);
    quint32 magic = 0, version = 0;
    s >> magic >> version;
    if (magic != kMagic || version != kVersion) {
        corrupt = true;
        return false;
    }
    s >> r.target >> r.input >> r.password >> r.staging >> r.baseName >> r.options >> r.threads >>
        r.verbose >> r.modelFolder >> r.ocrLanguage >> r.carefulText >> r.memoryLimit;
    corrupt = s.status() != QDataStream::Ok;
    return !corrupt;
}

bool take(QByteArray& buffer, Reply& r, bool& corrupt)
{
    QByteArray p;
    if (!payload(buffer, p, corrupt))
        return false;
    QDataStream s(p);
    quint8 type = 0;
    s >> type >> r.number >> r.second >> r.text;
    r.type = ReplyType(type);
    corrupt = s.status() != QDataStream::Ok;
    return !corrupt;
}

} // namespace worker
} // namespace pdfconv
