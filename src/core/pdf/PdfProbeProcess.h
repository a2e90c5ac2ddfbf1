#pragma once

#include "pdf/PdfProbe.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class HelperProcess;

// The PdfProbe helper reading one file that needs repair. It answers through finished(), on the
// thread that started it, which never waits for it: a helper that crashes, takes more memory
// than conversions may or makes no end in time gives Unreadable.
class PdfProbeProcess : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PdfProbeProcess)

public:
    explicit PdfProbeProcess(QString path, QObject* parent = nullptr);
    // Stops a helper still reading, with whatever it started.
    ~PdfProbeProcess() override;

    void start();
    QString path() const { return m_path; }

    // Unlocks a file that needs repair with the helper, waiting for it at most a few seconds:
    // the password dialog waits for the answer. CannotOpen when the helper gives none.
    static PdfProbe::Unlock unlock(QString const& path, QString const& password, int* pageCount);

    // Test seam: other time limits for reading and unlocking, in milliseconds (0: the usual ones).
    static void setTimeLimitsForTesting(int readMs, int unlockMs);

signals:
    void finished(PdfProbe::Facts facts);

private:
    void check();
    void ended();
    void finish(PdfProbe::Facts const& facts);
    void stop();

    QString m_path;
    HelperProcess* m_process = nullptr;
    QTimer m_watch;
    QElapsedTimer m_clock;
    bool m_done = false;
};
