// Peak memory of text recognition on a scan of mixed scripts: 20 A4 pages at 300 dpi, turned
// slightly, with grain (a full Latin page, short letters in Cyrillic, Arabic, Devanagari and
// Vietnamese, a Latin heading over Cyrillic), each page read by its script as language 6 does.
// Each figure comes from a process of its own, so that one run's peak is not another's.
//
//   bench_ocr_memory [--pages N]                 8 and 16 threads (cores), with the memory the
//                                                system has and with 4 GB and 2 GB available
//   bench_ocr_memory --one T MB [--pages N]      one run: T threads asked for (0: every core),
//                                                MB of memory available (0: what the system has)
//
// Prints per run the threads that ran, the memory counted for each, the peak resident size,
// and the wall time per page; asserts nothing.

#include "SyntheticScan.h"

#include "ocr/OcrModel.h"
#include "ocr/PdfRecognizer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

using namespace docquill::ocr;

namespace {

QVector<SyntheticScan> mixedPages(int count)
{
    QStringList const serbian = {"Фијуче ветар у шибљу, леди пасаже и кучиће. Поштовани",
                                 "господине Петровићу, захваљујемо се на Вашем писму од",
                                 "четвртог маја. Потписани уговор ћемо Вам послати следеће",
                                 "недеље. Срдачан поздрав, Ана Јовановић"};
    QStringList const arabic = {"نص حكيم له سر قاطع وذو شأن عظيم مكتوب على ثوب أخضر",
                                "ومغلف بجلد أزرق. نشكركم على رسالتكم وسنرسل إليكم العقد",
                                "الموقع في الأسبوع القادم. مع أطيب التحيات، سارة أحمد"};
    QStringList const marathi = {"सर्व मानवी व्यक्ती जन्मतःच स्वतंत्र आहेत व त्यांना समान",
                                 "प्रतिष्ठा व समान अधिकार आहेत. त्यांना विचारशक्ती व",
                                 "सदसद्विवेकबुद्धी लाभलेली आहे व त्यांनी एकमेकांशी",
                                 "बंधुत्वाच्या भावनेने आचरण करावे."};
    QStringList const vietnamese = {"Kính gửi ông Nguyễn, chúng tôi xin cảm ơn ông về bức thư",
                                    "ngày bốn tháng năm. Chúng tôi sẽ gửi hợp đồng đã ký cho",
                                    "ông vào tuần tới. Trân trọng, Trần Thị Lan"};
    QVector<SyntheticScan> const kinds = {
        SyntheticScan::make(34, 1),
        SyntheticScan::fromLines(serbian, QStringLiteral("Noto Sans")).atTopOfA4(),
        SyntheticScan::fromLines(arabic, QStringLiteral("Noto Naskh Arabic")).atTopOfA4(),
        SyntheticScan::fromLines(marathi, QStringLiteral("Noto Serif Devanagari")).atTopOfA4(),
        SyntheticScan::fromLines(vietnamese, QStringLiteral("Noto Serif")).atTopOfA4(),
        SyntheticScan::fromLines(QStringList{"Universal Declaration of Human Rights"} + serbian,
                                 QStringLiteral("Noto Serif"))
            .atTopOfA4(),
    };
    QVector<SyntheticScan> pages;
    for (int i = 0; i < count; ++i)
        pages << kinds.at(i % kinds.size()).scanned(i % 2 ? 0.7 : -0.5, quint32(i + 1));
    return pages;
}

qint64 statusField(char const* name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray const& line : status.readAll().split('\n')) {
        if (line.startsWith(name))
            return line.mid(int(qstrlen(name))).trimmed().split(' ').value(0).toLongLong() / 1024;
    }
    return -1;
}

int runOne(int threads, qint64 availableMb, int pageCount)
{
    QString const modelPath =
        QCoreApplication::applicationDirPath() + "/../Resources/resource/models/documentai.model";
    OcrModel model;
    if (!model.load(modelPath, false)) {
        std::printf("model: %s\n", qPrintable(model.errorString()));
        return 1;
    }
    QTemporaryDir dir;
    QString const pdf = dir.filePath("mixed.pdf");
    if (!SyntheticScan::writePdf(pdf, mixedPages(pageCount))) {
        std::printf("cannot write %s\n", qPrintable(pdf));
        return 1;
    }
    QString const spec = model.languageSpec(SdkLatinScripts);
    RecognitionOptions options;
    options.byScript = true;
    options.threads = threads;
    options.availableMemory = availableMb * 1024 * 1024;
    int const running = PdfRecognizer::threadCount(options, model, spec, pageCount);
    qint64 const perThread = PdfRecognizer::memoryPerThread(options, model, spec) / (1024 * 1024);
    qint64 const before = statusField("VmRSS:");
    QElapsedTimer clock;
    clock.start();
    PdfRecognition const result = PdfRecognizer::recognize(pdf, {}, model, spec, options);
    double const seconds = clock.nsecsElapsed() / 1e9;
    int recognized = 0;
    for (PageOutcome const& page : result.pages)
        recognized += page.kind == PageOutcome::Recognized ? 1 : 0;
    std::printf("%7d %9s %8d %11lld %10lld %10lld %8.1f %7.2f  %d/%d pages%s%s\n", threads,
                availableMb > 0 ? qPrintable(QString::number(availableMb)) : "system", running,
                perThread, before, statusField("VmHWM:"), seconds, seconds / pageCount, recognized, pageCount,
                result.status == Status::Ok ? "" : ", failed: ", qPrintable(result.error));
    return result.status == Status::Ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList const args = app.arguments();
    int pages = 20;
    int const at = args.indexOf(QStringLiteral("--pages"));
    if (at > 0 && at + 1 < args.size())
        pages = std::max(1, args.at(at + 1).toInt());
    int const one = args.indexOf(QStringLiteral("--one"));
    if (one > 0 && one + 2 < args.size())
        return runOne(args.at(one + 1).toInt(), args.at(one + 2).toLongLong(), pages);

    std::printf("%d pages of mixed scripts, each figure from a process of its own\n", pages);
    std::printf("%7s %9s %8s %11s %10s %10s %8s %7s\n", "threads", "avail MB", "ran", "counted MB", "start MB",
                "peak MB", "wall s", "s/page");
    std::fflush(stdout);
    for (int threads : {8, 16}) {
        for (int available : {0, 4096, 2048}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(),
                        {"--one", QString::number(threads), QString::number(available), "--pages",
                         QString::number(pages)});
            child.waitForFinished(-1);
        }
    }
    return 0;
}
