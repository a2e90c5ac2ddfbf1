#include "DFException.h"

DFException::DFException(QString name, QString reason)
    : m_name(std::move(name)), m_reason(std::move(reason)), m_what((m_name + ": " + m_reason).toStdString())
{
}
