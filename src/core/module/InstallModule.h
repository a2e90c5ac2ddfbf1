#pragma once

#include <QCoreApplication>
#include <QString>

// Unpacks a downloaded add-on package (a zip archive) with the unzip tool found on the
// search path. Blocks the calling thread while unzip runs.
class InstallModule
{
    Q_DECLARE_TR_FUNCTIONS(InstallModule)

public:
    // The process-wide instance, created by its first user and never freed.
    static InstallModule* m_instance;
    static InstallModule* instance();

    // Unpacks package into destination (created when missing): the archive is unpacked aside
    // and each of its top-level entries then replaces the entry of that name. True only when
    // unzip ran to its end with exit code 0 and everything was moved into place.
    bool install(QString const& package, QString const& destination);
    // Why the last install failed, for the user; empty after a success.
    QString errorString() const { return m_error; }

    // The OCR model, into the bundle's resource models folder.
    bool installOCRModule(QString const& package);
    bool installCADModule(QString const& package);
    bool installHtml2pdf(QString const& package);

private:
    static QString unwritable(QString const& folder);

    QString m_error;
};
