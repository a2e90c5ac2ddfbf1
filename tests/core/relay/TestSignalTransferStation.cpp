#include "relay/SignalTransferStation.h"

#include <QtTest>

class TestSignalTransferStation : public QObject
{
    Q_OBJECT

private slots:
    void singleInstance()
    {
        QVERIFY(!SignalTransferStation::m_instance);
        SignalTransferStation* first = SignalTransferStation::instance();
        QVERIFY(first);
        QCOMPARE(SignalTransferStation::instance(), first);
    }

    // "Apply to all" reaches every connected page once, with the password unchanged.
    void unlockAllReachesEveryReceiver()
    {
        auto* relay = SignalTransferStation::instance();
        QStringList converterPage, creatorPage;
        QObject a, b;
        connect(relay, &SignalTransferStation::unlockAllPDF, &a, [&](QString p) { converterPage << p; });
        connect(relay, &SignalTransferStation::unlockAllPDF, &b, [&](QString p) { creatorPage << p; });
        relay->transmitunlockAllPDF("s3cr%t");
        QCOMPARE(converterPage, QStringList{"s3cr%t"});
        QCOMPARE(creatorPage, QStringList{"s3cr%t"});
    }

    void otherRelays()
    {
        auto* relay = SignalTransferStation::instance();
        QSignalSpy stop(relay, &SignalTransferStation::stopCommand);
        QSignalSpy download(relay, &SignalTransferStation::downloadCompleted);
        QSignalSpy error(relay, &SignalTransferStation::sendErrorMessage);
        relay->transmitStopTaskSignal();
        relay->transmitDLSignal(true);
        relay->relayErrorMessage("oops");
        QCOMPARE(stop.count(), 1);
        QCOMPARE(download.first().first().toBool(), true);
        QCOMPARE(error.first().first().toString(), QString("oops"));
    }
};

QTEST_GUILESS_MAIN(TestSignalTransferStation)
#include "TestSignalTransferStation.moc"
