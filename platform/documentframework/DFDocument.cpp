#include "DFDocument.h"

#include "DFDocumentLoadDelegate.h"
#include "DFException.h"
#include "DFPagePrivate.h"
#include "DocRender.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <atomic>
#include <mutex>
#include <vector>

namespace {

enum class LoadState
{
    Idle,
    Loading,
    Loaded,
    Failed
};

} // namespace

class DFDocument::Private
{
public:
    QString path;
    // A QThread rather than a bare thread: Qt's text layout starts timers, which need one.
    std::unique_ptr<QThread> loader;
    std::atomic_bool cancel{false};

    // The delegate may be changed from its own callback, hence recursive.
    mutable std::recursive_mutex delegateMutex;
    DFDocumentLoadDelegate* delegate = nullptr;

    mutable std::mutex mutex; // guards what follows
    LoadState state = LoadState::Idle;
    QString loadError;
    docrender::RenderError loadCause = docrender::RenderError::None;
    long pages = 0;
    std::unique_ptr<QTemporaryDir> work;
    QString rendered;

    // Used only by the thread that decodes.
    DFDecodeType decodeType = DFDecodeType::DFDecodeTypePDFPage;
    bool decoding = false;
    std::shared_ptr<QPDF> pdf;
    std::vector<QPDFObjectHandle> pageObjects;

    void notify(DFDocument* document, bool end)
    {
        std::lock_guard<std::recursive_mutex> lock(delegateMutex);
        if (!delegate)
            return;
        if (end)
            delegate->DFDocumentLoadDelegate_loadEnd(document);
        else
            delegate->DFDocumentLoadDelegate_loadStart(document);
    }

    // Raises unless loading ended well; call with the mutex held.
    void requireLoaded() const
    {
        if (state == LoadState::Failed)
            throw DFException(DFDocumentLoadException, loadError,
                              loadCause == docrender::RenderError::CannotOpen ? DFCauseUnreadable
                              : loadCause == docrender::RenderError::DiskFull ? DFCauseDiskFull
                                                                               : "");
        if (state != LoadState::Loaded)
            throw DFException(DFInconsistentStateException, "the document has not finished loading");
    }
};

DFDocument::DFDocument(QString path) : d(new Private)
{
    d->path = std::move(path);
}

DFDocument::~DFDocument()
{
    d->cancel = true;
    if (d->loader)
        d->loader->wait();
}

std::shared_ptr<DFDocument> DFDocument::documentWithPath(QString const& path)
{
    QFileInfo const info(path);
    if (path.isEmpty() || !info.isFile())
        throw DFException(DFInvalidArgumentException, "no document file at " + path);
    QFile probe(path);
    if (!probe.open(QIODevice::ReadOnly))
        throw DFException(DFInvalidArgumentException, "cannot read " + path + ": " + probe.errorString());
    return std::shared_ptr<DFDocument>(new DFDocument(info.absoluteFilePath()));
}

void DFDocument::setLoadDelegate(DFDocumentLoadDelegate* delegate)
{
    std::lock_guard<std::recursive_mutex> lock(d->delegateMutex);
    d->delegate = delegate;
}

DFDocumentLoadDelegate* DFDocument::loadDelegate() const
{
    std::lock_guard<std::recursive_mutex> lock(d->delegateMutex);
    return d->delegate;
}

void DFDocument::loadDocument()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (d->state != LoadState::Idle)
            throw DFException(DFInconsistentStateException, "the document is already loading or loaded");
        d->state = LoadState::Loading;
    }
    d->loader.reset(QThread::create([this] { load(); }));
    d->loader->start();
}

void DFDocument::load()
{
    d->notify(this, false);
    LoadState state = LoadState::Failed;
    QString error;
    docrender::RenderError cause = docrender::RenderError::Failure;
    long pages = 0;
    auto work = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/docquill-df-XXXXXX");
    QString const rendered = work->filePath("document.pdf");
    try {
        if (!work->isValid()) {
            error = "cannot create a temporary folder: " + work->errorString();
        } else {
            docrender::RenderOptions options;
            options.cancel = &d->cancel;
            docrender::RenderResult const result = docrender::renderToPdf(d->path, rendered, options);
            if (result.ok()) {
                state = LoadState::Loaded;
                pages = result.pageCount;
            } else {
                error = result.message;
                cause = result.error;
            }
        }
    } catch (std::exception const& e) {
        error = QString("loading failed: %1").arg(e.what());
    } catch (...) {
        error = "loading failed";
    }
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->state = state;
        d->loadError = error;
        d->loadCause = state == LoadState::Loaded ? docrender::RenderError::None : cause;
        d->pages = pages;
        d->work = std::move(work);
        d->rendered = rendered;
    }
    d->notify(this, true);
}

long DFDocument::pageCount() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->requireLoaded();
    return d->pages;
}

void DFDocument::setDecodeType(DFDecodeType type)
{
    d->decodeType = type;
}

void DFDocument::beginDecode()
{
    QString rendered;
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->requireLoaded();
        rendered = d->rendered;
    }
    if (d->decodeType != DFDecodeType::DFDecodeTypePDFPage)
        throw DFException(DFInvalidArgumentException, "unknown decode type");
    try {
        auto pdf = std::make_shared<QPDF>();
        pdf->setSuppressWarnings(true);
        pdf->processFile(QFile::encodeName(rendered).constData());
        std::vector<QPDFObjectHandle> pages;
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(*pdf).getAllPages())
            pages.push_back(page.getObjectHandle());
        d->pdf = std::move(pdf);
        d->pageObjects = std::move(pages);
        d->decoding = true;
    } catch (std::exception const& e) {
        throw DFException(DFDocumentLoadException, QString("cannot read the loaded pages: %1").arg(e.what()));
    }
}

std::shared_ptr<DFPage> DFDocument::pageAtIndex(long index)
{
    if (!d->decoding)
        throw DFException(DFInconsistentStateException, "pages are handed out only while decoding");
    if (index < 0 || index >= long(d->pageObjects.size()))
        return nullptr;
    auto data = std::make_unique<DFPage::Private>();
    data->pdf = d->pdf;
    data->page = d->pageObjects[size_t(index)];
    return std::make_shared<DFPage>(std::move(data));
}

void DFDocument::endDeocde()
{
    d->decoding = false;
    d->pageObjects.clear();
    d->pdf.reset();
}
