#include "TestHome.h"

#include <QtGlobal>

TestHome::TestHome()
    : m_previous(qgetenv("HOME")), m_hadPrevious(qEnvironmentVariableIsSet("HOME"))
{
    Q_ASSERT(m_dir.isValid());
    qputenv("HOME", m_dir.path().toLocal8Bit());
}

TestHome::~TestHome()
{
    if (m_hadPrevious)
        qputenv("HOME", m_previous);
    else
        qunsetenv("HOME");
}
