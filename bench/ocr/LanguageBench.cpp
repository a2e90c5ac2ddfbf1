// Text recognition per language as a user gets it: a paragraph of real text in each language,
// set by LibreOffice in a Noto face (so complex scripts are shaped), printed at 300 dpi, made
// to look scanned (noise, a small skew) and wrapped as an image-only PDF; then converted to
// TXT and to a searchable PDF through the conversion library with the language number the
// option dialog stores for that language. Prints the share of the source's words found in each
// output and the time per conversion; asserts nothing.
//
//   bench_ocr_languages [--runs N] [--keep FOLDER]

#include <pdfconv/base/ConvertOptions.h>
#include <pdfconv/common/LibraryManager.h>
#include <pdfconv/conversion/PdfConversion.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using pdfconv::base::ConvertOptions;
using pdfconv::common::LibraryManager;
using pdfconv::conversion::PdfConversion;

namespace {

struct Sample
{
    char const* name;
    int storedLanguage; // what the option dialog stores: the id below 9, else 6
    char const* font;
    bool rightToLeft;
    bool byCharacter; // no spaces between words: count characters
    char const* text;
};

// Article 1 and the start of article 2 of the Universal Declaration of Human Rights.
std::vector<Sample> const kSamples = {
    {"English", 3, "Noto Serif", false, false,
     "All human beings are born free and equal in dignity and rights. They are endowed with reason and "
     "conscience and should act towards one another in a spirit of brotherhood. Everyone is entitled to "
     "all the rights and freedoms set forth in this Declaration, without distinction of any kind, such as "
     "race, colour, sex, language, religion, political or other opinion."},
    {"English as 6", 6, "Noto Serif", false, false,
     "All human beings are born free and equal in dignity and rights. They are endowed with reason and "
     "conscience and should act towards one another in a spirit of brotherhood. Everyone is entitled to "
     "all the rights and freedoms set forth in this Declaration, without distinction of any kind, such as "
     "race, colour, sex, language, religion, political or other opinion."},
    {"German", 6, "Noto Serif", false, false,
     "Alle Menschen sind frei und gleich an Würde und Rechten geboren. Sie sind mit Vernunft und Gewissen "
     "begabt und sollen einander im Geist der Brüderlichkeit begegnen. Jeder hat Anspruch auf die in "
     "dieser Erklärung verkündeten Rechte und Freiheiten ohne irgendeinen Unterschied, etwa nach Rasse, "
     "Hautfarbe, Geschlecht, Sprache, Religion, politischer oder sonstiger Überzeugung."},
    {"Polish", 6, "Noto Serif", false, false,
     "Wszyscy ludzie rodzą się wolni i równi pod względem swej godności i swych praw. Są oni obdarzeni "
     "rozumem i sumieniem i powinni postępować wobec innych w duchu braterstwa. Każdy człowiek posiada "
     "wszystkie prawa i wolności zawarte w niniejszej Deklaracji bez względu na różnice rasy, koloru "
     "skóry, płci, języka, wyznania, poglądów politycznych."},
    {"Czech", 6, "Noto Serif", false, false,
     "Všichni lidé rodí se svobodní a sobě rovní co do důstojnosti a práv. Jsou nadáni rozumem a svědomím "
     "a mají spolu jednat v duchu bratrství. Každý má všechna práva a všechny svobody stanovené touto "
     "Deklarací bez jakéhokoli rozlišování, zejména podle rasy, barvy, pohlaví, jazyka, náboženství, "
     "politického nebo jiného smýšlení."},
    {"Turkish", 6, "Noto Serif", false, false,
     "Bütün insanlar hür, haysiyet ve haklar bakımından eşit doğarlar. Akıl ve vicdana sahiptirler ve "
     "birbirlerine karşı kardeşlik zihniyeti ile hareket etmelidirler. Herkes, ırk, renk, cinsiyet, dil, "
     "din, siyasi veya diğer herhangi bir akide, milli veya içtimai menşe, servet, doğuş veya herhangi "
     "diğer bir fark gözetilmeksizin işbu Beyannamede ilan olunan tekmil haklardan istifade edebilir."},
    {"Vietnamese", 6, "Noto Serif", false, false,
     "Tất cả mọi người sinh ra đều được tự do và bình đẳng về nhân phẩm và quyền lợi. Mọi con người đều "
     "được tạo hóa ban cho lý trí và lương tâm và cần phải đối xử với nhau trong tình anh em. Mọi người "
     "đều được hưởng tất cả những quyền và tự do nêu trong Bản Tuyên ngôn này, không có bất kỳ sự phân "
     "biệt nào."},
    {"Serbian", 6, "Noto Serif", false, false,
     "Сва људска бића рађају се слободна и једнака у достојанству и правима. Она су обдарена разумом и "
     "свешћу и треба једни према другима да поступају у духу братства. Свакоме припадају сва права и "
     "слободе утврђене у овој Декларацији без икаквих разлика у погледу расе, боје коже, пола, језика, "
     "вероисповести, политичког или другог мишљења."},
    {"Arabic", 6, "Noto Naskh Arabic", true, false,
     "يولد جميع الناس أحرارا متساوين في الكرامة والحقوق. وقد وهبوا عقلا وضميرا وعليهم أن يعامل بعضهم "
     "بعضا بروح الإخاء. لكل إنسان حق التمتع بكافة الحقوق والحريات الواردة في هذا الإعلان، دون أي تمييز، "
     "كالتمييز بسبب العنصر أو اللون أو الجنس أو اللغة أو الدين أو الرأي السياسي."},
    {"Marathi", 6, "Noto Serif Devanagari", false, false,
     "सर्व मानवी व्यक्ती जन्मतःच स्वतंत्र आहेत व त्यांना समान प्रतिष्ठा व समान अधिकार आहेत. त्यांना "
     "विचारशक्ती व सदसद्विवेकबुद्धी लाभलेली आहे व त्यांनी एकमेकांशी बंधुत्वाच्या भावनेने आचरण करावे. या "
     "जाहीरनाम्यात नमूद केलेले सर्व अधिकार व स्वातंत्र्य प्रत्येकाला कोणताही भेदभाव न करता मिळाले "
     "पाहिजेत."},
    {"Japanese", 5, "IPAGothic", false, true,
     "すべての人間は、生まれながらにして自由であり、かつ、尊厳と権利とについて平等である。人間は、理性と良心"
     "とを授けられており、互いに同胞の精神をもって行動しなければならない。すべて人は、人種、皮膚の色、性、言"
     "語、宗教、政治上その他の意見によるいかなる差別をも受けることなく、この宣言に掲げるすべての権利と自由と"
     "を享有することができる。"},
};

QString run(QString const& program, QStringList const& args, bool* ok = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    bool const done =
        p.waitForFinished(180000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (ok)
        *ok = done;
    return QString::fromUtf8(p.readAll());
}

QString pdfText(QString const& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-enc", "UTF-8", pdf, "-"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Words (or characters) compared without punctuation and Arabic vowel marks, which a scan
// of ordinary print rarely shows apart, and without invisible format characters: pdftotext
// wraps right-to-left lines and the runs in them in directional marks, which belong to no word.
QStringList tokens(QString text, bool byCharacter)
{
    text = text.normalized(QString::NormalizationForm_C);
    QString clean;
    for (QChar c : text) {
        ushort const u = c.unicode();
        if ((u >= 0x064B && u <= 0x0652) || c.category() == QChar::Other_Format)
            continue;
        clean += c.isPunct() || c.isSymbol() ? QChar(' ') : c;
    }
    if (!byCharacter)
        return clean.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    QStringList out;
    for (QChar c : clean)
        if (!c.isSpace())
            out << QString(c);
    return out;
}

double share(QString const& source, QString const& found, bool byCharacter)
{
    QStringList const expected = tokens(source, byCharacter);
    QStringList pool = tokens(found, byCharacter);
    int hits = 0;
    for (QString const& word : expected) {
        int const at = pool.indexOf(word);
        if (at >= 0) {
            pool.removeAt(at);
            ++hits;
        }
    }
    return expected.isEmpty() ? 0 : double(hits) / expected.size();
}

// Every sample as an A4 page set by LibreOffice (one run for all), each printed at 300 dpi
// in grey; a null image where that failed.
QVector<QImage> printedPages(QDir const& work, QString* log)
{
    QStringList sources;
    for (size_t i = 0; i < kSamples.size(); ++i) {
        Sample const& sample = kSamples[i];
        sources << work.filePath(QStringLiteral("page%1.html").arg(i));
        QFile file(sources.last());
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body%1>"
                                  "<p style=\"font-family:'%2'; font-size:13pt; line-height:150%\">%3</p>"
                                  "</body></html>")
                       .arg(sample.rightToLeft ? QStringLiteral(" dir=\"rtl\"") : QString(),
                            QString::fromLatin1(sample.font), QString::fromUtf8(sample.text))
                       .toUtf8());
    }
    QTemporaryDir profile;
    bool ok = false;
    *log = run(QStandardPaths::findExecutable("soffice"),
               QStringList{"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(),
                           "--headless", "--norestore", "--infilter=HTML (StarWriter)", "--convert-to",
                           "pdf:writer_pdf_Export", "--outdir", work.path()}
                   << sources,
               &ok);
    QVector<QImage> pages;
    for (size_t i = 0; i < kSamples.size(); ++i) {
        QString const tag = work.filePath(QStringLiteral("page%1").arg(i));
        *log +=
            run("pdftoppm",
                {"-r", "300", "-gray", "-png", "-f", "1", "-l", "1", "-singlefile", tag + ".pdf", tag}, &ok);
        pages << (ok ? QImage(tag + ".png").convertToFormat(QImage::Format_Grayscale8) : QImage());
    }
    return pages;
}

// Paper grain, specks and a slight turn, as a flatbed scanner gives them.
QImage scanned(QImage const& page, quint32 seed)
{
    QImage turned(page.size(), QImage::Format_Grayscale8);
    turned.fill(255);
    {
        QPainter painter(&turned);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(page.width() / 2.0, page.height() / 2.0);
        painter.rotate(0.8);
        painter.translate(-page.width() / 2.0, -page.height() / 2.0);
        painter.drawImage(0, 0, page);
    }
    QRandomGenerator random(seed);
    for (int y = 0; y < turned.height(); ++y) {
        uchar* line = turned.scanLine(y);
        for (int x = 0; x < turned.width(); ++x) {
            // Roughly normal grain from the sum of uniform draws, sigma about 10 levels.
            int const grain =
                int(random.bounded(21)) + int(random.bounded(21)) + int(random.bounded(21)) - 30;
            line[x] = uchar(qBound(0, line[x] + grain, 255));
        }
    }
    for (int i = 0; i < 3000; ++i) {
        int const x = int(random.bounded(turned.width() - 2)), y = int(random.bounded(turned.height() - 2));
        uchar const v = random.bounded(2) ? 40 : 230;
        turned.scanLine(y)[x] = v;
        turned.scanLine(y + 1)[x + 1] = v;
    }
    return turned;
}

bool writeImagePdf(QString const& path, QImage const& image, int pages)
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageSize(
        QPageSize(QSizeF(image.width() * 72.0 / 300, image.height() * 72.0 / 300), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.drawImage(QRectF(0, 0, image.width(), image.height()), image);
    }
    return painter.end();
}

ConvertOptions applicationOptions(bool text)
{
    // What the application's converters set with "Recognize text" ticked.
    ConvertOptions o;
    o.useDocumentAI = true;
    o.excelSheetPerTable = true;
    o.ocrEnabled = true;
    o.keepLayout = !text;
    return o;
}

using Start = int (*)(char const*, char const*, char const*, ConvertOptions const&,
                      pdfconv::conversion::ProgressCallback);

double childCpuSeconds()
{
    struct rusage usage = {};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Best of runs: the processor time the conversion's helper used (a fair figure on a busy
// machine, where wall time mostly measures the others), or negative with the code on failure.
double timed(Start start, QString const& in, QString const& out, ConvertOptions const& options, int runs,
             int* code)
{
    double best = -1;
    for (int i = 0; i < runs; ++i) {
        QFile::remove(out);
        double const before = childCpuSeconds();
        *code = start(in.toUtf8().constData(), "", out.toUtf8().constData(), options, nullptr);
        double const s = childCpuSeconds() - before;
        if (*code != 0)
            return -1;
        best = best < 0 ? s : std::min(best, s);
    }
    return best;
}

QString readFile(QString const& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int runs = 1;
    QString keep;
    QStringList const args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == "--runs")
            runs = std::max(1, args.at(i + 1).toInt());
        else if (args.at(i) == "--keep")
            keep = args.at(i + 1);
    }
    QTemporaryDir temporary;
    QDir work(keep.isEmpty() ? temporary.path() : keep);
    work.mkpath(".");

    LibraryManager::SetLogger(true, false);
    QString const model =
        QCoreApplication::applicationDirPath() + "/../Resources/resource/models/documentai.model";
    if (LibraryManager::SetDocumentAIModel(model.toUtf8().constData(), pdfconv::base::OCRLanguageAuto) != 0) {
        std::printf("the model %s does not load\n", qPrintable(model));
        return 1;
    }

    std::printf("%-14s %6s %9s %9s %9s %9s\n", "language", "stored", "TXT words", "TXT cpu s", "PDF words",
                "PDF cpu s");
    QImage englishPage;
    QString log;
    QVector<QImage> const pages = printedPages(work, &log);
    for (size_t i = 0; i < kSamples.size(); ++i) {
        Sample const& sample = kSamples[i];
        QString const tag = QStringLiteral("page%1").arg(i);
        QImage const page = pages.value(int(i));
        if (page.isNull()) {
            std::printf("%-14s could not be set: %s\n", sample.name, qPrintable(log.left(300)));
            continue;
        }
        QString const scan = work.filePath(tag + "-scan.pdf");
        writeImagePdf(scan, scanned(page, quint32(i + 1)), 1);

        LibraryManager::SetOCRLanguage(pdfconv::base::OCRLanguage(sample.storedLanguage));
        int txtCode = 0, pdfCode = 0;
        QString const txt = work.filePath(tag + ".txt"), pdf = work.filePath(tag + "-ocr.pdf");
        double const txtSeconds =
            timed(&PdfConversion::StartPDFToTxt, scan, txt, applicationOptions(true), runs, &txtCode);
        double const pdfSeconds = timed(&PdfConversion::StartPDFToSearchablePdf, scan, pdf,
                                        applicationOptions(false), runs, &pdfCode);
        QString const source = QString::fromUtf8(sample.text);
        auto cell = [&](double seconds, int code, QString const& text) {
            return seconds < 0 ? QStringLiteral("code %1").arg(code)
                               : QString::number(share(source, text, sample.byCharacter), 'f', 2);
        };
        std::printf("%-14s %6d %9s %9.2f %9s %9.2f\n", sample.name, sample.storedLanguage,
                    qPrintable(cell(txtSeconds, txtCode, readFile(txt))), txtSeconds,
                    qPrintable(cell(pdfSeconds, pdfCode, pdfText(pdf))), pdfSeconds);
        std::fflush(stdout);

        if (i == 0)
            englishPage = page;
    }
    // Time per page of a longer English document, its pages recognised in parallel, with the
    // English number and with the number of the other languages.
    if (!englishPage.isNull()) {
        int const pages = 8;
        QString const many = work.filePath("english-pages.pdf");
        writeImagePdf(many, scanned(englishPage, 99), pages);
        std::printf("\nEnglish, %d pages to searchable PDF:\n", pages);
        for (int language : {3, 6}) {
            LibraryManager::SetOCRLanguage(pdfconv::base::OCRLanguage(language));
            int code = 0;
            double const s = timed(&PdfConversion::StartPDFToSearchablePdf, many,
                                   work.filePath("english-ocr.pdf"), applicationOptions(false), runs, &code);
            std::printf("  language %d: %.2f s processor time, %.3f s per page%s\n", language, s, s / pages,
                        s < 0 ? " (failed)" : "");
        }
    }
    return 0;
}
