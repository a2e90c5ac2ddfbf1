#include "items/PDFFileItem.h"

#include "pdf/PdfPasswordProbe.h"
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

void PDFFileItem::checkEncryptionDictionary(QPDF& pdf)
{
    // qpdf reads an RC4 key length that the standard does not allow (7 or 4096 bits) as 128
    // bits; the conversion's reader takes it as given and then finds no password right.
    try {
        QPDFObjectHandle encrypt = pdf.getTrailer().getKey("/Encrypt");
        if (!encrypt.isDictionary())
            return;
        QPDFObjectHandle version = encrypt.getKey("/V");
        QPDFObjectHandle length = encrypt.getKey("/Length");
        if (!version.isInteger() || length.isNull())
            return;
        long long const v = version.getIntValue();
        if (v != 2 && v != 3)
            return;
        bool const usable = length.isInteger() && length.getIntValue() >= 40 && length.getIntValue() <= 128 &&
                            length.getIntValue() % 8 == 0;
        if (usable)
            return;
        qWarning() << "initPDF" << __LINE__ << "the encryption dictionary has an unusable /Length";
        static_cast<PDFProcesses*>(m_processor)->setUnprotectFirst(true);
    } catch (std::exception const& e) {
        qWarning() << "initPDF" << __LINE__ << "cannot read the encryption dictionary:" << e.what();
    }
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
        checkEncryptionDictionary(pdf);
    } catch (QPDFExc const& e) {
        if (e.getErrorCode() == qpdf_e_password) {
            if (!pdf.userPasswordMatched()) {
                m_encrypted = true;
                m_iconName = QStringLiteral("PDFLock-3x.png");
            }
            takePageCount(pdf);
            checkEncryptionDictionary(pdf);
            return true;
        }
        // qpdf refuses some broken encryption dictionaries that other readers open with the
        // password: such a file is locked, not damaged.
        if (PdfPasswordProbe::probe(m_filePath, QString()) == PdfPasswordProbe::NeedsPassword) {
            qWarning() << "initPDF" << __LINE__ << "qpdf cannot read the encryption:" << e.what();
            m_encrypted = true;
            m_iconName = QStringLiteral("PDFLock-3x.png");
            m_pageCount = 0;
            return true;
        }
        if (e.getErrorCode() == qpdf_e_damaged_pdf) {
            qWarning() << "initPDF" << __LINE__ << "File is damaged.";
            return false;
        }
        takePageCount(pdf);
    } catch (std::exception const& e) {
        // An unreadable file: accepted unlocked with one page, as for other qpdf errors.
        qWarning() << "initPDF" << __LINE__ << e.what();
    }
    return true;
}

PDFFileItem::UnlockResult PDFFileItem::unlock(QString const& password)
{
    QPDF pdf;
    QByteArray path = m_filePath.toUtf8();
    QByteArray pass = password.toUtf8();
    try {
        pdf.processFile(path.constData(), pass.constData());
    } catch (QPDFExc const& e) {
        if (e.getErrorCode() == qpdf_e_password) {
            qDebug() << "PDFDecrypt" << __LINE__ << "Incorrect password.";
            return UnlockResult::WrongPassword;
        }
        int pages = 0;
        switch (PdfPasswordProbe::probe(m_filePath, password, &pages)) {
        case PdfPasswordProbe::Open:
            m_pageCount = pages;
            unlocked(password);
            return UnlockResult::Unlocked;
        case PdfPasswordProbe::NeedsPassword:
            qDebug() << "PDFDecrypt" << __LINE__ << "Incorrect password.";
            return UnlockResult::WrongPassword;
        case PdfPasswordProbe::CannotOpen:
            break;
        }
        qWarning() << "PDFDecrypt" << __LINE__ << "cannot open the file:" << e.what();
        return UnlockResult::CannotOpen;
    } catch (std::exception const& e) {
        qWarning() << "PDFDecrypt" << __LINE__ << "cannot open the file:" << e.what();
        return UnlockResult::CannotOpen;
    }
    if (!pdf.userPasswordMatched())
        return UnlockResult::WrongPassword;
    takePageCount(pdf);
    unlocked(password);
    return UnlockResult::Unlocked;
}

void PDFFileItem::unlocked(QString const& password)
{
    m_encrypted = false;
    m_password = password;
    emit unlockSuccess();
}

bool PDFFileItem::PDFDecrypt(QString const& password)
{
    return unlock(password) == UnlockResult::Unlocked;
}
