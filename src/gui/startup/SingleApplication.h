#pragma once

#include <QApplication>
#include <QString>

class QLocalServer;

// An application object that knows whether another instance with the same server name runs.
// The first instance listens on a local socket and brings its main window forward whenever a
// later instance connects; the later one only learns that it is not alone.
class SingleApplication : public QApplication
{
    Q_OBJECT
    Q_DISABLE_COPY(SingleApplication)

public:
    SingleApplication(int& argc, char** argv, QString serverName);
    ~SingleApplication() override;

    bool isRunning();
    void setMainWindow(QWidget* window);
    void ActivateWindow();

private:
    void InitLocalConnection();
    void NewLocalServer();
    void NewLocalConnection();

    QWidget* m_mainWindow = nullptr;
    QLocalServer* m_localServer = nullptr;
    QString m_serverName;
    bool m_isRunning = false;
};
