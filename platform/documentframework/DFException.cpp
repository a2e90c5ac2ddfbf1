#include "DFException.h"

DFException::DFException(QString name, QString reason, QString cause)
    : m_name(std::move(name)), m_reason(std::move(reason)), m_cause(std::move(cause)),
      m_what((m_name + ": " + m_reason).toStdString())
{
}
