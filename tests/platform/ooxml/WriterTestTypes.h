#pragma once

#include "ooxml/WriteResult.h"

#include <QByteArray>
#include <QMetaType>
#include <QtGlobal>

Q_DECLARE_METATYPE(ooxml::ExistingFile)
Q_DECLARE_METATYPE(ooxml::WriteError)

namespace ooxml {
// Found by QCOMPARE through argument-dependent lookup.
inline char* toString(WriteError error)
{
    return qstrdup(QByteArray("WriteError ") + QByteArray::number(int(error)));
}
} // namespace ooxml
