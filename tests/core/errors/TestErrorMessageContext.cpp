#include "errors/ErrorMessageContext.h"
#include "language/GLanguage.h"
#include "relay/SignalTransferStation.h"

#include <QtTest>

#include <QTranslator>

class TestErrorMessageContext : public QObject
{
    Q_OBJECT

private slots:
    void messageTable()
    {
        // Key 12 appears twice in the source table; the first text stands.
        QCOMPARE(QString(GLanguage::getString(StrLanguagesNotSupported)),
                 QString("The selected languages are not supported"));
        QString prompt = GLanguage::getString(StrOcrDownloadPrompt);
        QCOMPARE(prompt.count('\n'), 1);
        QVERIFY(prompt.contains("file.\nDownloading"));
        QVERIFY_EXCEPTION_THROWN(GLanguage::getString(StringIndex(2)), std::out_of_range);
    }

    void conversionTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("index"); // 0: no text
        QTest::newRow("cancel") << 1 << int(StrConversionCanceled);
        QTest::newRow("not found") << 2 << int(StrFileNotFound);
        QTest::newRow("password") << 3 << int(StrPasswordRequired);
        QTest::newRow("memory") << 7 << int(StrOutOfMemory);
        QTest::newRow("text unreadable") << 42 << int(StrOcrUnreadable);
        QTest::newRow("disk full") << 72 << int(StrDiskFull);
        QTest::newRow("no text") << 43 << int(StrNoTextLayer);
        QTest::newRow("busy") << 60 << int(StrConversionBusy);
        QTest::newRow("unknown") << 100 << int(StrUnknownConversionError);
        QTest::newRow("eight") << 8 << 0;
        QTest::newRow("success") << 0 << 0;
        QTest::newRow("not run") << -1 << 0;
        QTest::newRow("no converter") << -2 << 0;
        QTest::newRow("101") << 101 << 0;
    }

    void conversionTexts()
    {
        QFETCH(int, code);
        QFETCH(int, index);
        QString expected = index ? QString(GLanguage::getString(StringIndex(index))) : QString();
        QCOMPARE(ErrorMessageContext::getErrorMessage(code), expected);
    }

    void creationTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("index");
        QTest::newRow("failure") << 1 << int(StrCreateFailure);
        QTest::newRow("unknown") << 2 << int(StrCreateUnknownError);
        QTest::newRow("failure+unknown") << 3 << int(StrCreateUnknownError);
        QTest::newRow("failure+password") << 5 << int(StrCreatePasswordProtected);
        QTest::newRow("failure+output dir") << 129 << int(StrCreateOutputDirNotFound);
        QTest::newRow("no printer") << 4096 << int(StrCreateNoPrinter);
        QTest::newRow("disk full") << 131072 << int(StrDiskFull);
        QTest::newRow("damaged document") << 262144 << int(StrDocumentDamaged);
        QTest::newRow("cancelled") << 524288 << int(StrConversionCanceled);
        QTest::newRow("two flags") << 6 << 0;
        QTest::newRow("odd without flag") << 7 << 0;
        QTest::newRow("success") << 0 << 0;
        QTest::newRow("not started") << -1 << 0;
        QTest::newRow("negative odd") << -3 << 0;
    }

    void creationTexts()
    {
        QFETCH(int, code);
        QFETCH(int, index);
        QString expected = index ? QString(GLanguage::getString(StringIndex(index))) : QString();
        QCOMPARE(ErrorMessageContext::getErrorMessageForCreator(code), expected);
    }

    // Conversions and creations stopped at their limits say so alike, the memory one with its
    // size filled in.
    void limitTexts()
    {
        QString const memory = ErrorMessageContext::getErrorMessage(70);
        QVERIFY2(memory.startsWith("The file needs more memory than ") &&
                     memory.contains(" GB and was stopped."),
                 qPrintable(memory));
        QCOMPARE(ErrorMessageContext::getErrorMessageForCreator(32768), memory);
        QCOMPARE(ErrorMessageContext::getErrorMessage(71), QString(GLanguage::getString(StrTimeLimit)));
        QCOMPARE(ErrorMessageContext::getErrorMessageForCreator(65536),
                 ErrorMessageContext::getErrorMessage(71));
    }

    void translatedUnderFrench()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(FRENCH_QM)));
        QCoreApplication::installTranslator(&translator);
        QCOMPARE(ErrorMessageContext::getErrorMessage(3), QString("Mot de passe requis ou incorrect."));
        QCOMPARE(ErrorMessageContext::getErrorMessageForCreator(65), QString("Fichier source introuvable."));
        // Untranslated texts fall back to English.
        QCOMPARE(ErrorMessageContext::getErrorMessage(7), QString("Out of memory."));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(ErrorMessageContext::getErrorMessage(3),
                 QString("Password required or incorrect password."));
    }

    void classifyHelperOutput_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("relayed");
        QTest::newRow("nothing") << ""
                                 << "" << 0 << false;
        QTest::newRow("exit code 6") << ""
                                     << "run failed: exitCode=6 here" << 1 << false;
        QTest::newRow("stored text used") << "Unable to open the file x"
                                          << "" << 1 << false;
        QTest::newRow("language data") << ""
                                       << "Requested language data no found" << 2 << false;
        QTest::newRow("input missing") << ""
                                       << "Input file does not exist" << 3 << false;
        QTest::newRow("case sensitive") << ""
                                        << "input file does not exist" << 4 << true;
        QTest::newRow("other") << ""
                               << "something odd" << 4 << true;
    }

    void classifyHelperOutput()
    {
        QFETCH(QString, stored);
        QFETCH(QString, text);
        QFETCH(int, code);
        QFETCH(bool, relayed);
        ErrorMessageContext context(stored);
        QSignalSpy spy(SignalTransferStation::instance(), &SignalTransferStation::sendErrorMessage);
        QCOMPARE(context.getErrorCode(text), code);
        QCOMPARE(spy.count(), relayed ? 1 : 0);
        if (relayed)
            QCOMPARE(spy.first().first().toString(), text);
    }
};

QTEST_GUILESS_MAIN(TestErrorMessageContext)
#include "TestErrorMessageContext.moc"
