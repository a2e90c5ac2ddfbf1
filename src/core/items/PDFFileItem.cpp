#include "items/PDFFileItem.h"

#include "pdf/QpdfLogBridge.h"
#include "processors/PDFProcesses.h"

#include <QtDebug>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFExc.hh>

#include <exception>

PDFFileItem::PDFFileItem(QString path, QObject* parent) : FileItem(std::move(path), parent)
{
    m_password.clear();
    m_processor = new PDFProcesses();
}

PDFFileItem::~PDFFileItem()
{
    qDebug() << "~PDFFileItem()";
}

void PDFFileItem::takePageCount(QPDF& pdf)
{
    try {
        m_pageCount = static_cast<int>(pdf.getAllPages().size());
    } catch (std::exception const& e) {
        qWarning() << "initPDF" << __LINE__ << "cannot count the pages:" << e.what();
    }
}

bool PDFFileItem::initPDF()
{
    QpdfLogBridge::install();
    QPDF pdf;
    QByteArray path = m_filePath.toUtf8();
    try {
        pdf.processFile(path.constData());
        m_iconName = QStringLiteral("PDF-3x.png");
        m_encrypted = false;
        takePageCount(pdf);
    } catch (QPDFExc const& e) {
        if (e.getErrorCode() == qpdf_e_damaged_pdf) {
            qWarning() << "initPDF" << __LINE__ << "File is damaged.";
            return false;
        }
        if (e.getErrorCode() == qpdf_e_password && !pdf.userPasswordMatched()) {
            m_encrypted = true;
            m_iconName = QStringLiteral("PDFLock-3x.png");
        }
        takePageCount(pdf);
    } catch (std::exception const& e) {
        // A missing or unreadable file: accepted unlocked with one page, as for other qpdf errors.
        qWarning() << "initPDF" << __LINE__ << e.what();
    }
    return true;
}

bool PDFFileItem::PDFDecrypt(QString const& password)
{
    QPDF pdf;
    QByteArray path = m_filePath.toUtf8();
    QByteArray pass = password.toUtf8();
    try {
        pdf.processFile(path.constData(), pass.constData());
    } catch (std::exception const&) {
        qDebug() << "PDFDecrypt" << __LINE__ << "Incorrect password.";
        return false;
    }
    if (!pdf.userPasswordMatched())
        return false;
    m_encrypted = false;
    takePageCount(pdf);
    m_password = password;
    emit unlockSuccess();
    return true;
}
