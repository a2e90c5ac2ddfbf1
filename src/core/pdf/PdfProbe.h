#pragma once

#include <QByteArray>
#include <QString>

// Reads what adding or unlocking a PDF needs to know of it: whether it opens, whether it is
// locked, its page count. Without repair a file whose structure must be rebuilt, or whose pages
// take long to count, is not read at all: that work (and the second reader it may need) runs in
// the PdfProbe helper, where a file that takes long or crashes a reader ends only that process.
class PdfProbe
{
public:
    enum Verdict
    {
        Readable,
        // Not read in process: the helper reads it with repair.
        ReadApart,
        Damaged,
        // The helper crashed, took too long or too much memory on it.
        Unreadable,
    };

    struct Facts
    {
        Verdict verdict = Unreadable;
        bool locked = false;
        QString icon;       // empty: none set
        int pageCount = -1; // -1: unknown
        // The encryption dictionary gives a key length the conversion's reader takes wrongly.
        bool unprotectFirst = false;
        QString detail; // the reader's words, for the log
    };
    // Opens the file without a password.
    static Facts read(QString const& path, bool repair);

    enum class Unlock
    {
        Unlocked,
        WrongPassword,
        CannotOpen,
        ReadApart,
    };
    // Opens the file with the password; on Unlocked, pageCount is the file's.
    static Unlock unlock(QString const& path, QString const& password, bool repair, int* pageCount);

    // The helper's answer on its standard output, and its reading back.
    static QByteArray encode(Facts const& facts);
    static bool decode(QByteArray const& line, Facts* facts);
    static QByteArray encode(Unlock result, int pageCount);
    static bool decode(QByteArray const& line, Unlock* result, int* pageCount);
};
