#include "FakeComponentCheck.h"

#include "componentcheck/ComponentCheck.h"

namespace {
bool g_answer = false;
int g_calls = 0;
} // namespace

ComponentCheck* ComponentCheck::m_instance = nullptr;

ComponentCheck* ComponentCheck::instance()
{
    static ComponentCheck check;
    m_instance = &check;
    return m_instance;
}

bool ComponentCheck::checkOCRComponent()
{
    ++g_calls;
    return g_answer;
}

void FakeComponentCheck::setAnswer(bool fetched)
{
    g_answer = fetched;
}

int FakeComponentCheck::calls()
{
    return g_calls;
}

void FakeComponentCheck::reset()
{
    g_answer = false;
    g_calls = 0;
}
