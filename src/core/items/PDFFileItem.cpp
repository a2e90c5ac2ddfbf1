#include "items/PDFFileItem.h"

#include "pdf/PdfProbeProcess.h"
#include "pdf/QpdfLogBridge.h"
#include "processors/PDFProcesses.h"

#include <QtDebug>

PDFFileItem::PDFFileItem(QString path, QObject* parent) : FileItem(std::move(path), parent)
{
    m_password.clear();
    m_processor = new PDFProcesses();
}

PDFFileItem::~PDFFileItem()
{
    qDebug() << "~PDFFileItem()";
}

bool PDFFileItem::initPDF()
{
    QpdfLogBridge::install();
    PdfProbe::Facts const facts = PdfProbe::read(m_filePath, false);
    if (facts.verdict == PdfProbe::ReadApart) {
        // Read by the helper; until it answers the row shows a PDF being read.
        m_beingRead = true;
        m_iconName = QStringLiteral("PDF-3x.png");
        return true;
    }
    return takeReading(facts);
}

bool PDFFileItem::takeReading(PdfProbe::Facts const& facts)
{
    m_beingRead = false;
    if (facts.verdict != PdfProbe::Readable) {
        if (facts.verdict == PdfProbe::Damaged)
            qWarning() << "initPDF" << __LINE__ << "File is damaged." << facts.detail;
        return false;
    }
    m_iconName = facts.icon;
    m_encrypted = facts.locked;
    if (facts.pageCount >= 0)
        m_pageCount = facts.pageCount;
    if (facts.unprotectFirst)
        static_cast<PDFProcesses*>(m_processor)->setUnprotectFirst(true);
    emit readingFinished();
    return true;
}

PDFFileItem::UnlockResult PDFFileItem::unlock(QString const& password)
{
    int pages = -1;
    PdfProbe::Unlock result = PdfProbe::unlock(m_filePath, password, false, &pages);
    // A file that must be rebuilt to open is read apart, within a time the dialog can wait.
    if (result == PdfProbe::Unlock::ReadApart)
        result = PdfProbeProcess::unlock(m_filePath, password, &pages);
    switch (result) {
    case PdfProbe::Unlock::Unlocked:
        if (pages >= 0)
            m_pageCount = pages;
        unlocked(password);
        return UnlockResult::Unlocked;
    case PdfProbe::Unlock::WrongPassword:
        qDebug() << "PDFDecrypt" << __LINE__ << "Incorrect password.";
        return UnlockResult::WrongPassword;
    case PdfProbe::Unlock::ReadApart:
    case PdfProbe::Unlock::CannotOpen:
        break;
    }
    return UnlockResult::CannotOpen;
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
