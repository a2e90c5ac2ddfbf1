#pragma once

#include <QString>

// Unpacks a downloaded add-on package (a zip archive) with the unzip tool found on the
// search path. Blocks the calling thread while unzip runs.
class InstallModule
{
public:
    // The process-wide instance, created by its first user and never freed.
    static InstallModule* m_instance;
    static InstallModule* instance();

    // Unpacks package into destination (created when missing, existing files replaced).
    // True only when unzip ran to its end with exit code 0.
    bool install(QString const& package, QString const& destination);

    // The OCR model, into the bundle's resource models folder.
    bool installOCRModule(QString const& package);
    bool installCADModule(QString const& package);
    bool installHtml2pdf(QString const& package);
};
