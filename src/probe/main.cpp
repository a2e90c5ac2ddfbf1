// PdfProbe read | unlock
// Reads the PDF named on standard input (its path, a NUL, then for unlock the password and a
// NUL, all UTF-8) with repair, and answers one line on standard output. Run apart from the
// application, so that a file that crashes a reader or takes long to rebuild ends only this.
#include "pdf/PdfProbe.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdio>
#include <cstring>

namespace {

// Our own warnings are the caller's log lines; qpdf and poppler stay quiet.
void toStandardError(QtMsgType type, QMessageLogContext const&, QString const& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

QByteArray readInput()
{
    // A path and a password; far less than this.
    constexpr std::size_t kLimit = 1 << 20;
    QByteArray input;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        input.append(buffer, int(got));
        if (std::size_t(input.size()) > kLimit)
            return QByteArray();
    }
    return input;
}

int answer(QByteArray const& line)
{
    std::fwrite(line.constData(), 1, std::size_t(line.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    qInstallMessageHandler(toStandardError);
    bool const unlock = argc == 2 && std::strcmp(argv[1], "unlock") == 0;
    if (!unlock && !(argc == 2 && std::strcmp(argv[1], "read") == 0)) {
        std::fprintf(stderr, "usage: PdfProbe read|unlock, the path on standard input\n");
        return 2;
    }
    QList<QByteArray> const fields = readInput().split('\0');
    // Each field ends with a NUL, so the split leaves one empty tail.
    if (fields.size() != (unlock ? 3 : 2) || fields.first().isEmpty()) {
        std::fprintf(stderr, "PdfProbe: no path on standard input\n");
        return 2;
    }
    QString const path = QString::fromUtf8(fields[0]);
    if (!unlock)
        return answer(PdfProbe::encode(PdfProbe::read(path, true)));
    int pages = -1;
    PdfProbe::Unlock const result = PdfProbe::unlock(path, QString::fromUtf8(fields[1]), true, &pages);
    return answer(PdfProbe::encode(result, pages));
}
