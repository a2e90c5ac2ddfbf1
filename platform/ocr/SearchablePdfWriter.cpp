#include "ocr/SearchablePdfWriter.h"

#include "ocr/GlyphlessFont.h"
#include "ocr/PdfPageSource.h"
#include "ocr/PdfPassword.h"

#include <DiskFull.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace docquill::ocr {

namespace {

using CidMap = std::map<uint, int>;

// Character ids are two bytes; 0 stays the empty .notdef.
int const kMaxCid = 0xfffe;

QByteArray number(double value, int decimals)
{
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        return "0";
    QByteArray text = QByteArray::number(value, 'f', decimals);
    if (text.contains('.')) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
    }
    return text;
}

QByteArray hex4(uint value)
{
    return QByteArray::number(value, 16).rightJustified(4, '0').toUpper();
}

QByteArray utf16Hex(uint codePoint)
{
    if (codePoint < 0x10000)
        return hex4(codePoint);
    return hex4(QChar::highSurrogate(codePoint)) + hex4(QChar::lowSurrogate(codePoint));
}

// The invisible text of one word: its characters as they stand on the page, left to right, and
// the stretch of its line they cover, in pixels of the page.
struct Run
{
    qreal left = 0;
    qreal right = 0;
    QVector<uint> codePoints;
};

// The runs of a line's words. A run covers its word's box and, where a space follows the word,
// that space over the gap to the next word, on whichever side that word stands (left of a word
// in an Arabic line), so that a selection covers the words and extractors find every space
// whatever the gap. A right-to-left word goes in last letter first, as it stands on the page:
// readers of PDF text put such runs in reading order, and take a word whose letters run
// leftwards for as many words as it has letters. Boxes that reach into a neighbour's (Arabic
// words' often do) end where they meet: text drawn over other text is taken for a duplicate,
// or its letters are mixed into the other word.
QVector<Run> lineRuns(RecognizedPage const& page, RecognizedLine const& line)
{
    int const first = line.firstWord, count = line.wordCount;
    QVector<qreal> left(count), right(count);
    QVector<int> order(count);
    for (int i = 0; i < count; ++i) {
        QRect const& box = page.words.at(first + i).pixelRect;
        left[i] = box.left();
        right[i] = box.left() + box.width();
        order[i] = i;
    }
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return left[a] + right[a] < left[b] + right[b]; });
    for (int k = 1; k < count; ++k) {
        int const a = order.at(k - 1), b = order.at(k);
        if (right[a] <= left[b])
            continue;
        qreal const meet = (std::max(left[a], left[b]) + std::min(right[a], right[b])) / 2;
        right[a] = std::min(right[a], meet);
        left[b] = std::max(left[b], meet);
    }
    QVector<int> place(count);
    for (int k = 0; k < count; ++k)
        place[order.at(k)] = k;
    QVector<Run> runs(count);
    for (int i = 0; i < count; ++i) {
        QString const& text = page.words.at(first + i).text;
        Run& run = runs[i];
        run.left = left[i];
        run.right = right[i];
        run.codePoints = text.toUcs4();
        if (text.isRightToLeft())
            std::reverse(run.codePoints.begin(), run.codePoints.end());
        if (i + 1 == count || !page.spaceAfter(first + i))
            continue;
        // Over the gap where the next word is the neighbour, else inside the word's own stretch.
        if (place[i + 1] < place[i]) {
            if (place[i + 1] == place[i] - 1)
                run.left = right[i + 1];
            run.codePoints.prepend(' ');
        } else {
            if (place[i + 1] == place[i] + 1)
                run.right = left[i + 1];
            run.codePoints.append(' ');
        }
    }
    return runs;
}

// Maps the page as shown (points, origin top left, y down) to the page's user space, through
// the crop box and the page rotation.
class DisplayToUser
{
public:
    DisplayToUser(QRectF const& crop, int rotation) : m_crop(crop), m_rotation(rotation) {}

    QSizeF displaySize() const
    {
        return m_rotation % 180 ? QSizeF(m_crop.height(), m_crop.width()) : m_crop.size();
    }
    QPointF point(QPointF const& p) const
    {
        qreal const x0 = m_crop.left(), y0 = m_crop.top(), x1 = m_crop.right(), y1 = m_crop.bottom();
        switch (m_rotation) {
        case 90:
            return {x0 + p.y(), y0 + p.x()};
        case 180:
            return {x1 - p.x(), y0 + p.y()};
        case 270:
            return {x1 - p.y(), y1 - p.x()};
        default:
            return {x0 + p.x(), y1 - p.y()};
        }
    }
    QPointF vector(QPointF const& v) const
    {
        switch (m_rotation) {
        case 90:
            return {v.y(), v.x()};
        case 180:
            return {-v.x(), v.y()};
        case 270:
            return {-v.y(), -v.x()};
        default:
            return {v.x(), -v.y()};
        }
    }

private:
    // In user space; top() is the smaller y.
    QRectF m_crop;
    int m_rotation;
};

QRectF boxOf(QPDFObjectHandle box)
{
    if (!box.isRectangle())
        return {};
    QPDFObjectHandle::Rectangle const r = box.getArrayAsRectangle();
    return QRectF(QPointF(std::min(r.llx, r.urx), std::min(r.lly, r.ury)),
                  QPointF(std::max(r.llx, r.urx), std::max(r.lly, r.ury)));
}

int rotationOf(QPDFPageObjectHelper& page)
{
    QPDFObjectHandle rotate = page.getAttribute("/Rotate", false);
    if (!rotate.isInteger())
        return 0;
    long long const degrees = ((rotate.getIntValue() % 360) + 360) % 360;
    return degrees % 90 ? 0 : int(degrees);
}

// In radians: about two degrees.
qreal const kLevelSlant = 0.035;

QByteArray textLayer(RecognizedPage const& page, DisplayToUser const& map, CidMap const& cids,
                     QByteArray const& fontName)
{
    QSizeF const display = map.displaySize();
    if (page.imageSize.isEmpty() || display.isEmpty())
        return {};
    qreal const sx = display.width() / page.imageSize.width();
    qreal const sy = display.height() / page.imageSize.height();
    qreal const advance = qreal(GlyphlessFont::kAdvance) / GlyphlessFont::kUnitsPerEm;

    QByteArray out = "BT\n3 Tr\n";
    for (RecognizedLine const& line : page.lines) {
        if (line.firstWord < 0 || line.wordCount <= 0 || line.firstWord + line.wordCount > page.words.size())
            continue;
        QLineF const base = line.pixelBaseline;
        qreal angle = base.isNull() ? 0 : std::atan2(base.dy() * sy, base.dx() * sx);
        // The words of a line a scan turned a little stand level, each on the line's baseline:
        // letters drawn along the slant drift off the baseline they start on, and extractors
        // break a long word where they have drifted a fraction of their size.
        if (std::abs(angle) <= kLevelSlant)
            angle = 0;
        qreal const cosA = std::cos(angle), sinA = std::sin(angle);
        qreal const size = std::max<qreal>(1.0, line.pixelRect.height() * sy);
        for (Run const& run : lineRuns(page, line)) {
            if (run.codePoints.isEmpty())
                continue;
            // Baseline through the run's left edge, in points of the page as shown.
            qreal const x0 = run.left;
            qreal baseY = line.pixelRect.bottom();
            if (!base.isNull() && std::abs(base.dx()) > 1e-6)
                baseY = base.y1() + (x0 - base.x1()) * base.dy() / base.dx();
            qreal length = (run.right - run.left) * sx;
            if (std::abs(cosA) > 0.5)
                length /= std::abs(cosA);
            qreal const natural = run.codePoints.size() * size * advance;
            qreal const scale = length > 0 ? std::clamp(100.0 * length / natural, 1.0, 10000.0) : 100.0;

            QPointF const origin = map.point(QPointF(x0 * sx, baseY * sy));
            QPointF const along = map.vector(QPointF(cosA, sinA));
            QPointF const up = map.vector(QPointF(sinA, -cosA));

            out += '/' + fontName + ' ' + number(size, 2) + " Tf " + number(scale, 2) + " Tz " +
                   number(along.x(), 4) + ' ' + number(along.y(), 4) + ' ' + number(up.x(), 4) + ' ' +
                   number(up.y(), 4) + ' ' + number(origin.x(), 2) + ' ' + number(origin.y(), 2) + " Tm <";
            for (uint c : run.codePoints) {
                auto const it = cids.find(c);
                out += hex4(it == cids.end() ? 0 : uint(it->second));
            }
            out += "> Tj\n";
        }
    }
    out += "ET\n";
    return out;
}

QByteArray toUnicodeCMap(CidMap const& cids)
{
    QByteArray cmap = "/CIDInit /ProcSet findresource begin\n"
                      "12 dict begin\n"
                      "begincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n"
                      "/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    // At most 100 entries a block.
    auto it = cids.begin();
    while (it != cids.end()) {
        QByteArray block;
        int count = 0;
        for (; it != cids.end() && count < 100; ++it, ++count)
            block += '<' + hex4(uint(it->second)) + "> <" + utf16Hex(it->first) + ">\n";
        cmap += QByteArray::number(count) + " beginbfchar\n" + block + "endbfchar\n";
    }
    cmap += "endcmap\n"
            "CMapName currentdict /CMap defineresource pop\n"
            "end\n"
            "end\n";
    return cmap;
}

QPDFObjectHandle makeFont(QPDF& pdf, CidMap const& cids)
{
    QByteArray const fontData = GlyphlessFont::data();
    QPDFObjectHandle fontFile = QPDFObjectHandle::newStream(&pdf, fontData.toStdString());
    fontFile.getDict().replaceKey("/Length1", QPDFObjectHandle::newInteger(fontData.size()));

    QByteArray const name = GlyphlessFont::name();
    QPDFObjectHandle descriptor = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        ("<< /Type /FontDescriptor /FontName /" + name + " /Flags 5 /FontBBox [0 " +
         QByteArray::number(GlyphlessFont::kDescent) + ' ' + QByteArray::number(GlyphlessFont::kAdvance) +
         ' ' + QByteArray::number(GlyphlessFont::kAscent) + "] /ItalicAngle 0 /Ascent " +
         QByteArray::number(GlyphlessFont::kAscent) + " /Descent " +
         QByteArray::number(GlyphlessFont::kDescent) + " /CapHeight " +
         QByteArray::number(GlyphlessFont::kAscent) + " /StemV 80 >>")
            .toStdString()));
    descriptor.replaceKey("/FontFile2", fontFile);

    // Every character id draws the one empty glyph.
    int maxCid = 0;
    for (auto const& entry : cids)
        maxCid = std::max(maxCid, entry.second);
    std::string gidMap(size_t(maxCid + 1) * 2, '\0');
    for (int cid = 1; cid <= maxCid; ++cid)
        gidMap[size_t(cid) * 2 + 1] = 1;
    QPDFObjectHandle cidToGid = QPDFObjectHandle::newStream(&pdf, gidMap);

    QPDFObjectHandle cidFont = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        ("<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
         " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /DW " +
         QByteArray::number(GlyphlessFont::kAdvance) + " >>")
            .toStdString()));
    cidFont.replaceKey("/FontDescriptor", descriptor);
    cidFont.replaceKey("/CIDToGIDMap", cidToGid);

    QPDFObjectHandle type0 = pdf.makeIndirectObject(QPDFObjectHandle::parse(
        ("<< /Type /Font /Subtype /Type0 /BaseFont /" + name + " /Encoding /Identity-H >>").toStdString()));
    type0.replaceKey("/DescendantFonts", QPDFObjectHandle::newArray({cidFont}));
    type0.replaceKey("/ToUnicode", QPDFObjectHandle::newStream(&pdf, toUnicodeCMap(cids).toStdString()));
    return type0;
}

// Adds the font under a name the page does not use yet and returns that name.
QByteArray addFontResource(QPDFPageObjectHelper& page, QPDFObjectHandle const& font)
{
    QPDFObjectHandle resources = page.getAttribute("/Resources", true);
    if (!resources.isDictionary()) {
        resources = QPDFObjectHandle::newDictionary();
        page.getObjectHandle().replaceKey("/Resources", resources);
    }
    QPDFObjectHandle fonts = resources.getKey("/Font");
    if (!fonts.isDictionary()) {
        fonts = QPDFObjectHandle::newDictionary();
        resources.replaceKey("/Font", fonts);
    } else if (fonts.isIndirect()) {
        // Shared with other pages or forms: this page gets its own copy.
        fonts = fonts.shallowCopy();
        resources.replaceKey("/Font", fonts);
    }
    QByteArray name = "OcrText";
    for (int n = 1; fonts.hasKey('/' + name.toStdString()); ++n)
        name = "OcrText" + QByteArray::number(n);
    fonts.replaceKey('/' + name.toStdString(), font);
    return name;
}

// Opened with the first form of the password that works; the last failure is thrown.
std::unique_ptr<QPDF> openPdf(QByteArray const& file, QByteArray const& password)
{
    std::vector<std::string> const forms = PdfPassword::forms(password);
    for (size_t i = 0;; ++i) {
        auto pdf = std::make_unique<QPDF>();
        pdf->setSuppressWarnings(true);
        try {
            pdf->processFile(file.constData(), forms.at(i).c_str());
            return pdf;
        } catch (QPDFExc const& e) {
            if (e.getErrorCode() != qpdf_e_password || i + 1 == forms.size())
                throw;
        }
    }
}

class TemporaryOutput
{
public:
    explicit TemporaryOutput(QString const& output)
    {
        for (int attempt = 0; attempt < 16 && m_fd < 0; ++attempt) {
            m_path = QStringLiteral("%1.%2.tmp")
                         .arg(output)
                         .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
            // 0666 through the umask, as any new file of the user.
            m_fd =
                ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd < 0 && errno != EEXIST)
                break;
        }
    }
    ~TemporaryOutput()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_kept && !m_path.isEmpty())
            QFile::remove(m_path);
    }
    TemporaryOutput(TemporaryOutput const&) = delete;
    TemporaryOutput& operator=(TemporaryOutput const&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    QString path() const { return m_path; }
    // Hands the descriptor over as a stream that the writer closes.
    FILE* takeStream()
    {
        FILE* stream = ::fdopen(m_fd, "wb");
        if (stream)
            m_fd = -1;
        return stream;
    }
    bool commit(QString const& output)
    {
        if (::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(output).constData()) != 0)
            return false;
        m_kept = true;
        return true;
    }

private:
    QString m_path;
    int m_fd = -1;
    bool m_kept = false;
};

} // namespace

Status SearchablePdfWriter::write(QString const& input, QByteArray const& password, QString const& output,
                                  QVector<PageOutcome> const& pages, QString* error)
{
    auto fail = [error](Status status, QString const& message) {
        if (error)
            *error = message;
        return status;
    };
    if (error)
        error->clear();

    QFileInfo const in(input);
    if (!in.isFile())
        return fail(Status::FileNotFound, QStringLiteral("cannot read %1").arg(input));
    QFileInfo const out(output);
    if (output.isEmpty() || out.isDir())
        return fail(Status::InvalidArgument, QStringLiteral("no output file name"));
    if (out.exists() && out.canonicalFilePath() == in.canonicalFilePath())
        return fail(Status::InvalidArgument, QStringLiteral("the output would replace the input"));

    // Failures while opening point at the input, those while writing mostly at the output.
    enum class Phase
    {
        Opening,
        Editing,
        Writing
    } phase = Phase::Opening;
    try {
        std::unique_ptr<QPDF> const opened = openPdf(QFile::encodeName(input), password);
        QPDF& pdf = *opened;
        phase = Phase::Editing;

        std::vector<QPDFPageObjectHelper> pdfPages = QPDFPageDocumentHelper(pdf).getAllPages();
        if (int(pdfPages.size()) != pages.size()) {
            return fail(Status::InvalidArgument, QStringLiteral("%1 pages given for a document of %2 pages")
                                                     .arg(pages.size())
                                                     .arg(pdfPages.size()));
        }

        // One font for the document; its ids follow the code points, so the same text always
        // gives the same file.
        CidMap cids;
        for (PageOutcome const& outcome : pages) {
            if (outcome.kind != PageOutcome::Recognized)
                continue;
            for (RecognizedWord const& word : outcome.page.words) {
                for (uint c : word.text.toUcs4())
                    cids.emplace(c, 0);
            }
            cids.emplace(' ', 0);
        }
        int nextCid = 1;
        for (auto& entry : cids)
            entry.second = nextCid <= kMaxCid ? nextCid++ : 0;

        QPDFObjectHandle font;
        for (int i = 0; i < pages.size(); ++i) {
            PageOutcome const& outcome = pages.at(i);
            if (outcome.kind != PageOutcome::Recognized || outcome.page.isEmpty())
                continue;
            QPDFPageObjectHelper& page = pdfPages[size_t(i)];
            QRectF crop = boxOf(page.getCropBox());
            QRectF const media = boxOf(page.getMediaBox());
            // Viewers show the part of the crop box that lies on the media box.
            if (!media.isEmpty())
                crop = crop.isEmpty() ? media : crop.intersected(media);
            if (crop.isEmpty())
                continue;
            if (!font.isInitialized())
                font = makeFont(pdf, cids);
            QByteArray const name = addFontResource(page, font);
            QByteArray const layer =
                textLayer(outcome.page, DisplayToUser(crop, rotationOf(page)), cids, name);
            // The page's own content runs in a saved graphics state, so whatever state it leaves
            // behind does not move or hide the text.
            page.addPageContents(QPDFObjectHandle::newStream(&pdf, "q\n"), true);
            page.addPageContents(QPDFObjectHandle::newStream(&pdf, ("\nQ\n" + layer).toStdString()), false);
        }

        TemporaryOutput temporary(output);
        if (!temporary.isOpen())
            return fail(Status::OutputFailed,
                        QStringLiteral("cannot create a file in %1").arg(out.absolutePath()));
        FILE* stream = temporary.takeStream();
        if (!stream)
            return fail(Status::OutputFailed, QStringLiteral("cannot write %1").arg(temporary.path()));
        QByteArray const description = QFile::encodeName(temporary.path());
        phase = Phase::Writing;
        int const written = diskfull::writeStream(stream, [&](FILE* file) {
            QPDFWriter writer(pdf, description.constData(), file, false);
            writer.write();
        });
        if (written != 0)
            return fail(diskfull::isFull(written) ? Status::DiskFull : Status::OutputFailed,
                        QStringLiteral("cannot write %1: %2")
                            .arg(output, QString::fromLocal8Bit(std::strerror(written))));
        if (!temporary.commit(output))
            return fail(Status::OutputFailed, QStringLiteral("cannot create %1").arg(output));
    } catch (QPDFExc const& e) {
        QString const message = QString::fromUtf8(e.what());
        if (e.getErrorCode() == qpdf_e_password)
            return fail(Status::PasswordError, QStringLiteral("the password does not open %1").arg(input));
        if (e.getErrorCode() == qpdf_e_system && phase == Phase::Writing)
            return fail(Status::OutputFailed, message);
        // Objects are read lazily: damage can surface at any phase.
        return fail(phase == Phase::Opening ? PdfPageSource::classifyUnreadable(input) : Status::Damaged,
                    message);
    } catch (std::bad_alloc const&) {
        return fail(Status::OutOfMemory, QStringLiteral("out of memory"));
    } catch (std::exception const& e) {
        QString const message = QString::fromUtf8(e.what());
        switch (phase) {
        case Phase::Opening:
            return fail(PdfPageSource::classifyUnreadable(input), message);
        case Phase::Editing:
            return fail(Status::Damaged, message);
        case Phase::Writing:
            return fail(Status::OutputFailed, message);
        }
    }
    return Status::Ok;
}

Status SearchablePdfWriter::convert(QString const& input, QByteArray const& password, QString const& output,
                                    OcrModel const& model, QString const& languageSpec,
                                    RecognitionOptions const& options, QString* error)
{
    PdfRecognition const recognition =
        PdfRecognizer::recognize(input, password, model, languageSpec, options);
    if (recognition.status != Status::Ok) {
        if (error)
            *error = recognition.error;
        return recognition.status;
    }
    return write(input, password, output, recognition.pages, error);
}

} // namespace docquill::ocr
