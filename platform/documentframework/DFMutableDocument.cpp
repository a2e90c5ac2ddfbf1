#include "DFMutableDocument.h"

#include "DFDocFormat.h"
#include "DFException.h"
#include "DFPagePrivate.h"

#include <DiskFull.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>

class DFMutableDocument::Private
{
public:
    QString path;
    DFSize pageSize{595.0, 842.0};
    int quality = 3;
    long count = 0;
    bool isLast = false;
    bool isGet1 = false;
    bool encoding = false;
    int added = 0;
    std::unique_ptr<QPDF> out;
    // Copied pages read their stream data from the sources until the file is written.
    std::set<std::shared_ptr<QPDF>> sources;

    void requireEncoding() const
    {
        if (!encoding)
            throw DFException(DFInconsistentStateException, "the document is not being encoded");
    }
};

DFMutableDocument::DFMutableDocument(QString path) : d(new Private)
{
    d->path = std::move(path);
}

DFMutableDocument::~DFMutableDocument() = default;

std::shared_ptr<DFMutableDocument>
DFMutableDocument::documentWithFilePath(QString const& path, std::shared_ptr<DFDocFormat> const& format)
{
    if (!format || format->name() != QLatin1String(DFDocFormatPDF))
        throw DFException(DFInvalidArgumentException, "the layer writes PDF documents only");
    QFileInfo const info(path);
    if (path.isEmpty() || !info.absoluteDir().exists())
        throw DFException(DFInvalidArgumentException, "the folder of " + path + " does not exist");
    if (info.isDir())
        throw DFException(DFInvalidArgumentException, path + " is a folder");
    return std::shared_ptr<DFMutableDocument>(new DFMutableDocument(info.absoluteFilePath()));
}

void DFMutableDocument::setPageSize(DFSize size)
{
    if (!(size.width > 0) || !(size.height > 0))
        throw DFException(DFInvalidArgumentException, "a page size must be positive");
    d->pageSize = size;
}

DFSize DFMutableDocument::pageSize() const
{
    return d->pageSize;
}

void DFMutableDocument::setQuality(int quality)
{
    d->quality = quality;
}

int DFMutableDocument::quality() const
{
    return d->quality;
}

void DFMutableDocument::setCount(long count)
{
    d->count = count;
}

void DFMutableDocument::beginEncode()
{
    if (d->encoding)
        throw DFException(DFInconsistentStateException, "encoding has begun already");
    d->out = std::make_unique<QPDF>();
    d->out->emptyPDF();
    d->added = 0;
    d->encoding = true;
}

void DFMutableDocument::setIsLast(bool isLast)
{
    d->isLast = isLast;
}

DFDecodeType DFMutableDocument::needDecodetype() const
{
    return DFDecodeType::DFDecodeTypePDFPage;
}

void DFMutableDocument::setIsGet1(bool isGet1)
{
    d->isGet1 = isGet1;
}

void DFMutableDocument::addPage(std::shared_ptr<DFPage> const& page)
{
    if (!page)
        throw DFException(DFInvalidArgumentException, "no page to add");
    d->requireEncoding();
    DFPage::Private const& source = page->data();
    try {
        QPDFPageObjectHelper sourcePage(source.page);
        QPDFObjectHandle const form = d->out->copyForeignObject(sourcePage.getFormXObjectForPage());
        d->sources.insert(source.pdf);

        QPDFObjectHandle box = QPDFObjectHandle::newArray();
        box.appendItem(QPDFObjectHandle::newInteger(0));
        box.appendItem(QPDFObjectHandle::newInteger(0));
        box.appendItem(QPDFObjectHandle::newReal(d->pageSize.width, 3));
        box.appendItem(QPDFObjectHandle::newReal(d->pageSize.height, 3));
        QPDFObjectHandle xobjects = QPDFObjectHandle::newDictionary();
        xobjects.replaceKey("/Fx0", form);
        QPDFObjectHandle resources = QPDFObjectHandle::newDictionary();
        resources.replaceKey("/XObject", xobjects);
        QPDFObjectHandle dict = QPDFObjectHandle::newDictionary();
        dict.replaceKey("/Type", QPDFObjectHandle::newName("/Page"));
        dict.replaceKey("/MediaBox", box);
        dict.replaceKey("/Resources", resources);
        QPDFPageObjectHelper target(d->out->makeIndirectObject(dict));
        // Shrunk or enlarged to fit, and centred.
        std::string const content = target.placeFormXObject(
            form, "/Fx0", QPDFObjectHandle::Rectangle(0, 0, d->pageSize.width, d->pageSize.height), true,
            true, true);
        target.getObjectHandle().replaceKey("/Contents", QPDFObjectHandle::newStream(d->out.get(), content));
        QPDFPageDocumentHelper(*d->out).addPage(target, false);
        ++d->added;
    } catch (std::exception const& e) {
        throw DFException(DFInvalidArgumentException, QString("cannot place the page: %1").arg(e.what()));
    }
}

void DFMutableDocument::endEncode()
{
    d->requireEncoding();
    if (d->added == 0)
        throw DFException(DFInconsistentStateException, "no page was added; a PDF needs at least one");
    QFileInfo const target(d->path);
    QString const temporary =
        target.absoluteDir().filePath(QString(".%1.%2.part")
                                          .arg(target.completeBaseName())
                                          .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0')));
    try {
        QByteArray const fileName = QFile::encodeName(temporary); // the writer keeps the pointer
        FILE* const stream = std::fopen(fileName.constData(), "wbxe");
        int const error = !stream ? errno : diskfull::writeStream(stream, [&](FILE* file) {
            QPDFWriter writer(*d->out, fileName.constData(), file, false);
            writer.setMinimumPDFVersion("1.4");
            writer.write();
        });
        if (error != 0) {
            if (stream)
                QFile::remove(temporary);
            throw DFException(DFFileWriteException,
                              QString("cannot write %1: %2").arg(d->path, std::strerror(error)),
                              diskfull::isFull(error) ? DFCauseDiskFull : "");
        }
    } catch (DFException const&) {
        throw;
    } catch (std::exception const& e) {
        QFile::remove(temporary);
        throw DFException(DFFileWriteException, QString("cannot write %1: %2").arg(d->path, e.what()));
    }
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(d->path).constData()) != 0) {
        QString const cause = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        throw DFException(DFFileWriteException, QString("cannot write %1: %2").arg(d->path, cause));
    }
    d->encoding = false;
    d->out.reset();
    d->sources.clear();
}
