#include "TestHome.h"

#include <QtGlobal>

TestHome::TestHome() : m_previous(qgetenv("HOME")), m_hadPrevious(qEnvironmentVariableIsSet("HOME"))
{
    Q_ASSERT(m_dir.isValid());
    qputenv("HOME", m_dir.path().toLocal8Bit());
    // Settings and caches follow these before HOME when they are set.
    for (auto const& var : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qunsetenv(var);
}

TestHome::~TestHome()
{
    if (m_hadPrevious)
        qputenv("HOME", m_previous);
    else
        qunsetenv("HOME");
}
