#pragma once

#include "engines/Result.h"

class ConvertEngine;

// The converting role of a processor; owns its conversion engine.
class Convertible
{
public:
    Convertible();
    virtual ~Convertible();
    Convertible(Convertible const&) = delete;
    Convertible& operator=(Convertible const&) = delete;

    virtual Result convert(QString const& input, QString const& outDir, QString const& password) = 0;

    ConvertEngine* engine() const { return m_convertEngine; }

protected:
    ConvertEngine* m_convertEngine;
};
