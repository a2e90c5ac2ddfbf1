#pragma once

#include <QString>

// The outcome of one conversion or creation: a code (-1 until set) and the output path.
struct Result
{
    int code = -1;
    QString path;
};
