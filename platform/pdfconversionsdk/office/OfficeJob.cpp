#include "OfficeJob.h"

#include "FontMatcher.h"
#include "PageContent.h"
#include "SheetBuilder.h"
#include "SlideBuilder.h"
#include "WordBuilder.h"
#include "engine/JobSink.h"
#include "engine/PageStyles.h"
#include "engine/PdfDocument.h"
#include "engine/PdfGraphics.h"
#include "engine/PngWriter.h"
#include "engine/Recognition.h"
#include "layout/LayoutAnalyzer.h"

#include <ooxml/CsvWriter.h>
#include <ooxml/DocxStreamWriter.h>
#include <ooxml/PptxWriter.h>
#include <ooxml/XlsxWriter.h>

#include <pdfconv/base/ResultCode.h>

#include <QBuffer>
#include <QCryptographicHash>
#include <QHash>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSet>

#include <poppler-document.h>
#include <poppler-page-renderer.h>
#include <poppler-page.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace pdfconv {
namespace office {

using engine::Job;
using engine::JobSink;
using engine::PdfDocument;
using engine::Target;

namespace {

// Pictures of pages: sharp enough to read, small enough for a document of many pages.
constexpr double kPictureDpi = 150;

ooxml::Picture encode(QImage const& image, QSizeF const& size, bool photographic);
bool photographic(QImage const& image);

// What one thread holds while it works through pages: poppler and qpdf documents are not
// shared between threads.
struct PageReader
{
    explicit PageReader(Job const& job) : job(job) {}

    Job const& job;
    poppler::document const* doc = nullptr;
    PdfDocument::Opened own;
    std::unique_ptr<engine::PdfGraphics> graphics;
    QByteArray const* textless = nullptr; // the document without its text, when rendered
    std::unique_ptr<poppler::document> textlessDoc;
    QHash<QByteArray, ooxml::Picture> pictures; // encoded, by their pixels' digest

    engine::PdfGraphics& pdfGraphics()
    {
        if (!graphics) {
            graphics = std::make_unique<engine::PdfGraphics>();
            graphics->open(job.input, job.password); // unreadable: pages without graphics
        }
        return *graphics;
    }
    // Pictures a document repeats (a rule under every heading) are encoded once per thread.
    ooxml::Picture encoded(QImage const& image, QSizeF const& size)
    {
        if (qint64(image.sizeInBytes()) > 1 << 20)
            return encode(image, size, photographic(image));
        QCryptographicHash digest(QCryptographicHash::Md5);
        int const row = image.width() * image.depth() / 8; // without the padding of a line
        for (int y = 0; y < image.height(); ++y)
            digest.addData(reinterpret_cast<char const*>(image.constScanLine(y)), row);
        QByteArray const key = digest.result() + QByteArray::number(image.width());
        auto it = pictures.find(key);
        if (it == pictures.end()) {
            if (pictures.size() >= 64)
                pictures.clear();
            it = pictures.insert(key, encode(image, size, photographic(image)));
        }
        ooxml::Picture picture = it.value();
        picture.size = size;
        return picture;
    }

    poppler::document* textlessDocument()
    {
        if (!textlessDoc && textless && !textless->isEmpty())
            textlessDoc.reset(poppler::document::load_from_raw_data(textless->constData(), textless->size()));
        return textlessDoc.get();
    }
};

// Which figures have glyphs in their boxes: only those need the page drawn without its
// text, which costs a copy of the whole document.
void markTextOver(PageContent& content)
{
    auto const& spans = content.graphics.textSpans;
    bool const all = spans.size() >= engine::PageGraphics::kMaxTextSpans;
    for (auto& figure : content.figures)
        for (int i = 0; i < spans.size() && !figure.overText; ++i) {
            QRectF const common = figure.box.intersected(spans.at(i).box);
            figure.overText =
                all || (!spans.at(i).invisible && common.width() > 0.5 && common.height() > 0.5);
        }
}

// Runs fn on each page of the list on up to eight threads; the first failure stops the rest.
int forPages(Job const& job, poppler::document const& first, QVector<int> const& indices,
             QByteArray const* textless, bool withGraphics, std::function<int(PageReader&, int)> const& fn)
{
    if (indices.isEmpty())
        return base::Success;
    int threads = job.threads > 0 ? job.threads : int(std::thread::hardware_concurrency());
    threads = std::max(1, std::min({threads, int(indices.size()), 8}));
    std::atomic<int> next{0};
    std::atomic<int> failure{base::Success};
    auto fail = [&](int code) {
        int expected = base::Success;
        failure.compare_exchange_strong(expected, code);
    };
    auto work = [&](PageReader& reader, int limit) {
        for (int taken = 0; taken < limit && failure.load() == base::Success; ++taken) {
            int const k = next.fetch_add(1);
            if (k >= indices.size())
                return;
            try {
                if (!reader.doc) {
                    reader.own = PdfDocument::open(job.input, job.password);
                    reader.doc = reader.own.document.get();
                    if (!reader.doc) {
                        fail(reader.own.code);
                        return;
                    }
                }
                int const code = fn(reader, indices.at(k));
                if (code != base::Success)
                    fail(code);
            } catch (std::bad_alloc const&) {
                fail(base::OutOfMemory);
            } catch (std::exception const&) {
                fail(base::PageError);
            }
        }
    };
    // poppler sets up some shared state (colour profiles) on first use without a lock: the
    // first page is read alone, while the other threads open their own documents.
    std::mutex mutex;
    std::condition_variable changed;
    bool firstDone = false;
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back([&] {
            PageReader own(job);
            own.textless = textless;
            try {
                own.own = PdfDocument::open(job.input, job.password);
                own.doc = own.own.document.get(); // unopened: work() tries again and tells why
                if (own.doc && withGraphics)
                    own.pdfGraphics();
            } catch (std::bad_alloc const&) {
                fail(base::OutOfMemory);
            } catch (std::exception const&) {
            }
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [&] { return firstDone; });
            }
            work(own, indices.size());
        });
    PageReader reader(job);
    reader.doc = &first;
    reader.textless = textless;
    work(reader, 1);
    {
        std::lock_guard<std::mutex> lock(mutex);
        firstDone = true;
    }
    changed.notify_all();
    work(reader, indices.size());
    for (auto& t : pool)
        t.join();
    return failure.load();
}

// The page, or the part of it in @p area (points), as an image.
QImage render(poppler::document const& doc, int index, JobSink& sink, QRectF const& area = QRectF(),
              double dpi = kPictureDpi)
{
    std::unique_ptr<poppler::page> page(doc.create_page(index));
    if (!page)
        return {};
    QSizeF const size = area.isNull() ? PdfDocument::pageSize(*page) : area.size();
    // Very large pages get fewer dots rather than a picture nobody can open.
    double const pixels = size.width() * size.height() * (dpi / 72) * (dpi / 72);
    if (pixels > 40e6)
        dpi *= std::sqrt(40e6 / pixels);
    poppler::page_renderer renderer;
    renderer.set_render_hint(poppler::page_renderer::antialiasing, true);
    renderer.set_render_hint(poppler::page_renderer::text_antialiasing, true);
    renderer.set_image_format(poppler::image::format_rgb24);
    double const k = dpi / 72;
    poppler::image const rendered =
        area.isNull() ? renderer.render_page(page.get(), dpi, dpi)
                      : renderer.render_page(page.get(), dpi, dpi, int(std::floor(area.left() * k)),
                                             int(std::floor(area.top() * k)),
                                             std::max(1, int(std::ceil(area.width() * k))),
                                             std::max(1, int(std::ceil(area.height() * k))));
    if (!rendered.is_valid()) {
        sink.log(false, QStringLiteral("page %1 cannot be rendered").arg(index + 1));
        return {};
    }
    return QImage(reinterpret_cast<uchar const*>(rendered.const_data()), rendered.width(), rendered.height(),
                  rendered.bytes_per_row(), QImage::Format_RGB888)
        .copy();
}

// Photographs and scans as JPEG, drawings as PNG, which keeps their lines crisp.
ooxml::Picture encode(QImage const& image, QSizeF const& size, bool photographic)
{
    ooxml::Picture picture;
    picture.size = size;
    if (!photographic) {
        // Pages are drawn without transparency; a black-and-white scan stays gray.
        bool const gray = image.format() == QImage::Format_Grayscale8;
        QImage const pixels = gray || image.format() == QImage::Format_RGB888
                                  ? image
                                  : image.convertToFormat(QImage::Format_RGB888);
        if (!engine::writePng(&picture.data, pixels.constBits(), pixels.width(), pixels.height(),
                              pixels.bytesPerLine(),
                              gray ? engine::PngPixels::Gray8 : engine::PngPixels::Rgb8,
                              pixels.dotsPerMeterX(), pixels.dotsPerMeterY()))
            picture.data.clear();
        return picture;
    }
    // The JPEG plug-in is loaded by one thread while the others wait, and only when a picture
    // needs it; asking for every format would load all plug-ins.
    static std::once_flag jpeg;
    std::call_once(jpeg, [] {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter(&buffer, "jpeg").canWrite();
    });
    QBuffer buffer(&picture.data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(85);
    if (!writer.write(image))
        picture.data.clear();
    return picture;
}

// Boxes and rules in the part of the page in @p area, as render() would draw them.
QImage paintShapes(QRectF const& area, QVector<engine::FilledBox> const& shapes)
{
    double const k = kPictureDpi / 72;
    QPointF const origin(std::floor(area.left() * k), std::floor(area.top() * k));
    QImage image(std::max(1, int(std::ceil(area.width() * k))),
                 std::max(1, int(std::ceil(area.height() * k))), QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (auto const& shape : shapes) {
        QRectF box(shape.box.topLeft() * k - origin, shape.box.size() * k);
        // A hairline still covers a dot, as the PDF library draws it.
        if (box.height() < 1)
            box.adjust(0, (box.height() - 1) / 2, 0, (1 - box.height()) / 2);
        if (box.width() < 1)
            box.adjust((box.width() - 1) / 2, 0, (1 - box.width()) / 2, 0);
        painter.fillRect(box, shape.colour);
    }
    return image;
}

// Photographs have many colours; a code, a stamp or a logo few, and JPEG would blur them.
bool photographic(QImage const& image)
{
    QSet<QRgb> colours;
    int const step = std::max(1, int(std::sqrt(double(image.width()) * image.height() / 4096)));
    for (int y = 0; y < image.height(); y += step)
        for (int x = 0; x < image.width(); x += step) {
            colours.insert(image.pixel(x, y));
            if (colours.size() > 256)
                return true;
        }
    return false;
}

int writeFailure(ooxml::WriteResult const& result, JobSink& sink)
{
    sink.log(false, QStringLiteral("cannot write the output: ") + result.message);
    switch (result.error) {
    case ooxml::WriteError::OutOfMemory:
        return base::OutOfMemory;
    case ooxml::WriteError::DiskFull:
        return base::DiskFull;
    default:
        return base::OutputError;
    }
}

// Recognised words leave the picture of their page, which then shows what is not text.
void paintOutWords(QImage& image, PageContent const& content)
{
    QPainter painter(&image);
    double const k = double(image.width()) / content.layout.size.width();
    // Word boxes are tight, or only near the glyphs for a text layer: paint out a margin too.
    for (auto const& box : content.ocrWords) {
        double const pad = 0.2 * box.height() * k + 1;
        painter.fillRect(QRectF(box.x() * k, box.y() * k, box.width() * k, box.height() * k)
                             .adjusted(-pad, -pad, pad, pad),
                         Qt::white);
    }
}

// The picture of a page: as it is for a scan, else drawn without its text; recognised words
// painted out.
ooxml::Picture pagePicture(PageReader& reader, PageContent const& content, int i, bool scan, JobSink& sink)
{
    QRectF const box = content.pictureBox();
    if (scan && content.graphics.imageObject != 0) {
        // The scan's own image, not a copy drawn again at another resolution and compressed twice.
        ooxml::Picture own;
        own.data =
            reader.pdfGraphics().imageFile(content.graphics.imageObject, content.graphics.imageGeneration);
        own.size = box.size();
        if (!own.data.isEmpty())
            return own;
    }
    poppler::document const* source = scan ? reader.doc : reader.textlessDocument();
    engine::PageGraphics const& graphics = content.graphics;
    QRectF const area = graphics.imageObject != 0 ? box : QRectF();
    // A scan kept in a form of its own (fax or JBIG2 coding, a stencil) is drawn at its own
    // resolution, up to 300 dpi, and black-and-white ones stay sharp as PNG.
    double const own =
        graphics.imageObject != 0 && box.width() > 0 ? graphics.imagePixels.width() / box.width() * 72 : 0.0;
    double const dpi = std::clamp(own, kPictureDpi, 300.0);
    QImage image = source ? render(*source, i, sink, area, dpi) : QImage();
    if (graphics.imageObject != 0 && graphics.imageBilevel && !image.isNull())
        return encode(image.convertToFormat(QImage::Format_Grayscale8), box.size(), false);
    if (image.isNull())
        return {}; // the page keeps its text; only the picture is missing
    if (content.recognized)
        paintOutWords(image, content);
    return encode(image, box.size(), content.graphics.hasImages || scan);
}

// What a recognised page shows besides its words, a photograph or a logo, as figures.
// Sparse leftovers (specks, the rules of a table, stray marks) are not kept.
QVector<Figure> recognisedFigures(PageReader& reader, PageContent const& content, int i, bool flowing,
                                  JobSink& sink)
{
    QImage image = render(*reader.doc, i, sink);
    if (image.isNull() || content.layout.size.width() <= 0)
        return {};
    paintOutWords(image, content);
    image = image.convertToFormat(QImage::Format_Grayscale8);
    int const cell = 8; // pixels: about 4 points
    int const columns = image.width() / cell, rows = image.height() / cell;
    if (columns <= 0 || rows <= 0)
        return {};
    QVector<bool> ink(columns * rows, false);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            int dark = 0;
            for (int y = r * cell; y < (r + 1) * cell; ++y) {
                uchar const* line = image.constScanLine(y);
                for (int x = c * cell; x < (c + 1) * cell; ++x)
                    dark += line[x] < 128 ? 1 : 0;
            }
            ink[r * columns + c] = dark >= 6;
        }
    double const k = double(image.width()) / content.layout.size.width();
    QVector<QRectF> boxes;
    QVector<bool> seen(ink.size(), false);
    for (int start = 0; start < ink.size(); ++start) {
        if (!ink.at(start) || seen.at(start))
            continue;
        QVector<int> todo{start};
        seen[start] = true;
        int left = columns, right = -1, top = rows, bottom = -1, count = 0;
        while (!todo.isEmpty()) {
            int const at = todo.takeLast();
            int const r = at / columns, c = at % columns;
            left = std::min(left, c);
            right = std::max(right, c);
            top = std::min(top, r);
            bottom = std::max(bottom, r);
            ++count;
            for (int nr = std::max(0, r - 1); nr <= std::min(rows - 1, r + 1); ++nr)
                for (int nc = std::max(0, c - 1); nc <= std::min(columns - 1, c + 1); ++nc)
                    if (ink.at(nr * columns + nc) && !seen.at(nr * columns + nc)) {
                        seen[nr * columns + nc] = true;
                        todo << nr * columns + nc;
                    }
        }
        QRectF const box(left * cell / k, top * cell / k, (right - left + 1) * cell / k,
                         (bottom - top + 1) * cell / k);
        double const density = double(count) / ((right - left + 1) * (bottom - top + 1));
        if (box.width() >= 24 && box.height() >= 24 && density >= 0.35)
            boxes << box;
    }
    return boxes.isEmpty() ? QVector<Figure>() : WordBuilder::figures(content.layout, boxes, flowing, boxes);
}

// The pictures a page needs in Word: the whole page for a scan, else each figure, drawn
// without the text unless its labels go with it.
struct PagePictures
{
    ooxml::Picture page;
    QVector<ooxml::Picture> figures;
};

// Figures of plain boxes and rules are painted without the PDF library.
bool drawsPage(PageContent const& content)
{
    if (content.figures.isEmpty())
        return true;
    for (auto const& figure : content.figures)
        if (figure.shapes.isEmpty())
            return true;
    return false;
}

PagePictures wordPictures(PageReader& reader, PageContent const& content, int i, bool scan, JobSink& sink)
{
    PagePictures out;
    if (scan) {
        out.page = pagePicture(reader, content, i, true, sink);
        return out;
    }
    for (auto const& figure : content.figures) {
        QImage image;
        if (!figure.shapes.isEmpty()) {
            image = paintShapes(figure.box, figure.shapes);
        } else {
            poppler::document const* source =
                figure.withText || !figure.overText ? reader.doc : reader.textlessDocument();
            image = source ? render(*source, i, sink, figure.box) : QImage();
        }
        out.figures << (image.isNull() ? ooxml::Picture() : reader.encoded(image, figure.box.size()));
    }
    return out;
}

// Letting a written page go costs a tenth of writing it: another thread does it meanwhile.
class PageReleaser
{
public:
    PageReleaser() : m_thread([this] { run(); }) {}
    ~PageReleaser()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_changed.notify_one();
        m_thread.join();
    }
    void release(PageContent& page)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_queue.push_back(std::move(page));
        }
        page = PageContent();
        m_changed.notify_one();
    }

private:
    void run()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [&] { return m_done || !m_queue.empty(); });
            if (m_queue.empty())
                return;
            std::deque<PageContent> batch;
            batch.swap(m_queue);
            lock.unlock();
            batch.clear();
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<PageContent> m_queue;
    bool m_done = false;
    std::thread m_thread;
};

// Word: the pages go into the package in order as they are made, the pictures of the scans
// rendered a few pages ahead on the page threads, and each page is let go once written, so
// memory does not grow with the document.
int writeWord(Job const& job, poppler::document const& first, QVector<PageContent>& pages,
              QVector<int> const& scans, QByteArray const& textless, QString const& title, JobSink& sink)
{
    PageReleaser releaser;
    ooxml::DocxStreamWriter writer(job.staging);
    writer.setInfo(ooxml::DocumentInfo{title, QString()});
    WordBuilder builder(pages, job.options.wordLayout != 0, writer);

    // The threads draw what needs the PDF library; figures of plain boxes and rules are painted
    // here as their page is written, which costs less than handing them over.
    QVector<int> drawn;
    for (int i : scans)
        if (drawsPage(pages.at(i)))
            drawn << i;
    int threads = job.threads > 0 ? job.threads : int(std::thread::hardware_concurrency());
    threads = std::max(1, std::min({threads, int(drawn.size()), 8}));
    int const window = 2 * threads;
    std::mutex mutex;
    std::condition_variable changed;
    std::map<int, PagePictures> ready; // by position in drawn
    int claimed = 0, taken = 0;
    bool stop = false;
    int failure = base::Success;
    auto work = [&](PageReader& reader, int limit) {
        for (int n = 0; n < limit; ++n) {
            int k = 0;
            {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [&] { return stop || claimed < taken + window; });
                if (stop || claimed >= drawn.size())
                    return;
                k = claimed++;
            }
            PagePictures picture;
            int code = base::Success;
            try {
                if (!reader.doc) {
                    reader.own = PdfDocument::open(job.input, job.password);
                    reader.doc = reader.own.document.get();
                    code = reader.own.code;
                }
                if (reader.doc) {
                    PageContent const& content = pages.at(drawn.at(k));
                    picture = wordPictures(reader, content, drawn.at(k), content.figures.isEmpty(), sink);
                }
            } catch (std::bad_alloc const&) {
                code = base::OutOfMemory;
            } catch (std::exception const&) {
                code = base::PageError;
            }
            std::lock_guard<std::mutex> lock(mutex);
            if (failure == base::Success)
                failure = code;
            ready[k] = std::move(picture);
            changed.notify_all();
        }
    };
    PageReader reader(job);
    reader.doc = &first;
    reader.textless = &textless;
    std::vector<std::thread> pool;
    if (!drawn.isEmpty()) {
        // poppler sets up some shared state (colour profiles) on first use without a lock:
        // the first picture is made alone before the threads start.
        work(reader, 1);
        for (int t = 0; t < threads; ++t)
            pool.emplace_back([&] {
                PageReader own(job);
                own.textless = &textless;
                work(own, int(drawn.size()));
            });
    }
    int code = base::Success;
    auto place = [&](int i, PagePictures& made) {
        pages[i].picture = std::move(made.page);
        for (int f = 0; f < made.figures.size() && f < pages[i].figures.size(); ++f)
            pages[i].figures[f].picture = std::move(made.figures[f]);
    };
    try {
        int next = 0;    // the next drawn page to take
        int painted = 0; // the next of scans
        for (int i = 0; i < pages.size() && code == base::Success; ++i) {
            while (painted < scans.size() && scans.at(painted) < i)
                ++painted;
            if (next < drawn.size() && drawn.at(next) == i) {
                std::unique_lock<std::mutex> lock(mutex);
                changed.wait(lock, [&] { return ready.count(next) > 0 || failure != base::Success; });
                code = failure;
                if (code != base::Success)
                    break;
                place(i, ready[next]);
                ready.erase(next);
                taken = ++next;
                changed.notify_all();
            } else if (painted < scans.size() && scans.at(painted) == i) {
                PagePictures made = wordPictures(reader, pages.at(i), i, false, sink);
                place(i, made);
            }
            builder.addPage(i);
            releaser.release(pages[i]);
        }
        builder.finish();
    } catch (std::bad_alloc const&) {
        code = base::OutOfMemory;
    } catch (std::exception const&) {
        code = base::PageError; // the page threads are joined below in any case
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        stop = true;
        changed.notify_all();
    }
    for (auto& t : pool)
        t.join();
    if (code != base::Success)
        return code;
    ooxml::WriteResult const result = writer.finish();
    return result.ok() ? int(base::Success) : writeFailure(result, sink);
}

int writeOutput(Job const& job, QVector<PageContent> const& pages, QString const& title, JobSink& sink)
{
    ooxml::WriteResult result;
    switch (job.target) {
    case Target::Ppt:
        result = ooxml::PptxWriter::write(SlideBuilder::build(pages, title), job.staging);
        break;
    default: {
        ooxml::Workbook const book =
            SheetBuilder::build(pages, job.options.excelAllContent, job.options.excelSheetPerTable, title);
        if (book.sheets.isEmpty()) {
            sink.log(false, QStringLiteral("no tables found"));
            return base::NoTables;
        }
        if (!job.options.csvOutput) {
            result = ooxml::XlsxWriter::write(book, job.staging);
            break;
        }
        result = ooxml::CsvWriter::write(book, job.staging, job.baseName, ooxml::ExistingFile::Fail);
        if (result.ok())
            for (auto const& name : ooxml::CsvWriter::fileNames(book, job.baseName))
                sink.fileWritten(name);
        break;
    }
    }
    return result.ok() ? int(base::Success) : writeFailure(result, sink);
}

} // namespace

int runOfficeJob(Job const& job, poppler::document const& doc, int pageCount, JobSink& sink)
{
    // The installed font families are asked for while the pages are read, not after.
    std::thread fonts([] { FontMatcher::installedFamilies(); });
    struct Joined
    {
        std::thread& thread;
        ~Joined() { thread.join(); }
    } const joined{fonts};
    bool const tables = job.target != Target::Ppt;
    QVector<PageContent> pages(pageCount);
    QVector<int> all(pageCount);
    for (int i = 0; i < pageCount; ++i)
        all[i] = i;

    std::atomic<int> done{0};
    int code = forPages(job, doc, all, nullptr, true, [&](PageReader& reader, int i) {
        std::unique_ptr<poppler::page> page(reader.doc->create_page(i));
        if (!page) {
            sink.log(false, QStringLiteral("page %1 cannot be read").arg(i + 1));
            return int(base::PageError);
        }
        PageContent& content = pages[i];
        content.graphics = reader.pdfGraphics().page(i);
        engine::PageGraphics& graphics = content.graphics;
        // Only a page that shows one picture and nothing else is a scan that keeps its image.
        if (graphics.images.size() != 1 || graphics.hasDrawings || graphics.hasVisibleText ||
            graphics.hasInvisibleText)
            graphics.imageObject = 0;
        engine::PageStyles styles(content.graphics);
        content.layout =
            PdfDocument::readLayout(*page, i, job.carefulText, tables, content.graphics.rulings, &styles,
                                    content.graphics.rulingStyles, &content.graphics.lamAlefGlyphs);
        content.background = pageBackground(content.graphics.fills, content.layout.size);
        if (job.target == Target::Word && content.layout.hasText()) {
            content.figures = WordBuilder::figures(content.layout, styles.figures(content.layout),
                                                   job.options.wordLayout != 0, content.graphics.images);
            WordBuilder::addEquations(content.layout, content.figures);
            markTextOver(content);
            for (auto& figure : content.figures)
                if (!figure.withText)
                    figure.shapes = styles.plainShapes(figure.box);
        }
        // What only the styles needed: a long document keeps none of it. The rules' looks stay
        // for a page laid out again without its running heads.
        content.graphics.textSpans = {};
        content.graphics.fills = {};
        content.graphics.drawings = {};
        content.graphics.images = {};
        sink.pageDone(done.fetch_add(1) + 1, pageCount);
        return int(base::Success);
    });
    if (code != base::Success)
        return code;

    if (job.options.ocrEnabled) {
        QVector<int> textless;
        for (int i = 0; i < pageCount; ++i)
            if (!pages.at(i).layout.hasText())
                textless << i;
        if (!textless.isEmpty()) {
            QVector<docquill::ocr::PageOutcome> outcomes;
            code = engine::Recognition::recognize(job, textless, outcomes, sink);
            if (code != base::Success)
                return code;
            for (int i : textless) {
                if (i >= outcomes.size() || outcomes.at(i).kind != docquill::ocr::PageOutcome::Recognized)
                    continue;
                PageContent& content = pages[i];
                QVector<layout::Word> const words = engine::Recognition::words(outcomes.at(i).page);
                QSizeF const size = content.layout.size;
                content.layout = tables ? layout::LayoutAnalyzer::analyzeWithTables(words, size, i,
                                                                                    content.graphics.rulings)
                                        : layout::LayoutAnalyzer::analyze(words, size, i);
                content.recognized = true;
                content.graphics.imageObject = 0; // its picture has the words painted out
                for (auto const& w : words)
                    content.ocrWords << w.box;
            }
            // What a recognised page shows besides its words goes into Word as pictures.
            QVector<int> recognised;
            for (int i : textless)
                if (job.target == Target::Word && pages.at(i).recognized)
                    recognised << i;
            code = forPages(job, doc, recognised, nullptr, false, [&](PageReader& reader, int i) {
                pages[i].figures =
                    recognisedFigures(reader, pages.at(i), i, job.options.wordLayout != 0, sink);
                return int(base::Success);
            });
            if (code != base::Success)
                return code;
        }
    }

    // Scans without recognition: an empty workbook would pass for their tables. Word and slides
    // keep the pages' pictures instead.
    if (!job.options.ocrEnabled && job.target == Target::Excel &&
        std::none_of(pages.cbegin(), pages.cend(),
                     [](PageContent const& content) { return content.layout.hasReadableText(); })) {
        sink.log(false, QStringLiteral("no page holds text, and text recognition is off"));
        return base::NoText;
    }

    if (job.target == Target::Word)
        takeRunningHeads(pages);
    if (job.target == Target::Word && job.options.wordLayout != 0)
        takeFootnotes(pages);
    if (job.target == Target::Word)
        joinHyphenatedWords(pages);
    layout::BodySizeTracker bodySize;
    for (auto& content : pages) {
        bodySize.add(content.layout);
        layout::LayoutAnalyzer::markHeadings(content.layout, bodySize.bodyFontSize());
    }

    // Pictures: Word keeps a page without text as its picture; slides show the page behind its
    // text, drawn without the text, or the scan with the recognised words painted out.
    QVector<int> scans, backgrounds;
    for (int i = 0; i < pageCount; ++i) {
        PageContent const& content = pages.at(i);
        // A page with neither text nor drawing is blank and needs no picture.
        bool const scan = content.recognized || (!content.layout.hasText() && content.graphics.hasGraphics());
        if (scan && (job.target == Target::Word || job.target == Target::Ppt) &&
            !(job.target == Target::Word && content.recognized))
            scans << i;
        else if (job.target == Target::Word && !content.figures.isEmpty())
            scans << i;
        else if (job.target == Target::Ppt && content.graphics.hasGraphics())
            backgrounds << i;
    }
    // A text layer laid invisibly over a scan: the slide's text boxes take the place of the
    // scanned words, which are painted out of the picture as recognised ones are.
    for (int i : backgrounds) {
        PageContent& content = pages[i];
        if (!content.graphics.hasInvisibleText || content.graphics.hasVisibleText)
            continue;
        content.recognized = true;
        for (auto const& block : content.layout.blocks)
            for (auto const& line : block.lines)
                for (auto const& word : line.words)
                    content.ocrWords << word.box;
    }
    QByteArray textless;
    if (!backgrounds.isEmpty()) {
        engine::PdfGraphics graphics;
        if (graphics.open(job.input, job.password))
            textless = graphics.withoutText();
        if (textless.isEmpty()) {
            sink.log(false,
                     QStringLiteral("the pictures behind the text cannot be made; slides get text only"));
            backgrounds.clear();
        }
    }
    poppler::ustring const docTitle = doc.get_title();
    QString title =
        QString::fromUtf16(reinterpret_cast<char16_t const*>(docTitle.data()), int(docTitle.size()))
            .trimmed();
    if (title.isEmpty())
        title = job.baseName;

    if (job.target == Target::Word) {
        bool withoutText = false;
        for (auto const& content : pages)
            for (auto const& figure : content.figures)
                withoutText = withoutText || (!figure.withText && figure.overText && figure.shapes.isEmpty());
        if (withoutText) {
            engine::PdfGraphics graphics;
            if (graphics.open(job.input, job.password))
                textless = graphics.withoutText();
            if (textless.isEmpty())
                sink.log(false,
                         QStringLiteral("drawings cannot be separated from the text; they are left out"));
        }
        return writeWord(job, doc, pages, scans, textless, title, sink);
    }
    code = forPages(job, doc, scans + backgrounds, &textless, false, [&](PageReader& reader, int i) {
        pages[i].picture = pagePicture(reader, pages.at(i), i, !backgrounds.contains(i), sink);
        return int(base::Success);
    });
    if (code != base::Success)
        return code;
    return writeOutput(job, pages, title, sink);
}

} // namespace office
} // namespace pdfconv
