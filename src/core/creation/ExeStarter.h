#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

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

    // The helper's exit code; -1 when it could not be run to its end or crashed.
    int cmdProgramStart(QString const& program, QStringList const& args);

    ErrorMessageContext* errorContext() const { return m_error; }

    // Test seam: the folder helpers are started from instead of the application's folder.
    static void setProgramFolderForTesting(QString const& folder);

private slots:
    void stopProcess();

private:
    void readErrorMessage();
    void readOutputMessage();

    QProcess* m_process = nullptr;
    ErrorMessageContext* m_error = nullptr;
};
