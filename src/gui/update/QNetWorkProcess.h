#pragma once

#include <QObject>
#include <QString>

class Orvane;
class QSettings;

// The interface side of the update check: hands the product's identity to libOrvane once,
// asks it for the newest version and shows the answer. The skipped version lives in a native
// settings store of its own.
class QNetWorkProcess : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(QNetWorkProcess)

public:
    explicit QNetWorkProcess(QObject* parent = nullptr);
    ~QNetWorkProcess() override;

    // The process-wide object, made with parent on the first call (GUI thread only), never freed.
    static QNetWorkProcess* shareInstance(QObject* parent);

    // Blocks for at most about 3 seconds. An automatic check only speaks about a newer version;
    // one the user asked for also reports errors and that the running version is the newest.
    void checkUpdate();
    // Every later check counts as asked for by the user.
    void version_check_clicked();

private:
    void offerNewVersion(QString const& version, QString const& downloadUrl);
    static bool isSkipped(QString const& ignored, QString const& offered);
    // An https link on the update service's own host, or the product's download page.
    static bool isTrustedDownload(QString const& link, QString const& service);

    Orvane* m_orvane = nullptr;
    QSettings* m_settings = nullptr;
    bool m_userAsked = false;
};
