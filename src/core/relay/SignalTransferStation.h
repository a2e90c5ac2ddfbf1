#pragma once

#include "options/ConvertOption.h"

#include <QObject>
#include <QString>

// Process-wide relay for notifications between objects that do not know each other.
class SignalTransferStation : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(SignalTransferStation)

public:
    explicit SignalTransferStation(QObject* parent = nullptr);
    ~SignalTransferStation() override;

    // Created without a parent on first use; lives until the process ends.
    static SignalTransferStation* instance();

    void transmitStopTaskSignal();
    void transmitunlockAllPDF(QString password);
    void transmitDLSignal(bool ok);
    void relayErrorMessage(QString const& message);
    void transmitOcrModelChecked(bool ready);
    void transmitSharedOptionsChanged(bool wasShared, ConvertOption const& sharedBefore);

    static SignalTransferStation* m_instance;

signals:
    void stopCommand();
    void unlockAllPDF(QString password);
    void downloadCompleted(bool ok);
    void sendErrorMessage(QString message);
    // A model check ended: the OCR model is ready, or it is missing and stays so.
    void ocrModelChecked(bool ready);
    // "Apply to all" was confirmed or left: whether the shared record was in force before, and
    // what it held then.
    void sharedOptionsChanged(bool wasShared, ConvertOption const& sharedBefore);
};
