#pragma once

#include "items/FileItem.h"

class QPDF;

// A PDF, read with qpdf when it is added so a password-protected file is known at once.
class PDFFileItem : public FileItem
{
    Q_OBJECT
    Q_DISABLE_COPY(PDFFileItem)

public:
    explicit PDFFileItem(QString path, QObject* parent = nullptr);
    ~PDFFileItem() override;

    bool isEncrypted() const override { return m_encrypted; }

    // Opens the file; false when qpdf finds it damaged and it must not be added.
    bool initPDF();

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
    void takePageCount(QPDF& pdf);
    void checkEncryptionDictionary(QPDF& pdf);
    void unlocked(QString const& password);

    // The item keeps only what it needs of the document (page count, lock state, password):
    // a parsed document per item would take gigabytes with thousands of long files. The
    // conversion opens the file again.
    bool m_encrypted = false;
};
