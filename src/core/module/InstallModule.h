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

    // Unpacks package into destination (created when missing): the archive is unpacked beside
    // it, the destination's entries that the package does not hold join it, and the new folder
    // then takes the destination's place in one swap. True only when unzip ran to its end with
    // exit code 0 and the new folder is in place; otherwise the destination is as it was.
    bool install(QString const& package, QString const& destination);
    // Start-up: removes what an install that was cut short left beside or inside destination,
    // and puts the old folder back when the cut came between its two renames.
    static void removeLeftovers(QString const& destination);
    static void removeOCRLeftovers();
    // Why the last install failed, for the user; empty after a success.
    QString errorString() const { return m_error; }

    // The OCR model, into the bundle's resource models folder.
    bool installOCRModule(QString const& package);
    bool installCADModule(QString const& package);
    bool installHtml2pdf(QString const& package);

private:
    static QString unwritable(QString const& folder);
    static QString ocrDestination();

    QString m_error;
};
