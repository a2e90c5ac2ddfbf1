#pragma once

#include <QByteArray>
#include <QString>

// What the library and its helper process "pdfconvworker" say to each other over one
// socket. The library sends one request and closes its writing side; the helper answers
// with a stream of replies ending in a result. Every message is a frame: a 32-bit length,
// then a QDataStream payload. The password travels only here, never on a command line.
namespace pdfconv {
namespace worker {

struct Request
{
    qint32 target = 0; // an engine::Target
    QString input;
    QByteArray password;
    QString staging;
    QString baseName;
    QByteArray options; // the caller's ConvertOptions, byte for byte
    qint32 threads = 0;
    bool verbose = false;
    QString modelFolder; // text recognition: the loaded model, empty for none
    qint32 ocrLanguage = 3;
    bool carefulText = false; // engine::Job::carefulText
    qint64 memoryLimit = 0;   // bytes the helper may take; 0: no limit
};

enum class ReplyType : quint8
{
    Log = 'L',         // text; number 1 for a detail
    Opened = 'O',      // number: page count
    Progress = 'P',    // number: pages done, second: page count
    File = 'F',        // text: an output file's name in the staging folder; a language of a model check
    SlowText = 'S',    // number: a page whose text takes too long to read (engine::kReadingBudgetMs)
    Working = 'W',     // number: a page just read, recognised or rendered in any pass: not stuck
    MemoryLimit = 'M', // the helper's memory ran out; what follows is its failing
    Result = 'R',      // number: the result code; the last reply
};

struct Reply
{
    ReplyType type = ReplyType::Log;
    qint32 number = 0;
    qint32 second = 0;
    QString text;
};

// Guards against a frame that is no reply of ours.
constexpr int kMaxFrame = 16 * 1024 * 1024;

QByteArray encode(Request const& request);
QByteArray encode(Reply const& reply);
// Takes one whole frame off the front of @p buffer; false when none is complete yet or
// when @p corrupt is set because the buffer holds no valid frame.
bool take(QByteArray& buffer, Request& request, bool& corrupt);
bool take(QByteArray& buffer, Reply& reply, bool& corrupt);

} // namespace worker
} // namespace pdfconv
