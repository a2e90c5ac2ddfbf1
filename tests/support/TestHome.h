#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Points HOME at a fresh temporary folder for the lifetime of the object, so nothing a
// test does reaches the real home folder. The previous value comes back on destruction.
class TestHome
{
public:
    TestHome();
    ~TestHome();
    TestHome(TestHome const&) = delete;
    TestHome& operator=(TestHome const&) = delete;

    QString path() const { return m_dir.path(); }
    // A path below the temporary home folder.
    QString filePath(QString const& relative) const { return m_dir.filePath(relative); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};
