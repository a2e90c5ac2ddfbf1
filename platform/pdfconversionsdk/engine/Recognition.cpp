#include "Recognition.h"

#include "JobSink.h"
#include "RecognitionModule.h"

#include <pdfconv/base/ResultCode.h>

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <mutex>

#include <dlfcn.h>

namespace pdfconv {
namespace engine {

namespace {

// The type size of a recognised word, from its line: the distance from the top of the line
// (ascenders and capitals) to its baseline is about 0.8 em in common faces.
double fontSize(docquill::ocr::RecognizedPage const& page, docquill::ocr::RecognizedWord const& word)
{
    double em = word.pointRect.height();
    if (word.line >= 0 && word.line < page.lines.size() && page.dpi > 0) {
        docquill::ocr::RecognizedLine const& line = page.lines.at(word.line);
        double const ascent = line.pixelBaseline.center().y() - line.pixelRect.top();
        em = ascent > 0 ? ascent * 72.0 / page.dpi / 0.8 : line.pointRect.height() / 1.05;
    }
    return std::max(4.0, std::round(em * 2) / 2);
}

// The recognition module, loaded once; null with the reason in @p error when it cannot be.
RecognitionModule const* module(QString& error)
{
    static RecognitionModule const* entries = nullptr;
    static QString failure;
    static std::once_flag once;
    std::call_once(once, [] {
        // Among the bundle's libraries, beside the program's folder. Named in full: a
        // sanitizer's dlopen would look in its own run path, not the program's.
        QString const bundled = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath() +
                                QStringLiteral("/../Frameworks/") + QLatin1String(kRecognitionLibrary);
        void* handle = dlopen(QFile::encodeName(bundled).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            handle = dlopen(kRecognitionLibrary, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            failure = QString::fromLocal8Bit(dlerror());
            return;
        }
        using Entry = RecognitionModule const* (*)();
        auto const entry = reinterpret_cast<Entry>(dlsym(handle, kRecognitionEntry));
        entries = entry ? entry() : nullptr;
        if (!entries)
            failure = QStringLiteral("%1 has no recognition").arg(QLatin1String(kRecognitionLibrary));
    });
    error = failure;
    return entries;
}

int unavailable(QString const& error, JobSink& sink)
{
    sink.log(false, QStringLiteral("text recognition cannot be loaded: ") + error);
    return base::OcrFailed;
}

} // namespace

int Recognition::code(docquill::ocr::Status status)
{
    return recognitionCode(status);
}

int Recognition::recognize(Job const& job, QVector<int> const& pages,
                           QVector<docquill::ocr::PageOutcome>& outcomes, JobSink& sink)
{
    QString error;
    RecognitionModule const* const entries = module(error);
    return entries ? entries->recognize(job, pages, outcomes, sink) : unavailable(error, sink);
}

bool Recognition::anyPageWithoutText(poppler::document const& doc, int pageCount)
{
    for (int i = 0; i < pageCount; ++i)
        if (!pageHasText(doc, i))
            return true;
    return false;
}

QVector<layout::Word> Recognition::words(docquill::ocr::RecognizedPage const& page)
{
    QVector<layout::Word> out;
    out.reserve(page.words.size());
    for (int i = 0; i < page.words.size(); ++i) {
        docquill::ocr::RecognizedWord const& r = page.words.at(i);
        layout::Word w;
        w.text = r.text;
        w.box = r.pointRect;
        // A slanted scan's line climbs or falls along the page; its words are set level with
        // its start, so the layout finds the line recognition found and not pieces of two.
        if (r.line >= 0 && r.line < page.lines.size() && page.dpi > 0) {
            docquill::ocr::RecognizedLine const& line = page.lines.at(r.line);
            QLineF const base = line.pixelBaseline;
            if (std::abs(base.dx()) > 1) {
                double const drift =
                    (r.pixelRect.center().x() - line.pixelRect.left()) * base.dy() / base.dx();
                w.box.translate(0, -drift * 72.0 / page.dpi);
            }
        }
        w.fontSize = fontSize(page, r);
        w.spaceAfter = page.spaceAfter(i);
        out.push_back(w);
    }
    return out;
}

int Recognition::searchablePdf(Job const& job, poppler::document const& doc, int pageCount, JobSink& sink)
{
    QString error;
    RecognitionModule const* const entries = module(error);
    return entries ? entries->searchablePdf(job, doc, pageCount, sink) : unavailable(error, sink);
}

int Recognition::checkModel(Job const& job, JobSink& sink)
{
    QString error;
    RecognitionModule const* const entries = module(error);
    return entries ? entries->checkModel(job, sink) : unavailable(error, sink);
}

} // namespace engine
} // namespace pdfconv
