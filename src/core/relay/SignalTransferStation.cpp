#include "relay/SignalTransferStation.h"

SignalTransferStation* SignalTransferStation::m_instance = nullptr;

SignalTransferStation::SignalTransferStation(QObject* parent) : QObject(parent) {}

SignalTransferStation::~SignalTransferStation() = default;

SignalTransferStation* SignalTransferStation::instance()
{
    if (!m_instance)
        m_instance = new SignalTransferStation();
    return m_instance;
}

void SignalTransferStation::transmitStopTaskSignal()
{
    emit stopCommand();
}

void SignalTransferStation::transmitunlockAllPDF(QString password)
{
    emit unlockAllPDF(password);
}

void SignalTransferStation::transmitDLSignal(bool ok)
{
    emit downloadCompleted(ok);
}

void SignalTransferStation::relayErrorMessage(QString const& message)
{
    emit sendErrorMessage(message);
}

void SignalTransferStation::transmitOcrModelChecked(bool ready)
{
    emit ocrModelChecked(ready);
}

void SignalTransferStation::transmitSharedOptionsChanged(bool wasShared, ConvertOption const& sharedBefore)
{
    emit sharedOptionsChanged(wasShared, sharedBefore);
}
