#include "support/MainWindowAccess.h"

namespace {
MainWindowAccess::Factory g_factory = nullptr;
}

QWidget* MainWindowAccess::instance()
{
    return g_factory ? g_factory() : nullptr;
}

void MainWindowAccess::setFactory(Factory factory)
{
    g_factory = factory;
}
