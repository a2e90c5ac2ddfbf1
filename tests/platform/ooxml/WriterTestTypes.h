#pragma once

#include "ooxml/TextRun.h"
#include "ooxml/WriteResult.h"

#include <QByteArray>
#include <QMetaType>
#include <QtGlobal>

Q_DECLARE_METATYPE(ooxml::ExistingFile)
Q_DECLARE_METATYPE(ooxml::WriteError)

namespace ooxml {
// A run of plain text in one size and weight.
inline TextRun textRun(QString const& text, double size = 11.0, bool bold = false, bool italic = false)
{
    TextRun run;
    run.text = text;
    run.fontSize = size;
    run.bold = bold;
    run.italic = italic;
    return run;
}

// Found by QCOMPARE through argument-dependent lookup.
inline char* toString(WriteError error)
{
    return qstrdup(QByteArray("WriteError ") + QByteArray::number(int(error)));
}
} // namespace ooxml
