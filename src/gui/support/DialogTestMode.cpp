#include "support/DialogTestMode.h"

namespace {
bool g_enabled = false;
}

void DialogTestMode::setEnabled(bool on)
{
    g_enabled = on;
}

bool DialogTestMode::isEnabled()
{
    return g_enabled;
}
