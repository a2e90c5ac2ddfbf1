#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>

class ErrorMessageContext;
class QProcess;

// Runs a helper executable from the application's folder and returns its exit code.
class ExeStarter : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ExeStarter)

public:
    explicit ExeStarter(QObject* parent = nullptr);
    ~ExeStarter() override;

    // The helper's exit code; -1 when it could not be run to its end or crashed. A helper that
    // takes more memory than conversions may, or makes no end in a generous time, is stopped
    // with everything it started: CreateErrorMemoryLimit or CreateErrorTimeLimit; one that a
    // Cancel stopped gives CreateErrorCanceled.
    int cmdProgramStart(QString const& program, QStringList const& args);

    ErrorMessageContext* errorContext() const { return m_error; }

    // The folder helpers are started from: the application's.
    static QString programFolder();
    // Test seam: the folder helpers are started from instead of the application's folder.
    static void setProgramFolderForTesting(QString const& folder);
    // Test seam: other limits (0: the usual ones).
    static void setLimitsForTesting(qint64 memoryBytes, int seconds);

private slots:
    void stopProcess();

private:
    void readErrorMessage();
    void readOutputMessage();

    QProcess* m_process = nullptr;
    std::atomic<qint64> m_group{0}; // the running helper's process group
    std::atomic<bool> m_stopRequested{false};
    ErrorMessageContext* m_error = nullptr;
};
