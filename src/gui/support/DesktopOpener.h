#pragma once

#include <QObject>
#include <QUrl>

// Opens the web pages, folders and files that the interface hands to QDesktopServices::openUrl
// with the desktop's opener, xdg-open. Qt starts an opener without waiting for its answer, so a
// desktop without a browser or file manager showed nothing at all; here a failure says so in a
// message that shows the address or path, for the user to open by hand.
class DesktopOpener : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(DesktopOpener)

public:
    // Takes over http, https and file URLs for the rest of the process.
    static void install();

public slots:
    void open(QUrl const& url);

private:
    explicit DesktopOpener(QObject* parent);
    void report(QUrl const& url);
};
