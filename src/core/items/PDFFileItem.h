#pragma once

#include "items/FileItem.h"
#include "pdf/PdfProbe.h"

// A PDF, read with qpdf when it is added so a password-protected file is known at once.
class PDFFileItem : public FileItem
{
    Q_OBJECT
    Q_DISABLE_COPY(PDFFileItem)

public:
    explicit PDFFileItem(QString path, QObject* parent = nullptr);
    ~PDFFileItem() override;

    bool isEncrypted() const override { return m_encrypted; }

    // Opens the file; false when it must not be added. A file whose structure must be rebuilt,
    // or whose pages take long to count, is not read here: the item is being read until
    // takeReading gives what the helper found.
    bool initPDF();
    // Takes what reading the file found; false when it must not be added (damaged, unreadable).
    bool takeReading(PdfProbe::Facts const& facts);

    enum class UnlockResult
    {
        Unlocked,
        WrongPassword,
        // Gone, unreadable or damaged since it was added: no password can open it.
        CannotOpen,
    };
    // Tries the password; the file is open (and its page count read again) on Unlocked.
    UnlockResult unlock(QString const& password);
    // Tries the password; true when it opens the file as its user.
    bool PDFDecrypt(QString const& password);

private:
    void unlocked(QString const& password);

    // The item keeps only what it needs of the document (page count, lock state, password):
    // a parsed document per item would take gigabytes with thousands of long files. The
    // conversion opens the file again.
    bool m_encrypted = false;
};
