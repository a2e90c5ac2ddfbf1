// Text recognition per language as a user gets it: real text in each language, set by
// LibreOffice in Noto faces (so complex scripts are shaped), printed at 300 dpi in grey, made
// to look scanned (grain, specks, a slight turn) and wrapped as an image-only PDF; then
// converted to TXT and to a searchable PDF through the conversion library with what the
// application passes for that language: the number the option dialog stores, and for the
// languages stored as 6 the language chosen in the dialog. Three kinds of page:
//   paragraph  a paragraph filling the top third of the page
//   letter     two short paragraphs at the top of an otherwise white A4 page, in several faces
//              and sizes (little text: script detection is unsure on them)
//   mixed      a Latin heading over text in another script
// Prints the share of the source's words found in each output (for right-to-left text also
// the share that grep finds in pdftotext's output of the searchable PDF), the processor time
// per page, and per script the least share over its pages; asserts nothing.
//
//   bench_ocr_languages [--runs N] [--keep FOLDER] [--only NAME,NAME] [--no-choice] [--verbose]
//
// --no-choice passes only the stored number, as a caller that does not know the language
// chosen; --verbose logs (to the error stream) how each page's language data was chosen.

#include <pdfconv/base/ConvertOptions.h>
#include <pdfconv/common/LibraryManager.h>
#include <pdfconv/conversion/PdfConversion.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMap>
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

struct Language
{
    char const* name;
    char const* script;
    int stored; // what the option dialog stores: the id below 9, else 6
    int chosen; // the language chosen in the dialog when it is stored as 6, else 0
    char const* serif;
    char const* sans;
    bool rightToLeft;
    bool byCharacter; // no spaces between words: count characters
    char const* paragraph;
    char const* letter[2];
    char const* note[2]; // a note of two lines: few letters, many of them shaped alike in Latin and Cyrillic
    char const* heading; // a Latin heading set over the paragraph on a page of its own, or null
};

// The paragraphs: article 1 and the start of article 2 of the Universal Declaration of Human
// Rights. The letters: a pangram or a greeting and a few lines of an ordinary letter.
std::vector<Language> const kLanguages = {
    {"English", "Latin", 3, 0, "Noto Serif", "Noto Sans", false, false,
     "All human beings are born free and equal in dignity and rights. They are endowed with reason and "
     "conscience and should act towards one another in a spirit of brotherhood. Everyone is entitled to "
     "all the rights and freedoms set forth in this Declaration, without distinction of any kind, such as "
     "race, colour, sex, language, religion, political or other opinion.",
     {"Dear Mr Hall, thank you for your letter of the fourth of May. The quick brown fox jumps over the "
      "lazy dog.",
      "We will send you the signed contract next week. Kind regards, Anna Smith"},
     {"Dear Sam, the meeting is on Monday at ten in the small room upstairs.", "Best wishes, Anna"},
     nullptr},
    {"English as 6", "Latin", 6, 0, "Noto Serif", "Noto Sans", false, false,
     "All human beings are born free and equal in dignity and rights. They are endowed with reason and "
     "conscience and should act towards one another in a spirit of brotherhood. Everyone is entitled to "
     "all the rights and freedoms set forth in this Declaration, without distinction of any kind, such as "
     "race, colour, sex, language, religion, political or other opinion.",
     {"Dear Mr Hall, thank you for your letter of the fourth of May. The quick brown fox jumps over the "
      "lazy dog.",
      "We will send you the signed contract next week. Kind regards, Anna Smith"},
     {"Dear Sam, the meeting is on Monday at ten in the small room upstairs.", "Best wishes, Anna"},
     nullptr},
    {"German", "Latin", 6, 12, "Noto Serif", "Noto Sans", false, false,
     "Alle Menschen sind frei und gleich an Würde und Rechten geboren. Sie sind mit Vernunft und Gewissen "
     "begabt und sollen einander im Geist der Brüderlichkeit begegnen. Jeder hat Anspruch auf die in "
     "dieser Erklärung verkündeten Rechte und Freiheiten ohne irgendeinen Unterschied, etwa nach Rasse, "
     "Hautfarbe, Geschlecht, Sprache, Religion, politischer oder sonstiger Überzeugung.",
     {"Sehr geehrter Herr Müller, vielen Dank für Ihren Brief vom vierten Mai. Franz jagt im komplett "
      "verwahrlosten Taxi quer durch Bayern.",
      "Den unterschriebenen Vertrag senden wir Ihnen nächste Woche zu. Mit freundlichen Grüßen, Anna "
      "Schmidt"},
     {"Lieber Max, das Treffen ist am Montag um zehn Uhr im kleinen Raum oben.", "Viele Grüße, Anna"},
     nullptr},
    {"Polish", "Latin", 6, 22, "Noto Serif", "Noto Sans", false, false,
     "Wszyscy ludzie rodzą się wolni i równi pod względem swej godności i swych praw. Są oni obdarzeni "
     "rozumem i sumieniem i powinni postępować wobec innych w duchu braterstwa. Każdy człowiek posiada "
     "wszystkie prawa i wolności zawarte w niniejszej Deklaracji bez względu na różnice rasy, koloru "
     "skóry, płci, języka, wyznania, poglądów politycznych.",
     {"Szanowny Panie Kowalski, dziękujemy za list z czwartego maja. Pchnąć w tę łódź jeża lub ośm "
      "skrzyń fig.",
      "Podpisaną umowę wyślemy w przyszłym tygodniu. Z poważaniem, Anna Nowak"},
     {"Drogi Marku, spotkanie jest w poniedziałek o dziesiątej w małej sali na górze.", "Pozdrawiam, Anna"},
     nullptr},
    {"Czech", "Latin", 6, 36, "Noto Serif", "Noto Sans", false, false,
     "Všichni lidé rodí se svobodní a sobě rovní co do důstojnosti a práv. Jsou nadáni rozumem a svědomím "
     "a mají spolu jednat v duchu bratrství. Každý má všechna práva a všechny svobody stanovené touto "
     "Deklarací bez jakéhokoli rozlišování, zejména podle rasy, barvy, pohlaví, jazyka, náboženství, "
     "politického nebo jiného smýšlení.",
     {"Vážený pane Nováku, děkujeme za Váš dopis ze čtvrtého května. Příliš žluťoučký kůň úpěl ďábelské "
      "ódy.",
      "Podepsanou smlouvu Vám zašleme příští týden. S pozdravem, Anna Dvořáková"},
     {"Milý Marku, schůzka je v pondělí v deset hodin v malé místnosti nahoře.", "S pozdravem, Anna"},
     nullptr},
    {"Turkish", "Latin", 6, 30, "Noto Serif", "Noto Sans", false, false,
     "Bütün insanlar hür, haysiyet ve haklar bakımından eşit doğarlar. Akıl ve vicdana sahiptirler ve "
     "birbirlerine karşı kardeşlik zihniyeti ile hareket etmelidirler. Herkes, ırk, renk, cinsiyet, dil, "
     "din, siyasi veya diğer herhangi bir akide, milli veya içtimai menşe, servet, doğuş veya herhangi "
     "diğer bir fark gözetilmeksizin işbu Beyannamede ilan olunan tekmil haklardan istifade edebilir.",
     {"Sayın Yılmaz Bey, dört Mayıs tarihli mektubunuz için teşekkür ederiz. Pijamalı hasta yağız şoföre "
      "çabucak güvendi.",
      "İmzalı sözleşmeyi size gelecek hafta göndereceğiz. Saygılarımızla, Ayşe Demir"},
     {"Sevgili Mehmet, toplantı pazartesi saat onda üst kattaki küçük odada.", "Sevgiler, Ayşe"},
     nullptr},
    {"Vietnamese", "Latin", 6, 32, "Noto Serif", "Noto Sans", false, false,
     "Tất cả mọi người sinh ra đều được tự do và bình đẳng về nhân phẩm và quyền lợi. Mọi con người đều "
     "được tạo hóa ban cho lý trí và lương tâm và cần phải đối xử với nhau trong tình anh em. Mọi người "
     "đều được hưởng tất cả những quyền và tự do nêu trong Bản Tuyên ngôn này, không có bất kỳ sự phân "
     "biệt nào.",
     {"Kính gửi ông Nguyễn, chúng tôi xin cảm ơn ông về bức thư ngày bốn tháng năm.",
      "Chúng tôi sẽ gửi hợp đồng đã ký cho ông vào tuần tới. Trân trọng, Trần Thị Lan"},
     {"Anh Nam thân mến, cuộc họp vào thứ Hai lúc mười giờ ở phòng nhỏ trên lầu.", "Thân ái, Lan"},
     nullptr},
    {"Serbian", "Cyrillic", 6, 9, "Noto Serif", "Noto Sans", false, false,
     "Сва људска бића рађају се слободна и једнака у достојанству и правима. Она су обдарена разумом и "
     "свешћу и треба једни према другима да поступају у духу братства. Свакоме припадају сва права и "
     "слободе утврђене у овој Декларацији без икаквих разлика у погледу расе, боје коже, пола, језика, "
     "вероисповести, политичког или другог мишљења.",
     {"Фијуче ветар у шибљу, леди пасаже и кучиће. Поштовани господине Петровићу, захваљујемо се на "
      "Вашем писму од четвртог маја.",
      "Потписани уговор ћемо Вам послати следеће недеље. Срдачан поздрав, Ана Јовановић"},
     {"Драги Марко, хвала на писму. Састанак је у среду у осам сати у сали на спрату.", "Поздрав, Ана Јовановић"},
     "Universal Declaration of Human Rights"},
    {"Arabic", "Arabic", 6, 47, "Noto Naskh Arabic", "Noto Sans Arabic", true, false,
     "يولد جميع الناس أحرارا متساوين في الكرامة والحقوق. وقد وهبوا عقلا وضميرا وعليهم أن يعامل بعضهم "
     "بعضا بروح الإخاء. لكل إنسان حق التمتع بكافة الحقوق والحريات الواردة في هذا الإعلان، دون أي تمييز، "
     "كالتمييز بسبب العنصر أو اللون أو الجنس أو اللغة أو الدين أو الرأي السياسي.",
     {"نص حكيم له سر قاطع وذو شأن عظيم مكتوب على ثوب أخضر ومغلف بجلد أزرق.",
      "نشكركم على رسالتكم وسنرسل إليكم العقد الموقع في الأسبوع القادم. مع أطيب التحيات، سارة أحمد"},
     {"عزيزي مروان، الاجتماع يوم الاثنين في الساعة العاشرة في الغرفة الصغيرة في الطابق العلوي.", "مع التحية، سارة"},
     "Universal Declaration of Human Rights"},
    {"Marathi", "Devanagari", 6, 50, "Noto Serif Devanagari", "Noto Sans Devanagari", false, false,
     "सर्व मानवी व्यक्ती जन्मतःच स्वतंत्र आहेत व त्यांना समान प्रतिष्ठा व समान अधिकार आहेत. त्यांना "
     "विचारशक्ती व सदसद्विवेकबुद्धी लाभलेली आहे व त्यांनी एकमेकांशी बंधुत्वाच्या भावनेने आचरण करावे. या "
     "जाहीरनाम्यात नमूद केलेले सर्व अधिकार व स्वातंत्र्य प्रत्येकाला कोणताही भेदभाव न करता मिळाले "
     "पाहिजेत.",
     {"प्रिय श्री पाटील, आपल्या चार मे च्या पत्राबद्दल आम्ही आपले आभारी आहोत.",
      "आम्ही स्वाक्षरी केलेला करार पुढील आठवड्यात पाठवू. आपली विश्वासू, अनिता जोशी"},
     {"प्रिय मार्क, बैठक सोमवारी दहा वाजता वरच्या छोट्या खोलीत आहे.", "शुभेच्छा, अनिता"},
     "Universal Declaration of Human Rights"},
    {"Japanese", "Japanese", 5, 0, "IPAGothic", "Noto Sans CJK JP", false, true,
     "すべての人間は、生まれながらにして自由であり、かつ、尊厳と権利とについて平等である。人間は、理性と良心"
     "とを授けられており、互いに同胞の精神をもって行動しなければならない。すべて人は、人種、皮膚の色、性、言"
     "語、宗教、政治上その他の意見によるいかなる差別をも受けることなく、この宣言に掲げるすべての権利と自由と"
     "を享有することができる。",
     {"山田様、五月四日付のお手紙をありがとうございました。", "署名済みの契約書は来週お送りします。よろしくお願いいたします。"},
     {"山田さん、会議は月曜日の十時に二階の小さな部屋で行います。", "よろしくお願いします。"},
     nullptr},
};

enum class Kind
{
    Paragraph,
    Letter,
    Mixed
};

struct Page
{
    int language = 0;
    Kind kind = Kind::Paragraph;
    QString family;
    double points = 13;
    QString heading; // words that are not in the language's script
    QString body;
    QImage image;

    QString kindName() const
    {
        return kind == Kind::Paragraph ? QStringLiteral("paragraph")
                                       : kind == Kind::Letter ? QStringLiteral("letter") : QStringLiteral("mixed");
    }
};

QVector<Page> pagesToMake(QStringList const& only)
{
    QVector<Page> pages;
    for (int i = 0; i < int(kLanguages.size()); ++i) {
        Language const& l = kLanguages[size_t(i)];
        if (!only.isEmpty() && !only.contains(QString::fromUtf8(l.name), Qt::CaseInsensitive))
            continue;
        QString const paragraph = QString::fromUtf8(l.paragraph);
        QString const letter = QString::fromUtf8(l.letter[0]) + QLatin1Char('\n') + QString::fromUtf8(l.letter[1]);
        auto add = [&](Kind kind, char const* family, double points, QString const& body, QString const& heading) {
            Page page;
            page.language = i;
            page.kind = kind;
            page.family = QString::fromUtf8(family);
            page.points = points;
            page.body = body;
            page.heading = heading;
            pages << page;
        };
        add(Kind::Paragraph, l.serif, 13, paragraph, {});
        QString const note = QString::fromUtf8(l.note[0]) + QLatin1Char('\n') + QString::fromUtf8(l.note[1]);
        add(Kind::Letter, l.sans, 14, letter, {});
        add(Kind::Letter, l.serif, 11, letter, {});
        add(Kind::Letter, l.sans, 14, note, {});
        add(Kind::Letter, l.serif, 18, note, {});
        if (l.heading) {
            add(Kind::Mixed, l.serif, 12, paragraph, QString::fromUtf8(l.heading));
            add(Kind::Mixed, l.sans, 10, letter, QString::fromUtf8(l.heading));
        }
    }
    return pages;
}

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

// The share of the source's words that grep finds, as a user searching the file would.
double grepShare(QString const& source, QString const& pdf, QDir const& work)
{
    QString const text = work.filePath(QStringLiteral("grep.txt"));
    run("pdftotext", {"-enc", "UTF-8", pdf, text});
    QStringList const words = tokens(source, false);
    int found = 0;
    for (QString const& word : words) {
        bool ok = false;
        run("grep", {"-q", "-F", "--", word, text}, &ok);
        found += ok ? 1 : 0;
    }
    return words.isEmpty() ? 0 : double(found) / words.size();
}

QString htmlOf(Page const& page)
{
    Language const& l = kLanguages[size_t(page.language)];
    QString body;
    if (!page.heading.isEmpty())
        body += QStringLiteral("<p dir=\"ltr\" style=\"font-family:'Noto Sans'; font-size:%1pt; font-weight:bold; "
                               "margin-bottom:12pt\">%2</p>")
                    .arg(page.points + 6)
                    .arg(page.heading.toHtmlEscaped());
    for (QString const& paragraph : page.body.split(QLatin1Char('\n')))
        body += QStringLiteral("<p%1 style=\"font-family:'%2'; font-size:%3pt; line-height:150%; "
                               "margin-bottom:10pt\">%4</p>")
                    .arg(l.rightToLeft ? QStringLiteral(" dir=\"rtl\" align=\"right\"") : QString())
                    .arg(page.family)
                    .arg(page.points)
                    .arg(paragraph.toHtmlEscaped());
    return QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body%1>%2</body></html>")
        .arg(l.rightToLeft ? QStringLiteral(" dir=\"rtl\"") : QString(), body);
}

// Every page set by LibreOffice (one run for all) on A4, each printed at 300 dpi in grey; a
// null image where that failed.
void printPages(QVector<Page>& pages, QDir const& work, QString* log)
{
    QStringList sources;
    for (int i = 0; i < pages.size(); ++i) {
        sources << work.filePath(QStringLiteral("page%1.html").arg(i));
        QFile file(sources.last());
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.write(htmlOf(pages.at(i)).toUtf8());
    }
    QTemporaryDir profile;
    bool ok = false;
    *log = run(QStandardPaths::findExecutable("soffice"),
               QStringList{"-env:UserInstallation=" + QUrl::fromLocalFile(profile.path()).toString(),
                           "--headless", "--norestore", "--infilter=HTML (StarWriter)", "--convert-to",
                           "pdf:writer_pdf_Export", "--outdir", work.path()}
                   << sources,
               &ok);
    for (int i = 0; i < pages.size(); ++i) {
        QString const tag = work.filePath(QStringLiteral("page%1").arg(i));
        // Printed on A4 whatever paper LibreOffice chose, the text at the top left as set.
        *log += run("pdftoppm", {"-r", "300", "-gray", "-png", "-f", "1", "-l", "1", "-singlefile", "-W", "2480",
                                 "-H", "3508", tag + ".pdf", tag},
                    &ok);
        QImage printed = ok ? QImage(tag + ".png").convertToFormat(QImage::Format_Grayscale8) : QImage();
        if (!printed.isNull() && printed.size() != QSize(2480, 3508)) {
            QImage a4(2480, 3508, QImage::Format_Grayscale8);
            a4.fill(255);
            QPainter painter(&a4);
            painter.drawImage(0, 0, printed);
            painter.end();
            printed = a4;
        }
        pages[i].image = printed;
    }
}

// Paper grain, specks and a slight turn, as a flatbed scanner gives them.
QImage scanned(QImage const& page, quint32 seed)
{
    QRandomGenerator random(seed);
    // Between 0.4 and 1.2 degrees, either way.
    double const degrees = (0.4 + random.bounded(0.8)) * (random.bounded(2) ? 1 : -1);
    QImage turned(page.size(), QImage::Format_Grayscale8);
    turned.fill(255);
    {
        QPainter painter(&turned);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(page.width() / 2.0, page.height() / 2.0);
        painter.rotate(degrees);
        painter.translate(-page.width() / 2.0, -page.height() / 2.0);
        painter.drawImage(0, 0, page);
    }
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

bool writeImagePdf(QString const& path, QVector<QImage> const& images)
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    QImage const& first = images.first();
    writer.setPageSize(
        QPageSize(QSizeF(first.width() * 72.0 / 300, first.height() * 72.0 / 300), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int i = 0; i < images.size(); ++i) {
        if (i > 0)
            writer.newPage();
        painter.drawImage(QRectF(0, 0, images.at(i).width(), images.at(i).height()), images.at(i));
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

// What the application's converter tells the library before a conversion: the stored number,
// and for 6 the language chosen (a library that does not know the number keeps 6). Without
// the choice, as a caller that knows only the stored number.
void setLanguage(Language const& l, bool withChoice)
{
    LibraryManager::SetOCRLanguage(pdfconv::base::OCRLanguage(l.stored));
    if (withChoice && l.chosen > 0)
        LibraryManager::SetOCRLanguage(pdfconv::base::OCRLanguage(l.chosen));
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

struct ScriptFigures
{
    double leastTxt = 2, leastPdf = 2, leastGrep = 2, seconds = 0;
    int pages = 0, failed = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int runs = 1;
    QString keep;
    QStringList only;
    QStringList args = app.arguments();
    bool const withChoice = args.removeAll(QStringLiteral("--no-choice")) == 0;
    bool const verbose = args.removeAll(QStringLiteral("--verbose")) > 0;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == "--runs")
            runs = std::max(1, args.at(i + 1).toInt());
        else if (args.at(i) == "--keep")
            keep = args.at(i + 1);
        else if (args.at(i) == "--only")
            only = args.at(i + 1).split(',', Qt::SkipEmptyParts);
    }
    QTemporaryDir temporary;
    QDir work(keep.isEmpty() ? temporary.path() : keep);
    work.mkpath(".");

    LibraryManager::SetLogger(true, verbose);
    QString const model =
        QCoreApplication::applicationDirPath() + "/../Resources/resource/models/documentai.model";
    if (LibraryManager::SetDocumentAIModel(model.toUtf8().constData(), pdfconv::base::OCRLanguageAuto) != 0) {
        std::printf("the model %s does not load\n", qPrintable(model));
        return 1;
    }

    QVector<Page> pages = pagesToMake(only);
    QString log;
    printPages(pages, work, &log);
    std::printf("%-13s %-9s %-22s %6s %9s %9s %9s %9s %6s\n", "language", "page", "face", "stored", "TXT words",
                "TXT cpu s", "PDF words", "PDF cpu s", "grep");
    QMap<QString, ScriptFigures> scripts;
    QStringList scriptOrder;
    QImage englishPage;
    for (int i = 0; i < pages.size(); ++i) {
        Page const& page = pages.at(i);
        Language const& language = kLanguages[size_t(page.language)];
        QString const face = QStringLiteral("%1 %2pt").arg(page.family).arg(page.points);
        if (page.image.isNull()) {
            std::printf("%-13s %-9s %-22s could not be set: %s\n", language.name, qPrintable(page.kindName()),
                        qPrintable(face), qPrintable(log.left(300)));
            continue;
        }
        QString const tag = QStringLiteral("page%1").arg(i);
        QString const scan = work.filePath(tag + "-scan.pdf");
        // The same grain and turn for a page whichever pages run with it.
        writeImagePdf(scan, {scanned(page.image, qHash(QString::fromUtf8(language.name) + page.kindName() + face +
                                                        page.body.left(8)))});

        setLanguage(language, withChoice);
        int txtCode = 0, pdfCode = 0;
        QString const txt = work.filePath(tag + ".txt"), pdf = work.filePath(tag + "-ocr.pdf");
        double const txtSeconds =
            timed(&PdfConversion::StartPDFToTxt, scan, txt, applicationOptions(true), runs, &txtCode);
        double const pdfSeconds = timed(&PdfConversion::StartPDFToSearchablePdf, scan, pdf,
                                        applicationOptions(false), runs, &pdfCode);
        QString const source = page.heading + QLatin1Char('\n') + page.body;
        double const txtShare = txtSeconds < 0 ? 0 : share(source, readFile(txt), language.byCharacter);
        double const pdfShare = pdfSeconds < 0 ? 0 : share(source, pdfText(pdf), language.byCharacter);
        double const found = language.rightToLeft && pdfSeconds >= 0 ? grepShare(source, pdf, work) : -1;
        auto cell = [](double seconds, int code, double value) {
            return seconds < 0 ? QStringLiteral("code %1").arg(code) : QString::number(value, 'f', 2);
        };
        std::printf("%-13s %-9s %-22s %6d %9s %9.2f %9s %9.2f %6s\n", language.name, qPrintable(page.kindName()),
                    qPrintable(face), language.stored, qPrintable(cell(txtSeconds, txtCode, txtShare)), txtSeconds,
                    qPrintable(cell(pdfSeconds, pdfCode, pdfShare)), pdfSeconds,
                    found < 0 ? "" : qPrintable(QString::number(found, 'f', 2)));
        std::fflush(stdout);

        QString const script = QString::fromUtf8(language.script);
        if (!scriptOrder.contains(script))
            scriptOrder << script;
        ScriptFigures& figures = scripts[script];
        figures.leastTxt = std::min(figures.leastTxt, txtShare);
        figures.leastPdf = std::min(figures.leastPdf, pdfShare);
        if (found >= 0)
            figures.leastGrep = std::min(figures.leastGrep, found);
        figures.seconds += std::max(0.0, txtSeconds) + std::max(0.0, pdfSeconds);
        figures.pages += 2;
        figures.failed += (txtSeconds < 0) + (pdfSeconds < 0);
        if (page.language == 0 && page.kind == Kind::Paragraph)
            englishPage = page.image;
    }

    std::printf("\n%-11s %10s %10s %10s %12s %7s\n", "script", "least TXT", "least PDF", "least grep",
                "cpu s/page", "failed");
    for (QString const& script : scriptOrder) {
        ScriptFigures const& f = scripts[script];
        std::printf("%-11s %10.2f %10.2f %10s %12.2f %4d/%d\n", qPrintable(script), f.leastTxt, f.leastPdf,
                    f.leastGrep > 1 ? "" : qPrintable(QString::number(f.leastGrep, 'f', 2)),
                    f.pages ? f.seconds / f.pages : 0.0, f.failed, f.pages);
    }

    // Time per page of a longer English document, its pages recognised in parallel, with the
    // English number and with the number of the other languages.
    if (!englishPage.isNull()) {
        int const count = 8;
        QString const many = work.filePath("english-pages.pdf");
        writeImagePdf(many, QVector<QImage>(count, scanned(englishPage, 99)));
        std::printf("\nEnglish, %d pages to searchable PDF:\n", count);
        for (int language : {3, 6}) {
            LibraryManager::SetOCRLanguage(pdfconv::base::OCRLanguage(language));
            int code = 0;
            double const s = timed(&PdfConversion::StartPDFToSearchablePdf, many,
                                   work.filePath("english-ocr.pdf"), applicationOptions(false), runs, &code);
            std::printf("  language %d: %.2f s processor time, %.3f s per page%s\n", language, s, s / count,
                        s < 0 ? " (failed)" : "");
        }
    }
    return 0;
}
