// The hand-made hostile inputs through every conversion and through PdfCreator: per case the
// result code, the seconds, the peak memory of the processes doing the work, and what the run
// left behind: processes still running once it ended, files beside its input other than its
// output (or any output of a failure). Each run is a process of its own, watched from here: one
// that passes the time or memory given here is stopped and shown as such, so an older build can
// be measured without harm.
//
//   bench_hostile [--seconds S] [--megabytes M] [--keep DIR] [case ...]
//
// Cases are named "<input>:<target>" (inline-image:text, forms:word, long-line:create ...);
// without any, all run. LD_LIBRARY_PATH=<other build>/bundle/Frameworks measures another
// build's library and helper.

#include "PdfFixtures.h"

#include <pdfconv/common/LibraryManager.h>
#include <pdfconv/conversion/PdfConversion.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using pdfconv::conversion::PdfConversion;

struct Input
{
    char const* name;
    bool pdf;
    int kind; // a PdfFixtures::Hostile::Kind, or the creation case's number
};

Input const kInputs[] = {
    {"inline-image", true, PdfFixtures::Hostile::HugeInlineImage},
    {"width-ranges", true, PdfFixtures::Hostile::WideWidthRanges},
    {"forms", true, PdfFixtures::Hostile::FormsDrawnTwice},
    {"saves", true, PdfFixtures::Hostile::UnbalancedSaves},
    {"nested-arrays", true, PdfFixtures::Hostile::NestedArrays},
    {"lines", true, PdfFixtures::Hostile::ManyLines},
    {"long-line", false, 0},
    {"empty-lines", false, 1},
    {"nested-tables", false, 2},
    {"nested-divs", false, 3},
};

char const* const kTargets[] = {"text", "html", "rtf", "word", "excel", "ppt", "image"};

bool writeFile(QString const& path, QByteArray const& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString makeInput(QDir const& dir, Input const& input)
{
    if (input.pdf) {
        QString const path = dir.filePath(QString::fromLatin1(input.name) + ".pdf");
        return PdfFixtures::Hostile::write(path, PdfFixtures::Hostile::Kind(input.kind)) ? path : QString();
    }
    QByteArray bytes;
    QString suffix = QStringLiteral(".txt");
    switch (input.kind) {
    case 0:
        bytes = QByteArray("word ").repeated(600000);
        break;
    case 1:
        bytes = QByteArray("\n").repeated(2000000);
        break;
    case 2:
        bytes = "<html><body>" + QByteArray("<table><tr><td>cell").repeated(3000) +
                QByteArray("</td></tr></table>").repeated(3000) + "</body></html>";
        suffix = QStringLiteral(".html");
        break;
    default:
        bytes = "<html><body>" + QByteArray("<div>text ").repeated(50000) +
                QByteArray("</div>").repeated(50000) + "</body></html>";
        suffix = QStringLiteral(".html");
        break;
    }
    QString const path = dir.filePath(QString::fromLatin1(input.name) + suffix);
    return writeFile(path, bytes) ? path : QString();
}

// One conversion in this process; prints its code.
int convertOne(QString const& target, QString const& input, QString const& output)
{
    pdfconv::common::LibraryManager::SetLogger(false, false);
    pdfconv::base::ConvertOptions options;
    options.excelAllContent = true;
    QByteArray const in = input.toUtf8(), out = output.toUtf8();
    auto const start = target == "text"    ? &PdfConversion::StartPDFToTxt
                       : target == "html"  ? &PdfConversion::StartPDFToHtml
                       : target == "rtf"   ? &PdfConversion::StartPDFToRtf
                       : target == "word"  ? &PdfConversion::StartPDFToWord
                       : target == "excel" ? &PdfConversion::StartPDFToExcel
                       : target == "ppt"   ? &PdfConversion::StartPDFToPpt
                                           : &PdfConversion::StartPDFToImage;
    int const code = start(in.constData(), "", out.constData(), options, nullptr);
    std::printf("%d\n", code);
    return 0;
}

// The resident memory of a process and all its descendants, in kilobytes.
qint64 treeKilobytes(qint64 pid)
{
    qint64 total = 0;
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly))
        for (QByteArray const& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                total += line.mid(6).trimmed().split(' ').value(0).toLongLong();
    for (QString const& task :
         QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile children(QStringLiteral("/proc/%1/task/%2/children").arg(pid).arg(task));
        if (children.open(QIODevice::ReadOnly))
            for (QByteArray const& child : children.readAll().split(' '))
                if (child.trimmed().toLongLong() > 0)
                    total += treeKilobytes(child.trimmed().toLongLong());
    }
    return total;
}

struct Outcome
{
    QString result;
    double seconds = 0;
    qint64 peakKb = 0;
    int processesLeft = 0;
};

// Every process started for a run carries this in its environment, whatever it was reparented to.
QByteArray const kRunMark = "DOCQUILL_BENCH_HOSTILE_RUN=";

int processesMarked(QByteArray const& mark)
{
    int found = 0;
    for (QString const& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (pid.toLongLong() > 0 && environ.open(QIODevice::ReadOnly) &&
            environ.readAll().split('\0').contains(mark))
            ++found;
    }
    return found;
}

Outcome watch(QString const& program, QStringList const& args, double limitSeconds, qint64 limitKb, int run)
{
    Outcome out;
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QByteArray const mark = kRunMark + QByteArray::number(::getpid()) + '.' + QByteArray::number(run);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(mark.left(mark.indexOf('='))),
                       QString::fromLatin1(mark.mid(mark.indexOf('=') + 1)));
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(program, args);
    if (!process.waitForStarted(30000)) {
        out.result = QStringLiteral("not started");
        return out;
    }
    qint64 const pid = process.processId();
    QString stopped;
    while (!process.waitForFinished(50)) {
        out.peakKb = std::max(out.peakKb, treeKilobytes(pid));
        if (timer.elapsed() > limitSeconds * 1000)
            stopped = QStringLiteral("stopped after %1 s").arg(limitSeconds);
        else if (out.peakKb > limitKb)
            stopped = QStringLiteral("stopped at %1 MB").arg(limitKb / 1024);
        if (!stopped.isEmpty()) {
            // The helpers die with the thread that started them; PdfCreator's children with it.
            ::kill(pid_t(pid), SIGKILL);
            process.waitForFinished(10000);
            break;
        }
    }
    out.seconds = timer.elapsed() / 1000.0;
    // What ends with the run has a moment to go.
    for (int i = 0; i < 20 && (out.processesLeft = processesMarked(mark)) > 0; ++i)
        QThread::msleep(100);
    if (!stopped.isEmpty())
        out.result = stopped;
    else if (process.exitStatus() != QProcess::NormalExit)
        out.result = QStringLiteral("crashed");
    else
        out.result =
            QStringLiteral("code ") + (program.endsWith(QLatin1String("PdfCreator"))
                                           ? QString::number(process.exitCode())
                                           : QString::fromLatin1(process.readAllStandardOutput()).trimmed());
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() == 5 && args.at(1) == QLatin1String("--one"))
        return convertOne(args.at(2), args.at(3), args.at(4));
    args.removeFirst();
    double seconds = 120;
    qint64 megabytes = 6000;
    QString keep;
    QStringList wanted;
    while (!args.isEmpty()) {
        QString const a = args.takeFirst();
        if (a == QLatin1String("--seconds") && !args.isEmpty())
            seconds = args.takeFirst().toDouble();
        else if (a == QLatin1String("--megabytes") && !args.isEmpty())
            megabytes = args.takeFirst().toLongLong();
        else if (a == QLatin1String("--keep") && !args.isEmpty())
            keep = args.takeFirst();
        else
            wanted << a;
    }
    QTemporaryDir temp;
    QDir const work(keep.isEmpty() ? temp.path() : keep);
    work.mkpath(QStringLiteral("."));
    QString const self = QCoreApplication::applicationFilePath();
    QString const creator = QCoreApplication::applicationDirPath() + QStringLiteral("/PdfCreator");
    int run = 0;
    std::printf("%-26s %-22s %10s %11s  %s\n", "case", "result", "time", "peak", "left behind");
    for (Input const& input : kInputs) {
        QStringList targets;
        if (input.pdf)
            for (char const* t : kTargets)
                targets << QString::fromLatin1(t);
        else
            targets << QStringLiteral("create");
        QString path;
        for (QString const& target : targets) {
            QString const name = QString::fromLatin1(input.name) + ':' + target;
            if (!wanted.isEmpty() && !wanted.contains(name) &&
                !wanted.contains(QString::fromLatin1(input.name)))
                continue;
            if (path.isEmpty())
                path = makeInput(work, input);
            QString const out = work.filePath(QStringLiteral("out%1").arg(++run));
            QString const output = out + (target == "create"  ? ".pdf"
                                          : target == "image" ? ""
                                                              : "." + target);
            QStringList const before = work.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            Outcome const o =
                target == QLatin1String("create")
                    ? watch(creator, {"-input", path, "-output", output}, seconds, megabytes * 1024, run)
                    : watch(self, {"--one", target, path, output}, seconds, megabytes * 1024, run);
            QStringList left;
            if (o.processesLeft > 0)
                left << QStringLiteral("%1 process(es)").arg(o.processesLeft);
            bool const succeeded = o.result == QLatin1String("code 0");
            for (QString const& name : work.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
                if (!before.contains(name) && (!succeeded || work.filePath(name) != output))
                    left << name;
            std::printf("%-26s %-22s %8.2f s %8lld MB  %s\n", qPrintable(name), qPrintable(o.result),
                        o.seconds, o.peakKb / 1024,
                        left.isEmpty() ? "nothing" : qPrintable(left.join(QStringLiteral(", "))));
            std::fflush(stdout);
        }
    }
    return 0;
}
