#include "items/FileItem.h"

#include "processors/Convertible.h"
#include "processors/IFileProcessor.h"
#include "processors/PDFCreatable.h"
#include "utils/CommonUtils.h"

#include <QFileInfo>

FileItem::FileItem(QString path, QObject* parent) : QObject(parent), m_filePath(std::move(path)) {}

FileItem::~FileItem()
{
    delete m_processor;
}

int FileItem::pdfCreate(QString const& input, QString const& outDir)
{
    if (!m_processor)
        return -1;
    PDFCreatable* creator = m_processor->getCreator();
    if (!creator)
        return -2;
    Result result = creator->createPdf(input, outDir, m_password);
    emit outputFileSignal(result.path);
    return result.code;
}

int FileItem::fileConvert(QString const& input, QString const& outDir)
{
    if (!m_processor)
        return -1;
    Convertible* converter = m_processor->getConverter();
    if (!converter)
        return -2;
    Result result = converter->convert(input, outDir, m_password);
    emit outputFileSignal(result.path);
    return result.code;
}

void FileItem::setConvertOption(ConvertOption const& option)
{
    if (m_processor && !m_busy)
        m_processor->setConvertOption(option);
}

QString FileItem::fileName() const
{
    return QFileInfo(m_filePath).fileName();
}

QString FileItem::fileBaseName() const
{
    return QFileInfo(m_filePath).baseName();
}

QString FileItem::fileType() const
{
    return QFileInfo(m_filePath).suffix();
}

void FileItem::setBusy(bool busy)
{
    if (m_busy == busy)
        return;
    m_busy = busy;
    emit busyChanged(busy);
}

void FileItem::fileProcessFinished(int code)
{
    m_processed = code == 0;
    emit processFinishedSignal(code);
}

void FileItem::startProcess()
{
    emit processing();
}

void FileItem::stopProcess()
{
    emit processed();
}

void FileItem::setConvertType(ConvertType const& type)
{
    if (m_processor && !m_busy)
        m_processor->setConvertFormat(type);
}

void FileItem::setOutputPdfName(QString const& name)
{
    if (m_processor && !m_busy)
        m_processor->setOutputPdfName(name);
}

void FileItem::setMergePartName(QString const& name)
{
    PDFCreatable* creator = m_processor ? m_processor->getCreator() : nullptr;
    if (creator)
        creator->setMergePartName(name);
}

void FileItem::changePageRange(QStringList const& ranges)
{
    if (m_processor && !m_busy)
        m_processor->setPageRanges(ranges);
}

QString FileItem::formatBytesOfFile() const
{
    return formatFileSize(QFileInfo(m_filePath).size());
}

QString FileItem::formatFileSize(qint64 bytes)
{
    auto cut = [](qint64 value, qint64 unit) {
        float quotient = static_cast<float>(value) / static_cast<float>(unit);
        return CommonUtils::getNonRoundingNumber(static_cast<double>(quotient), 2);
    };
    if (bytes <= 1024)
        return QStringLiteral("%1 B").arg(bytes);
    if (bytes <= 1048576)
        return QStringLiteral("%1 KB").arg(cut(bytes, 1024));
    if (bytes <= 1073741824)
        return QStringLiteral("%1 MB").arg(cut(bytes, 1048576));
    return QStringLiteral("%1 GB").arg(cut(bytes, 1073741824));
}
