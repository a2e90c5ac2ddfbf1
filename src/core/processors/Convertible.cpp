#include "processors/Convertible.h"

#include "engines/ConvertEngine.h"

Convertible::Convertible() : m_convertEngine(new ConvertEngine()) {}

Convertible::~Convertible()
{
    delete m_convertEngine;
}
