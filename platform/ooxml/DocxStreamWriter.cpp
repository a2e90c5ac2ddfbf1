#include "ooxml/DocxStreamWriter.h"

#include "internal/DeflateSpool.h"
#include "internal/OutputFile.h"
#include "internal/PackageWriter.h"
#include "internal/PictureData.h"
#include "internal/XmlText.h"

#include <DiskFull.h>

#include <QCryptographicHash>
#include <QFile>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace ooxml {

namespace {

using namespace internal;

constexpr int MinPageTwips = 144;    // 0.1 inch
constexpr int MaxPageTwips = 31680;  // 22 inches, the largest page Word accepts
constexpr int MinContentTwips = 144; // text width and height that margins must leave

constexpr char const* StylesXml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii="%FACE%" w:hAnsi="%FACE%" w:cs="%FACE%"/><w:sz w:val="%SIZE%"/><w:szCs w:val="%SIZE%"/></w:rPr></w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:after="0" w:line="240" w:lineRule="auto"/></w:pPr></w:pPrDefault></w:docDefaults><w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/></w:style><w:style w:type="character" w:default="1" w:styleId="DefaultParagraphFont"><w:name w:val="Default Paragraph Font"/><w:uiPriority w:val="1"/><w:semiHidden/><w:unhideWhenUsed/></w:style><w:style w:type="table" w:default="1" w:styleId="TableNormal"><w:name w:val="Normal Table"/><w:uiPriority w:val="99"/><w:semiHidden/><w:unhideWhenUsed/><w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar><w:top w:w="0" w:type="dxa"/><w:left w:w="108" w:type="dxa"/><w:bottom w:w="0" w:type="dxa"/><w:right w:w="108" w:type="dxa"/></w:tblCellMar></w:tblPr></w:style></w:styles>
)";

constexpr char const* SettingsXml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:settings xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:defaultTabStop w:val="720"/>%EVEN%%NOTES%<w:compat><w:compatSetting w:name="compatibilityMode" w:uri="http://schemas.microsoft.com/office/word" w:val="15"/></w:compat></w:settings>
)";

constexpr char const* MainNamespace = "http://schemas.openxmlformats.org/wordprocessingml/2006/main";
constexpr char const* RelationshipNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

int twips(double points)
{
    return int(std::lround(std::clamp(points, -1.0e6, 1.0e6) * 20.0));
}

// Page geometry in twips, already made acceptable to Word.
struct PageGeometry
{
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int columns = 1;
    int columnGap = 720;
    bool continuous = false;
    int header = 708; // from the top edge
    int footer = 708; // from the bottom edge
    int firstNumber = 0;
    int lineNumbers = 0; // the numbers' distance from the text; 0: none
    bool lineNumbersEachPage = false;

    int contentWidth() const { return width - left - right; }
};

void fitMargins(int size, int& first, int& second)
{
    first = std::clamp(first, 0, MaxPageTwips);
    second = std::clamp(second, 0, MaxPageTwips);
    int const room = size - MinContentTwips;
    if (first + second > room) {
        double const scale = double(room) / double(first + second);
        first = int(first * scale);
        second = int(second * scale);
    }
}

bool pageGeometry(WordPageSetup const& page, PageGeometry* out)
{
    double const w = page.size.width();
    double const h = page.size.height();
    if (!std::isfinite(w) || !std::isfinite(h) || w <= 0.0 || h <= 0.0)
        return false;
    QMarginsF const& m = page.margins;
    for (double v : {m.left(), m.top(), m.right(), m.bottom()}) {
        if (!std::isfinite(v))
            return false;
    }
    out->width = std::clamp(twips(w), MinPageTwips, MaxPageTwips);
    out->height = std::clamp(twips(h), MinPageTwips, MaxPageTwips);
    out->left = twips(m.left());
    out->right = twips(m.right());
    out->top = twips(m.top());
    out->bottom = twips(m.bottom());
    fitMargins(out->width, out->left, out->right);
    fitMargins(out->height, out->top, out->bottom);
    out->columns = std::clamp(page.columns, 1, 10);
    double const gap = std::isfinite(page.columnGap) ? page.columnGap : 36.0;
    out->columnGap = std::clamp(twips(gap), 0, out->contentWidth() / out->columns);
    out->continuous = page.continuous;
    out->header = page.headerDistance >= 0 && std::isfinite(page.headerDistance)
                      ? std::clamp(twips(page.headerDistance), 0, out->height)
                      : std::min(708, out->top);
    out->footer = page.footerDistance >= 0 && std::isfinite(page.footerDistance)
                      ? std::clamp(twips(page.footerDistance), 0, out->height)
                      : std::min(708, out->bottom);
    out->firstNumber = std::clamp(page.firstPageNumber, 0, 32767);
    out->lineNumbers = page.lineNumberDistance > 0 && std::isfinite(page.lineNumberDistance)
                           ? std::clamp(twips(page.lineNumberDistance), 1, std::max(1, out->left))
                           : 0;
    out->lineNumbersEachPage = page.lineNumbersEachPage;
    return true;
}

char const* borderStyle(WordBorder::Style style)
{
    switch (style) {
    case WordBorder::Style::Single:
        return "single";
    case WordBorder::Style::Dashed:
        return "dashed";
    case WordBorder::Style::Dotted:
        return "dotted";
    case WordBorder::Style::Double:
        return "double";
    default:
        return "nil";
    }
}

// Eighths of a point, as borders measure their width; Word accepts 2 to 96.
int borderEighths(double points)
{
    return std::isfinite(points) ? std::clamp(int(std::lround(points * 8.0)), 2, 96) : 4;
}

char const* numberFormat(WordListLabel::Kind kind)
{
    switch (kind) {
    case WordListLabel::Kind::Bullet:
        return "bullet";
    case WordListLabel::Kind::LowerLetter:
        return "lowerLetter";
    case WordListLabel::Kind::UpperLetter:
        return "upperLetter";
    case WordListLabel::Kind::LowerRoman:
        return "lowerRoman";
    case WordListLabel::Kind::UpperRoman:
        return "upperRoman";
    default:
        return "decimal";
    }
}

int halfPoints(double points)
{
    if (!std::isfinite(points))
        return 22;
    return std::clamp(int(std::lround(points * 2.0)), 2, 3276);
}

qint64 pictureBytes(WordParagraph const& paragraph)
{
    qint64 bytes = 0;
    for (auto const& item : paragraph.content)
        if (auto const* picture = std::get_if<WordPicture>(&item))
            bytes += picture->picture.data.size();
    return bytes;
}

qint64 pictureBytes(WordBlock const& block)
{
    if (auto const* paragraph = std::get_if<WordParagraph>(&block))
        return pictureBytes(*paragraph);
    qint64 bytes = 0;
    if (auto const* table = std::get_if<WordTable>(&block))
        for (auto const& row : table->rows)
            for (auto const& cell : row.cells)
                for (auto const& paragraph : cell.paragraphs)
                    bytes += pictureBytes(paragraph);
    return bytes;
}

} // namespace

class DocxStreamWriter::Private
{
public:
    Private(QString const& path, ExistingFile existing);
    ~Private()
    {
        stopWriting();
        discard();
    }

    // Blocks become XML on a thread of their own, in the order they came, while the caller
    // makes the next ones; a few hundred, or a few megabytes of pictures, may wait, so memory
    // stays bounded.
    void post(std::function<void()> run, qint64 bytes = 0)
    {
        Task task{std::move(run), bytes};
        {
            std::unique_lock<std::mutex> lock(m_queueMutex);
            if (m_stop)
                return; // finished or being destroyed: nothing more goes into the package
            m_queueChanged.wait(lock, [&] {
                return m_queue.empty() || (m_queue.size() < kMaxWaiting && m_waitingBytes < kMaxWaitingBytes);
            });
            try {
                if (!m_writing.joinable())
                    m_writing = std::thread([this] { writeQueued(); });
                m_queue.push_back(std::move(task));
                m_waitingBytes += bytes;
                // The thread is woken for a batch, not for every block.
                if (batchWaits())
                    m_queueChanged.notify_all();
                return;
            } catch (...) {
            }
        }
        // No thread or no memory to queue it: written here, after what waits.
        drain();
        this->run(task.run);
    }
    // Waits until everything posted is written.
    void drain()
    {
        std::unique_lock<std::mutex> lock(m_queueMutex);
        m_draining = true;
        m_queueChanged.notify_all();
        m_queueChanged.wait(lock, [&] { return m_queue.empty() && !m_busy; });
        m_draining = false;
    }
    void stopWriting()
    {
        {
            std::lock_guard<std::mutex> lock(m_queueMutex);
            m_stop = true;
            m_queue.clear();
            m_waitingBytes = 0;
        }
        m_queueChanged.notify_all();
        if (m_writing.joinable())
            m_writing.join();
    }

    bool failed() const { return !m_error.ok(); }
    void fail(WriteError error, QString const& message)
    {
        if (m_error.ok())
            m_error = WriteResult::failure(error, message);
    }

    void beginSection(WordPageSetup const& setup);
    void add(WordBlock const& block);
    WriteResult finish();

    DocumentInfo m_info;
    int m_storedCount = 0;
    QString m_defaultFamily = QStringLiteral("Arial");
    int m_defaultSize = 22; // half points

private:
    struct Stored
    {
        QString name; // in word/media
        QString id;   // the relationship's
    };
    struct Media
    {
        QString part;
        qint64 offset = 0;
        qint64 length = 0;
        QString contentType;
    };

    bool open();
    void endSection(bool last);
    void writePending(PageGeometry const* sectionEnd);
    std::optional<Stored> store(Picture const& picture);
    void paragraph(WordParagraph const& paragraph, bool breakBefore, PageGeometry const* sectionEnd);
    void frameProperties(QRectF const& frame);
    int numbering(WordListLabel const& label);
    QByteArray numberingXml() const;
    void breakParagraph();
    void run(TextRun const& run);
    void runProperties(TextRun const& run);
    void field(TextRun const& run);
    void note(WordNote const& note);
    void picture(WordPicture const& picture);
    // The part holding these paragraphs, written once for all sections that show them.
    QString marginalPart(QVector<WordParagraph> const& paragraphs, bool header);
    void marginalReferences(WordHeaderFooter const& parts, char const* type);
    void table(WordTable const& table, PageGeometry const& page);
    void border(char const* edge, WordBorder const& border);
    void sectionProperties(PageGeometry const& page);
    void discard();
    void writeQueued()
    {
        std::unique_lock<std::mutex> lock(m_queueMutex);
        for (;;) {
            m_queueChanged.wait(lock,
                                [&] { return m_stop || batchWaits() || (m_draining && !m_queue.empty()); });
            if (m_stop)
                return;
            while (!m_stop && !m_queue.empty()) {
                Task task = std::move(m_queue.front());
                m_queue.pop_front();
                m_busy = true;
                lock.unlock();
                run(task.run);
                task.run = nullptr; // what the block held is let go here, not on the caller's thread
                lock.lock();
                m_waitingBytes -= task.bytes;
                m_busy = false;
                m_queueChanged.notify_all();
            }
        }
    }

    // No call throws: the first failure is kept for finish().
    void run(std::function<void()> const& task)
    {
        WriteResult const result = guarded([&] {
            task();
            return WriteResult::success();
        });
        if (!result.ok())
            fail(result.error, result.message);
    }

    struct Task
    {
        std::function<void()> run;
        qint64 bytes = 0; // of the pictures it holds
    };
    bool batchWaits() const { return m_queue.size() >= kBatch || m_waitingBytes >= kBatchBytes; }

    static constexpr std::size_t kBatch = 32;
    static constexpr std::size_t kMaxWaiting = 256;
    static constexpr qint64 kBatchBytes = 512 << 10;
    static constexpr qint64 kMaxWaitingBytes = 2 << 20;
    std::mutex m_queueMutex;
    std::condition_variable m_queueChanged;
    std::deque<Task> m_queue;
    qint64 m_waitingBytes = 0;
    bool m_busy = false;
    bool m_draining = false;
    bool m_stop = false;
    std::thread m_writing;

    QString m_path;
    ExistingFile m_existing;
    WriteResult m_error;
    bool m_opened = false;
    QFile m_body;                          // word/document.xml as it is written
    QFile m_media;                         // the pictures, one after the other
    std::unique_ptr<DeflateSpool> m_spool; // word/document.xml compressed, into m_body
    std::unique_ptr<XmlWriter> m_xml;      // word/document.xml, into m_spool
    Relationships m_relationships;
    QHash<QByteArray, Stored> m_stored; // by the digest of the bytes
    QVector<Media> m_mediaParts;
    int m_drawingCount = 0;
    // Lists: the numbering of each list number, and the labels in order of first use.
    QHash<int, int> m_numberingOfList;
    QVector<WordListLabel> m_numberings;
    // The section being written, and the last block added to it: that one carries the
    // section's properties when it is a paragraph, so it is written only when the next
    // block comes or the section ends.
    int m_sections = 0;
    PageGeometry m_page;
    bool m_inMarginal = false; // writing a header or footer part
    std::optional<WordBlock> m_pending;
    bool m_pendingBreak = false; // a page break came before the pending block
    bool m_break = false;        // a page break came after it
    bool m_afterFrame = false;   // the block written last is a framed paragraph
    // Running heads and feet: those of the section being written, and each distinct part
    // with its relationship, by its XML.
    WordPageSetup m_marginals;
    QHash<QByteArray, QString> m_marginalIds;
    struct XmlPart
    {
        QString name;
        QByteArray xml;
        QString contentType;
    };
    QVector<XmlPart> m_xmlParts;
    int m_headers = 0;
    int m_footers = 0;
    bool m_evenPages = false;
    // Footnotes, written as they come into a part of their own.
    std::unique_ptr<XmlWriter> m_notes;
    int m_noteCount = 0;
};

DocxStreamWriter::Private::Private(QString const& path, ExistingFile existing)
    : m_path(path), m_existing(existing)
{
    m_error = checkTarget(path, existing);
}

bool DocxStreamWriter::Private::open()
{
    if (m_opened || failed())
        return !failed();
    m_opened = true;
    m_body.setFileName(temporaryPathFor(m_path));
    m_media.setFileName(temporaryPathFor(m_path));
    if (!m_body.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
        !m_media.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        fail(WriteError::CannotWrite,
             QStringLiteral("cannot create a temporary file beside \"%1\": %2")
                 .arg(m_path, m_body.isOpen() ? m_media.errorString() : m_body.errorString()));
        return false;
    }
    m_relationships.add(rel::styles, QStringLiteral("styles.xml"));
    m_relationships.add(rel::settings, QStringLiteral("settings.xml"));
    m_spool = std::make_unique<DeflateSpool>(&m_body);
    m_xml = std::make_unique<XmlWriter>(m_spool.get());
    m_xml->start("w:document");
    m_xml->attr("xmlns:w", "http://schemas.openxmlformats.org/wordprocessingml/2006/main");
    m_xml->attr("xmlns:r", "http://schemas.openxmlformats.org/officeDocument/2006/relationships");
    m_xml->attr("xmlns:wp", "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
    m_xml->attr("xmlns:a", "http://schemas.openxmlformats.org/drawingml/2006/main");
    m_xml->attr("xmlns:pic", "http://schemas.openxmlformats.org/drawingml/2006/picture");
    m_xml->start("w:body");
    return true;
}

void DocxStreamWriter::Private::beginSection(WordPageSetup const& setup)
{
    if (!open())
        return;
    if (m_sections > 0)
        endSection(false);
    ++m_sections;
    m_marginals = setup;
    if (!pageGeometry(setup, &m_page))
        fail(WriteError::InvalidDocument,
             QStringLiteral("section %1 has no valid page size and margins").arg(m_sections));
}

void DocxStreamWriter::Private::add(WordBlock const& block)
{
    if (m_sections == 0)
        beginSection(WordPageSetup());
    if (failed())
        return;
    if (std::holds_alternative<PageBreak>(block)) {
        m_break = true;
        return;
    }
    writePending(nullptr);
    m_pending = block;
    m_pendingBreak = m_break;
    m_break = false;
}

void DocxStreamWriter::Private::writePending(PageGeometry const* sectionEnd)
{
    if (!m_pending)
        return;
    if (auto const* p = std::get_if<WordParagraph>(&*m_pending)) {
        paragraph(*p, m_pendingBreak, sectionEnd);
        m_afterFrame = p->frame.has_value();
    } else {
        if (m_pendingBreak)
            breakParagraph();
        auto const& t = std::get<WordTable>(*m_pending);
        // Frames hang from the text after them; LibreOffice loses those before a floating table.
        if (m_afterFrame && t.position && !m_pendingBreak)
            paragraph(WordParagraph(), false, nullptr);
        table(t, m_page);
        m_afterFrame = false;
    }
    m_pending.reset();
    m_pendingBreak = false;
}

// Every section but the last ends with a paragraph that carries its properties; page
// breaks after the last block would only add an empty page.
void DocxStreamWriter::Private::endSection(bool last)
{
    if (failed())
        return;
    auto const* pendingParagraph = m_pending ? std::get_if<WordParagraph>(&*m_pending) : nullptr;
    bool const carries = !last && pendingParagraph && !pendingParagraph->frame;
    bool const table = m_pending && std::holds_alternative<WordTable>(*m_pending);
    // LibreOffice sets a framed paragraph that ends the document in the flow of the text.
    bool const frame = last && pendingParagraph && pendingParagraph->frame;
    writePending(carries ? &m_page : nullptr);
    if (table || frame) {
        // Word ends a body with a paragraph, and LibreOffice draws a floating table only
        // above a paragraph of its own section: a hairline one, which never needs a page of
        // its own.
        WordParagraph hairline;
        TextRun mark;
        mark.fontSize = 1;
        hairline.content.push_back(mark);
        hairline.lineSpacing = 1;
        paragraph(hairline, false, nullptr);
    }
    if (!last && !carries)
        paragraph(WordParagraph(), false, &m_page);
    if (last)
        sectionProperties(m_page);
    m_break = false;
}

WriteResult DocxStreamWriter::Private::finish()
{
    if (m_sections == 0)
        beginSection(WordPageSetup());
    endSection(true);
    if (!failed()) {
        m_xml->end();
        m_xml->end();
        m_xml->finish();
        bool const compressed = m_spool->finish();
        errno = 0;
        if (m_xml->hasError() || !compressed || !m_body.flush() || !m_media.flush()) {
            bool const full = m_spool->diskFull() || (compressed && (diskfull::isFull(m_body) ||
                                                                     diskfull::isFull(m_media)));
            fail(full ? WriteError::DiskFull : WriteError::CannotWrite,
                 QStringLiteral("cannot write beside \"%1\": %2")
                     .arg(m_path, full ? QStringLiteral("the disk is full")
                                  : m_body.error() != QFileDevice::NoError ? m_body.errorString()
                                                                           : m_media.errorString()));
        }
    }
    if (failed()) {
        discard();
        return m_error;
    }
    PackageWriter package;
    for (Media const& media : qAsConst(m_mediaParts))
        package.addSpooled(media.part, m_media.fileName(), media.offset, media.length, media.contentType,
                           true);
    package.addDeflated(
        QStringLiteral("word/document.xml"), m_body.fileName(), m_spool->compressedSize(),
        m_spool->plainSize(), m_spool->crc(),
        QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"));
    QString styles = QString::fromUtf8(StylesXml);
    styles.replace(QLatin1String("%FACE%"), m_defaultFamily.toHtmlEscaped());
    styles.replace(QLatin1String("%SIZE%"), QString::number(m_defaultSize));
    package.addXml(
        QStringLiteral("word/styles.xml"), styles.toUtf8(),
        QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"));
    QByteArray settings(SettingsXml);
    settings.replace("%EVEN%", m_evenPages ? "<w:evenAndOddHeaders/>" : "");
    settings.replace(
        "%NOTES%",
        m_notes ? "<w:footnotePr><w:footnote w:id=\"-1\"/><w:footnote w:id=\"0\"/></w:footnotePr>" : "");
    package.addXml(
        QStringLiteral("word/settings.xml"), settings,
        QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.settings+xml"));
    for (XmlPart const& part : qAsConst(m_xmlParts))
        package.addXml(part.name, part.xml, part.contentType);
    if (m_notes) {
        m_notes->end();
        m_relationships.add(QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/"
                                           "relationships/footnotes"),
                            QStringLiteral("footnotes.xml"));
        package.addXml(
            QStringLiteral("word/footnotes.xml"), m_notes->finish(),
            QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.footnotes+xml"));
    }
    if (!m_numberings.isEmpty()) {
        m_relationships.add("http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering",
                            QStringLiteral("numbering.xml"));
        package.addXml(
            QStringLiteral("word/numbering.xml"), numberingXml(),
            QStringLiteral("application/vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml"));
    }
    package.addRelationships(QStringLiteral("word/document.xml"), m_relationships);
    package.addPackageParts(QStringLiteral("word/document.xml"), m_info);
    m_body.close();
    m_media.close();
    m_error = package.write(m_path, m_existing);
    discard();
    return m_error;
}

void DocxStreamWriter::Private::discard()
{
    m_xml.reset();
    m_spool.reset();
    for (QFile* file : {&m_body, &m_media}) {
        file->close();
        if (!file->fileName().isEmpty())
            file->remove();
    }
}

std::optional<DocxStreamWriter::Private::Stored> DocxStreamWriter::Private::store(Picture const& picture)
{
    PictureData data;
    QString why;
    if (!preparePicture(picture, &data, &why)) {
        fail(WriteError::InvalidDocument, why);
        return std::nullopt;
    }
    QByteArray const digest = QCryptographicHash::hash(data.bytes, QCryptographicHash::Sha256);
    auto const known = m_stored.constFind(digest);
    if (known != m_stored.constEnd())
        return known.value();
    Media media;
    media.offset = m_media.pos();
    media.length = data.bytes.size();
    media.contentType = data.contentType;
    errno = 0;
    if (m_media.write(data.bytes) != data.bytes.size()) {
        bool const full = diskfull::isFull(m_media);
        fail(full ? WriteError::DiskFull : WriteError::CannotWrite,
             QStringLiteral("cannot write beside \"%1\": %2")
                 .arg(m_path, full ? QStringLiteral("the disk is full") : m_media.errorString()));
        return std::nullopt;
    }
    Stored stored;
    stored.name = QStringLiteral("image%1.%2").arg(++m_storedCount).arg(data.extension);
    stored.id = m_relationships.add(rel::image, QStringLiteral("media/") + stored.name);
    media.part = QStringLiteral("word/media/") + stored.name;
    m_mediaParts.push_back(media);
    m_stored.insert(digest, stored);
    return stored;
}

void DocxStreamWriter::Private::paragraph(WordParagraph const& paragraph, bool breakBefore,
                                          PageGeometry const* sectionEnd)
{
    m_xml->start("w:p");
    int const before = twips(std::max(0.0, paragraph.spaceBefore));
    int const after = twips(std::max(0.0, paragraph.spaceAfter));
    TextRun const* lastRun = nullptr;
    for (WordInline const& item : paragraph.content) {
        if (auto const* textRun = std::get_if<TextRun>(&item))
            lastRun = textRun;
    }
    auto const finite = [](double v) { return std::isfinite(v) ? v : 0.0; };
    // A right-to-left paragraph's indents and alignment name its start and end, not sides.
    bool const rtl = paragraph.rightToLeft;
    int const left = twips(finite(rtl ? paragraph.indentRight : paragraph.indentLeft));
    int const right = twips(finite(rtl ? paragraph.indentLeft : paragraph.indentRight));
    int const firstLine = twips(finite(paragraph.firstLineIndent));
    double const lineSpacing = finite(paragraph.lineSpacing);
    int const line = lineSpacing > 0.0 ? std::clamp(twips(lineSpacing), 20, 31680) : 0;
    bool const aligned = paragraph.alignment != WordParagraph::Alignment::Left || rtl;
    bool const listed = paragraph.label.kind != WordListLabel::Kind::None;
    m_xml->start("w:pPr");
    if (breakBefore)
        m_xml->empty("w:pageBreakBefore");
    if (paragraph.frame)
        frameProperties(*paragraph.frame);
    if (listed) {
        m_xml->start("w:numPr");
        m_xml->empty("w:ilvl");
        m_xml->attr("w:val", 0);
        m_xml->empty("w:numId");
        m_xml->attr("w:val", numbering(paragraph.label));
        m_xml->end();
    }
    // Word leaves running heads out of a section's line numbers; LibreOffice counts them.
    if (m_inMarginal)
        m_xml->empty("w:suppressLineNumbers");
    if (paragraph.shading.isValid()) {
        m_xml->empty("w:shd");
        m_xml->attr("w:val", "clear");
        m_xml->attr("w:color", "auto");
        m_xml->attr("w:fill", hexColour(paragraph.shading));
    }
    if (!paragraph.tabs.isEmpty()) {
        m_xml->start("w:tabs");
        for (WordTabStop const& tab : paragraph.tabs) {
            m_xml->empty("w:tab");
            m_xml->attr("w:val", tab.alignment == WordTabStop::Alignment::Right    ? "right"
                                 : tab.alignment == WordTabStop::Alignment::Center ? "center"
                                                                                   : "left");
            m_xml->attr("w:pos", std::clamp(twips(finite(tab.position)), 0, MaxPageTwips));
        }
        m_xml->end();
    }
    if (rtl)
        m_xml->empty("w:bidi");
    if (before > 0 || after > 0 || line > 0) {
        m_xml->empty("w:spacing");
        m_xml->attr("w:before", before);
        m_xml->attr("w:after", after);
        if (line > 0) {
            m_xml->attr("w:line", line);
            m_xml->attr("w:lineRule", "exact");
        }
    }
    if (left != 0 || right != 0 || firstLine != 0 || listed) {
        m_xml->empty("w:ind");
        m_xml->attr("w:left", left);
        m_xml->attr("w:right", right);
        if (firstLine < 0)
            m_xml->attr("w:hanging", -firstLine);
        else
            m_xml->attr("w:firstLine", firstLine);
    }
    if (aligned) {
        m_xml->empty("w:jc");
        switch (paragraph.alignment) {
        case WordParagraph::Alignment::Center:
            m_xml->attr("w:val", "center");
            break;
        case WordParagraph::Alignment::Right:
            m_xml->attr("w:val", rtl ? "left" : "right");
            break;
        case WordParagraph::Alignment::Left:
            m_xml->attr("w:val", "right");
            break;
        default:
            m_xml->attr("w:val", "both");
            break;
        }
    }
    bool const ownFace = lastRun && !lastRun->fontFamily.isEmpty() && lastRun->fontFamily != m_defaultFamily;
    bool const ownSize = lastRun && halfPoints(lastRun->fontSize) != m_defaultSize;
    if (ownFace || ownSize) {
        // The paragraph mark takes part in the line height: keep it at the text's size and face.
        m_xml->start("w:rPr");
        if (ownFace) {
            m_xml->empty("w:rFonts");
            for (char const* slot : {"w:ascii", "w:hAnsi", "w:cs"})
                m_xml->attr(slot, lastRun->fontFamily);
        }
        if (ownSize) {
            m_xml->empty("w:sz");
            m_xml->attr("w:val", halfPoints(lastRun->fontSize));
        }
        m_xml->end();
    }
    if (sectionEnd)
        sectionProperties(*sectionEnd);
    m_xml->end();
    if (paragraph.columnBreakBefore) {
        m_xml->start("w:r");
        m_xml->empty("w:br");
        m_xml->attr("w:type", "column");
        m_xml->end();
    }
    for (WordInline const& item : paragraph.content) {
        if (auto const* textRun = std::get_if<TextRun>(&item))
            textRun->field == TextRun::Field::Page ? field(*textRun) : run(*textRun);
        else if (auto const* footnote = std::get_if<WordNote>(&item))
            note(*footnote);
        else
            picture(std::get<WordPicture>(item));
    }
    m_xml->end();
}

void DocxStreamWriter::Private::frameProperties(QRectF const& frame)
{
    auto const finite = [](double v) { return std::isfinite(v) ? v : 0.0; };
    m_xml->empty("w:framePr");
    m_xml->attr("w:w", std::clamp(twips(finite(frame.width())), 20, MaxPageTwips));
    int const height = std::clamp(twips(finite(frame.height())), 0, MaxPageTwips);
    if (height > 0) {
        m_xml->attr("w:h", height);
        m_xml->attr("w:hRule", "atLeast");
    }
    m_xml->attr("w:hSpace", 0);
    m_xml->attr("w:vSpace", 0);
    m_xml->attr("w:wrap", "around");
    m_xml->attr("w:vAnchor", "page");
    m_xml->attr("w:hAnchor", "page");
    m_xml->attr("w:x", std::clamp(twips(finite(frame.x())), 0, MaxPageTwips));
    m_xml->attr("w:y", std::clamp(twips(finite(frame.y())), 0, MaxPageTwips));
}

// Every list gets a numbering of its own, so that each starts at its own first number.
int DocxStreamWriter::Private::numbering(WordListLabel const& label)
{
    int const list = label.list > 0 ? label.list : -(m_numberings.size() + 1);
    auto const known = m_numberingOfList.constFind(list);
    if (known != m_numberingOfList.constEnd())
        return known.value();
    m_numberings.push_back(label);
    m_numberingOfList.insert(list, m_numberings.size());
    return m_numberings.size();
}

QByteArray DocxStreamWriter::Private::numberingXml() const
{
    XmlWriter xml;
    xml.start("w:numbering");
    xml.attr("xmlns:w", "http://schemas.openxmlformats.org/wordprocessingml/2006/main");
    for (int n = 0; n < m_numberings.size(); ++n) {
        WordListLabel const& label = m_numberings.at(n);
        bool const bullet = label.kind == WordListLabel::Kind::Bullet;
        xml.start("w:abstractNum");
        xml.attr("w:abstractNumId", n + 1);
        xml.empty("w:multiLevelType");
        xml.attr("w:val", "singleLevel");
        xml.start("w:lvl");
        xml.attr("w:ilvl", 0);
        xml.empty("w:start");
        xml.attr("w:val", std::clamp(label.start, 0, 32767));
        xml.empty("w:numFmt");
        xml.attr("w:val", numberFormat(label.kind));
        xml.empty("w:lvlText");
        xml.attr("w:val",
                 bullet ? truncated(label.bullet, 8) : QStringLiteral("%1") + truncated(label.suffix, 4));
        xml.empty("w:lvlJc");
        xml.attr("w:val", "left");
        xml.end(); // w:lvl
        xml.end(); // w:abstractNum
    }
    for (int n = 0; n < m_numberings.size(); ++n) {
        xml.start("w:num");
        xml.attr("w:numId", n + 1);
        xml.empty("w:abstractNumId");
        xml.attr("w:val", n + 1);
        xml.end();
    }
    xml.end();
    return xml.finish();
}

void DocxStreamWriter::Private::breakParagraph()
{
    m_xml->start("w:p");
    m_xml->start("w:pPr");
    m_xml->empty("w:pageBreakBefore");
    m_xml->start("w:rPr");
    m_xml->empty("w:sz");
    m_xml->attr("w:val", 2);
    m_xml->end();
    m_xml->end();
    m_xml->end();
}

void DocxStreamWriter::Private::run(TextRun const& run)
{
    QString const text = unixLineEnds(xmlSafe(run.text));
    if (text.isEmpty())
        return;
    m_xml->start("w:r");
    runProperties(run);
    int start = 0;
    for (int i = 0; i <= text.size(); ++i) {
        bool const atEnd = i == text.size();
        QChar const c = atEnd ? QChar() : text.at(i);
        if (!atEnd && c != QLatin1Char('\n') && c != QLatin1Char('\t') && c != QChar(0x00AD))
            continue;
        if (i > start)
            m_xml->textElement("w:t", text.mid(start, i - start));
        if (!atEnd)
            m_xml->empty(c == QLatin1Char('\n') ? "w:br" : c == QLatin1Char('\t') ? "w:tab" : "w:softHyphen");
        start = i + 1;
    }
    m_xml->end();
}

// Begin, instruction, the shown text and end, each in a run of the text's format.
void DocxStreamWriter::Private::field(TextRun const& run)
{
    auto const part = [&](char const* type) {
        m_xml->start("w:r");
        runProperties(run);
        m_xml->empty("w:fldChar");
        m_xml->attr("w:fldCharType", type);
        m_xml->end();
    };
    part("begin");
    m_xml->start("w:r");
    runProperties(run);
    m_xml->textElement("w:instrText", QStringLiteral(" PAGE "));
    m_xml->end();
    part("separate");
    TextRun shown = run;
    shown.field = TextRun::Field::None;
    shown.text = unixLineEnds(xmlSafe(run.text)).remove(QLatin1Char('\n')).remove(QLatin1Char('\t'));
    if (shown.text.isEmpty())
        shown.text = QStringLiteral("1");
    this->run(shown);
    part("end");
}

void DocxStreamWriter::Private::note(WordNote const& note)
{
    if (!m_notes) {
        m_notes = std::make_unique<XmlWriter>();
        m_notes->start("w:footnotes");
        m_notes->attr("xmlns:w", MainNamespace);
        for (int id : {-1, 0}) {
            m_notes->start("w:footnote");
            m_notes->attr("w:type", id < 0 ? "separator" : "continuationSeparator");
            m_notes->attr("w:id", id);
            m_notes->raw(id < 0 ? "<w:p><w:r><w:separator/></w:r></w:p>"
                                : "<w:p><w:r><w:continuationSeparator/></w:r></w:p>");
            m_notes->end();
        }
    }
    int const id = ++m_noteCount;
    QString const mark = truncated(xmlSafe(note.mark).simplified(), 16);
    TextRun raised = note.format;
    raised.field = TextRun::Field::None;
    raised.script = TextRun::Script::Superscript;
    raised.text.clear();
    // A mark of the source's own follows the reference in its run; Word numbers the others.
    m_xml->start("w:r");
    runProperties(raised);
    m_xml->empty("w:footnoteReference");
    if (!mark.isEmpty())
        m_xml->attr("w:customMarkFollows", 1);
    m_xml->attr("w:id", id);
    if (!mark.isEmpty())
        m_xml->textElement("w:t", mark);
    m_xml->end();
    // The note's own text goes to its part: the writer that paragraphs use is swapped for it.
    std::swap(m_xml, m_notes);
    m_xml->start("w:footnote");
    m_xml->attr("w:id", id);
    m_xml->start("w:p");
    m_xml->start("w:r");
    runProperties(raised);
    if (mark.isEmpty())
        m_xml->empty("w:footnoteRef");
    else
        m_xml->textElement("w:t", mark);
    m_xml->end();
    bool first = true;
    for (TextRun const& text : note.text) {
        TextRun plain = text;
        plain.field = TextRun::Field::None;
        if (first && !plain.text.isEmpty() && !plain.text.at(0).isSpace())
            plain.text.prepend(QLatin1Char(' '));
        first = first && plain.text.isEmpty();
        run(plain);
    }
    m_xml->end();
    m_xml->end();
    std::swap(m_xml, m_notes);
}

void DocxStreamWriter::Private::runProperties(TextRun const& run)
{
    m_xml->start("w:rPr");
    if (!run.fontFamily.isEmpty() && run.fontFamily != m_defaultFamily) {
        m_xml->empty("w:rFonts");
        for (char const* slot : {"w:ascii", "w:hAnsi", "w:cs"})
            m_xml->attr(slot, run.fontFamily);
    }
    if (run.bold) {
        m_xml->empty("w:b");
        m_xml->empty("w:bCs");
    }
    if (run.italic) {
        m_xml->empty("w:i");
        m_xml->empty("w:iCs");
    }
    if (run.strike)
        m_xml->empty("w:strike");
    if (run.colour.isValid()) {
        m_xml->empty("w:color");
        m_xml->attr("w:val", hexColour(run.colour));
    }
    if (run.widthScale != 100) {
        m_xml->empty("w:w");
        m_xml->attr("w:val", std::clamp(run.widthScale, 1, 600));
    }
    int const size = halfPoints(run.fontSize);
    if (size != m_defaultSize) {
        m_xml->empty("w:sz");
        m_xml->attr("w:val", size);
        m_xml->empty("w:szCs");
        m_xml->attr("w:val", size);
    }
    if (run.underline) {
        m_xml->empty("w:u");
        m_xml->attr("w:val", "single");
    }
    // Shading rather than a highlight: Word's highlights know only sixteen colours.
    if (run.highlight.isValid()) {
        m_xml->empty("w:shd");
        m_xml->attr("w:val", "clear");
        m_xml->attr("w:color", "auto");
        m_xml->attr("w:fill", hexColour(run.highlight));
    }
    if (run.script != TextRun::Script::Normal) {
        m_xml->empty("w:vertAlign");
        m_xml->attr("w:val", run.script == TextRun::Script::Superscript ? "superscript" : "subscript");
    }
    m_xml->end();
}

void DocxStreamWriter::Private::picture(WordPicture const& picture)
{
    std::optional<Stored> const stored = store(picture.picture);
    if (!stored)
        return;
    int const number = ++m_drawingCount;
    QString const& name = stored->name;
    QString const& id = stored->id;
    qint64 const cx = emu(picture.picture.size.width());
    qint64 const cy = emu(picture.picture.size.height());

    m_xml->start("w:r");
    m_xml->start("w:drawing");
    if (picture.anchored) {
        m_xml->start("wp:anchor");
        for (char const* distance : {"distT", "distB", "distL", "distR"})
            m_xml->attr(distance, 0);
        m_xml->attr("simplePos", 0);
        m_xml->attr("relativeHeight", 251658240 + number);
        m_xml->attr("behindDoc", 1);
        m_xml->attr("locked", 0);
        m_xml->attr("layoutInCell", 1);
        m_xml->attr("allowOverlap", 1);
        m_xml->empty("wp:simplePos");
        m_xml->attr("x", 0);
        m_xml->attr("y", 0);
        m_xml->start("wp:positionH");
        m_xml->attr("relativeFrom", "page");
        m_xml->start("wp:posOffset");
        m_xml->text(QString::number(emu(std::clamp(picture.position.x(), -1.0e6, 1.0e6))));
        m_xml->end();
        m_xml->end();
        m_xml->start("wp:positionV");
        m_xml->attr("relativeFrom", picture.fromParagraph ? "paragraph" : "page");
        m_xml->start("wp:posOffset");
        m_xml->text(QString::number(emu(std::clamp(picture.position.y(), -1.0e6, 1.0e6))));
        m_xml->end();
        m_xml->end();
    } else {
        m_xml->start("wp:inline");
        for (char const* distance : {"distT", "distB", "distL", "distR"})
            m_xml->attr(distance, 0);
    }
    m_xml->empty("wp:extent");
    m_xml->attr("cx", cx);
    m_xml->attr("cy", cy);
    m_xml->empty("wp:effectExtent");
    for (char const* side : {"l", "t", "r", "b"})
        m_xml->attr(side, 0);
    if (picture.anchored)
        m_xml->empty("wp:wrapNone");
    m_xml->empty("wp:docPr");
    m_xml->attr("id", number);
    m_xml->attr("name", QStringLiteral("Picture %1").arg(number));
    if (!picture.description.isEmpty())
        m_xml->attr("descr", picture.description);
    m_xml->start("wp:cNvGraphicFramePr");
    m_xml->empty("a:graphicFrameLocks");
    m_xml->attr("noChangeAspect", 1);
    m_xml->end();
    m_xml->start("a:graphic");
    m_xml->start("a:graphicData");
    m_xml->attr("uri", "http://schemas.openxmlformats.org/drawingml/2006/picture");
    m_xml->start("pic:pic");
    m_xml->start("pic:nvPicPr");
    m_xml->empty("pic:cNvPr");
    m_xml->attr("id", number);
    m_xml->attr("name", name);
    m_xml->empty("pic:cNvPicPr");
    m_xml->end();
    m_xml->start("pic:blipFill");
    m_xml->empty("a:blip");
    m_xml->attr("r:embed", id);
    m_xml->start("a:stretch");
    m_xml->empty("a:fillRect");
    m_xml->end();
    m_xml->end();
    m_xml->start("pic:spPr");
    m_xml->start("a:xfrm");
    m_xml->empty("a:off");
    m_xml->attr("x", 0);
    m_xml->attr("y", 0);
    m_xml->empty("a:ext");
    m_xml->attr("cx", cx);
    m_xml->attr("cy", cy);
    m_xml->end();
    m_xml->start("a:prstGeom");
    m_xml->attr("prst", "rect");
    m_xml->empty("a:avLst");
    m_xml->end();
    m_xml->end();
    m_xml->end(); // pic:pic
    m_xml->end(); // a:graphicData
    m_xml->end(); // a:graphic
    m_xml->end(); // wp:anchor or wp:inline
    m_xml->end(); // w:drawing
    m_xml->end(); // w:r
}

void DocxStreamWriter::Private::table(WordTable const& table, PageGeometry const& page)
{
    auto const span = [](WordTableCell const& cell) { return std::clamp(cell.columnSpan, 1, 63); };
    int columns = 0;
    for (WordTableRow const& row : table.rows) {
        int width = 0;
        for (WordTableCell const& cell : row.cells)
            width += span(cell);
        columns = std::max(columns, width);
    }
    if (columns == 0)
        return; // Word rejects a table without cells.

    QVector<int> widths(columns, 0);
    int given = 0;
    int unset = 0;
    for (int c = 0; c < columns; ++c) {
        double const w = c < table.columnWidths.size() ? table.columnWidths[c] : 0.0;
        if (std::isfinite(w) && w > 0.0) {
            widths[c] = std::clamp(twips(w), 1, MaxPageTwips);
            given += widths[c];
        } else {
            ++unset;
        }
    }
    if (unset > 0) {
        int const share = std::max(MinContentTwips, (page.contentWidth() - given) / unset);
        for (int& w : widths) {
            if (w == 0)
                w = share;
        }
    }
    int total = 0;
    for (int w : widths)
        total += w;

    // A floating table stands where its first cell's text starts: its left edge a cell
    // padding further left.
    bool const padded = table.cellPadding >= 0.0 && std::isfinite(table.cellPadding);
    int const padding = padded ? std::clamp(twips(table.cellPadding), 0, 1440) : 108;
    auto const finite = [](double v) { return std::isfinite(v) ? v : 0.0; };
    m_xml->start("w:tbl");
    m_xml->start("w:tblPr");
    if (table.position) {
        m_xml->empty("w:tblpPr");
        m_xml->attr("w:leftFromText", 0);
        m_xml->attr("w:rightFromText", 0);
        // From the top margin: LibreOffice reads a table placed from the page's corner into the
        // lower left quarter of the page as one in the text's flow, at the top of the page.
        m_xml->attr("w:vertAnchor", "margin");
        m_xml->attr("w:horzAnchor", "page");
        m_xml->attr("w:tblpX", std::clamp(twips(finite(table.position->x())) + padding, 0, MaxPageTwips));
        m_xml->attr("w:tblpY",
                    std::clamp(twips(finite(table.position->y())), 0, MaxPageTwips) - std::max(0, page.top));
        m_xml->empty("w:tblOverlap");
        m_xml->attr("w:val", "overlap");
    }
    m_xml->empty("w:tblW");
    m_xml->attr("w:w", total);
    m_xml->attr("w:type", "dxa");
    if (table.indent && !table.position) {
        m_xml->empty("w:tblInd");
        m_xml->attr("w:w", std::clamp(twips(finite(*table.indent)), -MaxPageTwips, MaxPageTwips));
        m_xml->attr("w:type", "dxa");
    }
    if (table.borders) {
        m_xml->start("w:tblBorders");
        WordBorder single;
        single.style = WordBorder::Style::Single;
        for (char const* edge : {"w:top", "w:left", "w:bottom", "w:right", "w:insideH", "w:insideV"})
            border(edge, single);
        m_xml->end();
    }
    m_xml->empty("w:tblLayout");
    m_xml->attr("w:type", "fixed");
    if (padded) {
        m_xml->start("w:tblCellMar");
        for (char const* side : {"w:top", "w:left", "w:bottom", "w:right"}) {
            m_xml->empty(side);
            bool const across = side[2] == 'l' || side[2] == 'r';
            m_xml->attr("w:w", across ? padding : 0);
            m_xml->attr("w:type", "dxa");
        }
        m_xml->end();
    }
    m_xml->end();
    m_xml->start("w:tblGrid");
    for (int w : widths) {
        m_xml->empty("w:gridCol");
        m_xml->attr("w:w", w);
    }
    m_xml->end();
    for (WordTableRow const& row : table.rows) {
        m_xml->start("w:tr");
        if (std::isfinite(row.height) && row.height > 0.0) {
            m_xml->start("w:trPr");
            m_xml->empty("w:trHeight");
            m_xml->attr("w:val", std::clamp(twips(row.height), 1, MaxPageTwips));
            m_xml->attr("w:hRule", "atLeast");
            m_xml->end();
        }
        int c = 0;
        for (int k = 0; c < columns; ++k) {
            bool const real = k < row.cells.size();
            WordTableCell const cell = real ? row.cells[k] : WordTableCell();
            int const cellSpan = std::min(span(cell), columns - c);
            int width = 0;
            for (int i = c; i < c + cellSpan; ++i)
                width += widths[i];
            c += cellSpan;
            m_xml->start("w:tc");
            m_xml->start("w:tcPr");
            m_xml->empty("w:tcW");
            m_xml->attr("w:w", width);
            m_xml->attr("w:type", "dxa");
            if (cellSpan > 1) {
                m_xml->empty("w:gridSpan");
                m_xml->attr("w:val", cellSpan);
            }
            if (cell.verticalMerge != WordTableCell::Merge::None) {
                m_xml->empty("w:vMerge");
                if (cell.verticalMerge == WordTableCell::Merge::Start)
                    m_xml->attr("w:val", "restart");
            }
            auto const own = [](WordBorder const& b) { return b.style != WordBorder::Style::Inherit; };
            if (own(cell.top) || own(cell.left) || own(cell.bottom) || own(cell.right)) {
                m_xml->start("w:tcBorders");
                if (own(cell.top))
                    border("w:top", cell.top);
                if (own(cell.left))
                    border("w:left", cell.left);
                if (own(cell.bottom))
                    border("w:bottom", cell.bottom);
                if (own(cell.right))
                    border("w:right", cell.right);
                m_xml->end();
            }
            if (cell.shading.isValid()) {
                m_xml->empty("w:shd");
                m_xml->attr("w:val", "clear");
                m_xml->attr("w:color", "auto");
                m_xml->attr("w:fill", hexColour(cell.shading));
            }
            if (cell.verticalAlignment != WordTableCell::VerticalAlignment::Top) {
                m_xml->empty("w:vAlign");
                m_xml->attr("w:val", cell.verticalAlignment == WordTableCell::VerticalAlignment::Center
                                         ? "center"
                                         : "bottom");
            }
            m_xml->end();
            // Word needs at least one paragraph in every cell; a merged-away cell shows no text.
            bool const hidden = cell.verticalMerge == WordTableCell::Merge::Continue;
            QVector<WordParagraph> const paragraphs =
                cell.paragraphs.isEmpty() ? QVector<WordParagraph>{WordParagraph()} : cell.paragraphs;
            for (WordParagraph p : paragraphs) {
                p.frame.reset(); // a frame cannot stand inside a table
                if (hidden) {
                    QVector<WordInline> marks; // the runs' formats, for the empty lines' size
                    for (auto const& item : qAsConst(p.content))
                        if (auto const* text = std::get_if<TextRun>(&item)) {
                            marks.push_back(*text);
                            std::get<TextRun>(marks.last()).text.clear();
                        }
                    p.content = marks;
                }
                paragraph(p, false, nullptr);
            }
            m_xml->end();
        }
        m_xml->end();
    }
    m_xml->end();
}

void DocxStreamWriter::Private::border(char const* edge, WordBorder const& border)
{
    m_xml->empty(edge);
    m_xml->attr("w:val", borderStyle(border.style));
    if (border.style == WordBorder::Style::None || border.style == WordBorder::Style::Inherit)
        return;
    m_xml->attr("w:sz", borderEighths(border.width));
    m_xml->attr("w:space", 0);
    m_xml->attr("w:color", border.colour.isValid() ? hexColour(border.colour) : QStringLiteral("000000"));
}

QString DocxStreamWriter::Private::marginalPart(QVector<WordParagraph> const& paragraphs, bool header)
{
    auto part = std::make_unique<XmlWriter>();
    std::swap(m_xml, part);
    m_xml->start(header ? "w:hdr" : "w:ftr");
    m_xml->attr("xmlns:w", MainNamespace);
    m_xml->attr("xmlns:r", RelationshipNamespace);
    for (WordParagraph p : paragraphs) {
        QVector<WordInline> text;
        for (auto const& item : qAsConst(p.content))
            if (std::holds_alternative<TextRun>(item))
                text.push_back(item);
        p.content = text;
        p.frame.reset();
        p.columnBreakBefore = false;
        m_inMarginal = true;
        paragraph(p, false, nullptr);
        m_inMarginal = false;
    }
    if (paragraphs.isEmpty())
        m_xml->empty("w:p"); // Word wants a paragraph in every header and footer
    m_xml->end();
    std::swap(m_xml, part);
    QByteArray const xml = part->finish();
    QByteArray const key = (header ? "h" : "f") + QCryptographicHash::hash(xml, QCryptographicHash::Sha256);
    auto const known = m_marginalIds.constFind(key);
    if (known != m_marginalIds.constEnd())
        return known.value();
    QString const name = header ? QStringLiteral("header%1.xml").arg(++m_headers)
                                : QStringLiteral("footer%1.xml").arg(++m_footers);
    QString const id = m_relationships.add(
        QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/") +
            (header ? QStringLiteral("header") : QStringLiteral("footer")),
        name);
    m_xmlParts.push_back({QStringLiteral("word/") + name, xml,
                          header ? QStringLiteral("application/vnd.openxmlformats-officedocument."
                                                  "wordprocessingml.header+xml")
                                 : QStringLiteral("application/vnd.openxmlformats-officedocument."
                                                  "wordprocessingml.footer+xml")});
    m_marginalIds.insert(key, id);
    return id;
}

void DocxStreamWriter::Private::marginalReferences(WordHeaderFooter const& parts, char const* type)
{
    QString const header = marginalPart(parts.header, true);
    QString const footer = marginalPart(parts.footer, false);
    m_xml->empty("w:headerReference");
    m_xml->attr("w:type", type);
    m_xml->attr("r:id", header);
    m_xml->empty("w:footerReference");
    m_xml->attr("w:type", type);
    m_xml->attr("r:id", footer);
}

void DocxStreamWriter::Private::sectionProperties(PageGeometry const& page)
{
    WordPageSetup const& marginals = m_marginals;
    m_evenPages = m_evenPages || marginals.evenPages;
    m_xml->start("w:sectPr");
    if (marginals.pages) {
        marginalReferences(*marginals.pages, "default");
        // Even pages show the others' unless they have their own, once any section has them.
        marginalReferences(marginals.evenPages ? *marginals.evenPages : *marginals.pages, "even");
    }
    if (marginals.firstPage)
        marginalReferences(*marginals.firstPage, "first");
    if (page.continuous) {
        m_xml->empty("w:type");
        m_xml->attr("w:val", "continuous");
    }
    m_xml->empty("w:pgSz");
    m_xml->attr("w:w", page.width);
    m_xml->attr("w:h", page.height);
    if (page.width > page.height)
        m_xml->attr("w:orient", "landscape");
    m_xml->empty("w:pgMar");
    m_xml->attr("w:top", page.top);
    m_xml->attr("w:right", page.right);
    m_xml->attr("w:bottom", page.bottom);
    m_xml->attr("w:left", page.left);
    m_xml->attr("w:header", page.header);
    m_xml->attr("w:footer", page.footer);
    m_xml->attr("w:gutter", 0);
    if (page.lineNumbers > 0) {
        m_xml->empty("w:lnNumType");
        m_xml->attr("w:countBy", 1);
        m_xml->attr("w:distance", page.lineNumbers);
        m_xml->attr("w:restart", page.lineNumbersEachPage ? "newPage" : "continuous");
    }
    if (page.firstNumber > 0) {
        m_xml->empty("w:pgNumType");
        m_xml->attr("w:start", page.firstNumber);
    }
    if (page.columns > 1) {
        m_xml->empty("w:cols");
        m_xml->attr("w:num", page.columns);
        m_xml->attr("w:space", page.columnGap);
    }
    if (marginals.firstPage)
        m_xml->empty("w:titlePg");
    m_xml->end();
}

DocxStreamWriter::DocxStreamWriter(QString const& path, ExistingFile existing)
    : d(std::make_unique<Private>(path, existing))
{
}

DocxStreamWriter::~DocxStreamWriter() = default;

void DocxStreamWriter::setInfo(DocumentInfo const& info)
{
    d->post([p = d.get(), info] { p->m_info = info; });
}

void DocxStreamWriter::setDefaultFont(QString const& family, double size)
{
    d->post([p = d.get(), family, size] {
        if (!family.trimmed().isEmpty())
            p->m_defaultFamily = family;
        p->m_defaultSize = halfPoints(size);
    });
}

void DocxStreamWriter::beginSection(WordPageSetup const& page)
{
    d->post([p = d.get(), page] { p->beginSection(page); });
}

void DocxStreamWriter::add(WordBlock const& block)
{
    add(WordBlock(block));
}

void DocxStreamWriter::add(WordBlock&& block)
{
    qint64 const bytes = pictureBytes(block);
    d->post([p = d.get(), block = std::move(block)] { p->add(block); }, bytes);
}

WriteResult DocxStreamWriter::finish()
{
    d->drain();
    d->stopWriting();
    WriteResult const result = guarded([&] { return d->finish(); });
    if (!result.ok())
        d->fail(result.error, result.message);
    return result;
}

int DocxStreamWriter::pictureCount() const
{
    d->drain();
    return d->m_storedCount;
}

} // namespace ooxml
