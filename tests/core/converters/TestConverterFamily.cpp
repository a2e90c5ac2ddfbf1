#include "common/OcrLanguages.h"
#include "converters/ConverterFactory.h"
#include "converters/PDFConverter.h"

#include "RecordingSdk.h"
#include "TestHome.h"

#include <QtTest>

#include <memory>

namespace {

// Expected record: bytes 0..9, then float 12, ints 16, 20, 24, and 24 zero bytes at 32.
QByteArray expectedRecord(QList<int> bytes, float scale, qint32 i16, qint32 i24)
{
    char r[56] = {};
    for (int i = 0; i < bytes.size(); ++i)
        r[i] = char(bytes.at(i));
    memcpy(r + 12, &scale, 4);
    memcpy(r + 16, &i16, 4);
    memcpy(r + 24, &i24, 4);
    return QByteArray(r, 56);
}

// Padding bytes (10-11, 28-31) carry no meaning.
QByteArray withoutPadding(QByteArray r)
{
    for (int i : {10, 11, 28, 29, 30, 31})
        r[i] = 0;
    return r;
}

} // namespace

class TestConverterFamily : public QObject
{
    Q_OBJECT

    TestHome m_home;

private slots:
    void init()
    {
        RecordingSdk::install();
        RecordingSdk::reset();
        PDFConverter::resetSetupForTesting();
    }
    void cleanup() { RecordingSdk::restore(); }

    void factory_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("made");
        for (int t : {0, 1, 3, 4, 6, 7, 8, 13, 14, 15, 16, 17, 18, 20, 21, 22})
            QTest::newRow(qPrintable(QString::number(t))) << t << true;
        for (int t : {2, 5, 9, 10, 11, 12, 19, 23, -1})
            QTest::newRow(qPrintable(QString::number(t))) << t << false;
    }
    void factory()
    {
        QFETCH(int, type);
        QFETCH(bool, made);
        std::unique_ptr<PDFConverter> converter(ConverterFactory::converterCrete(ConvertType(type)));
        QCOMPARE(converter != nullptr, made);
    }

    void optionBytes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("ocr");
        QTest::addColumn<QString>("function");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QList<int>>("languages");

        QTest::newRow("word flowing")
            << int(ToDocx) << false << "Word" << expectedRecord({0, 1, 1, 1, 0, 1, 0, 0, 1, 0}, 1.0f, 1, 0)
            << QList<int>{};
        QTest::newRow("word ocr") << int(ToDocx) << true << "Word"
                                  << expectedRecord({0, 1, 1, 1, 0, 1, 0, 1, 1, 0}, 1.0f, 1, 0)
                                  << QList<int>{5};
        QTest::newRow("excel") << int(ToXlsx) << false << "Excel"
                               << expectedRecord({0, 1, 1, 1, 0, 1, 0, 0, 1, 0}, 1.0f, 1, 0) << QList<int>{};
        QTest::newRow("csv") << int(ToCsv) << true << "Excel"
                             << expectedRecord({0, 1, 1, 1, 0, 1, 1, 1, 1, 0}, 1.0f, 1, 0) << QList<int>{5};
        QTest::newRow("ppt") << int(ToPptx) << false << "Ppt"
                             << expectedRecord({0, 1, 1, 1, 0, 1, 0, 0, 1, 0}, 1.0f, 1, 0) << QList<int>{};
        QTest::newRow("html") << int(ToHtml) << false << "Html"
                              << expectedRecord({0, 1, 1, 1, 0, 1, 0, 0, 1, 0}, 1.0f, 1, 0) << QList<int>{};
        QTest::newRow("rtf") << int(ToRtf) << true << "Rtf"
                             << expectedRecord({0, 1, 1, 1, 0, 1, 0, 1, 1, 0}, 1.0f, 1, 0) << QList<int>{5};
        QTest::newRow("txt") << int(ToTxt) << false << "Txt"
                             << expectedRecord({0, 1, 1, 1, 0, 1, 0, 0, 0, 0}, 1.0f, 1, 0) << QList<int>{};
        QTest::newRow("searchable") << int(ToOcrPdf) << true << "SearchablePdf"
                                    << expectedRecord({0, 1, 1, 1, 0, 1, 0, 1, 1, 0}, 1.0f, 1, 0)
                                    << QList<int>{5};
        // Recognition is what this target is: the row's language applies even unticked.
        QTest::newRow("searchable unticked")
            << int(ToOcrPdf) << false << "SearchablePdf"
            << expectedRecord({0, 1, 1, 1, 0, 1, 0, 0, 1, 0}, 1.0f, 1, 0) << QList<int>{5};
        // Page images ignore the OCR flag, and take scale and type from the option.
        QTest::newRow("png") << int(ToPng) << true << "Image"
                             << expectedRecord({0, 1, 1, 1, 0, 1, 0, 0, 1, 0}, 2.5f, 1, 2) << QList<int>{};
    }

    void optionBytes()
    {
        QFETCH(int, type);
        QFETCH(bool, ocr);
        QFETCH(QString, function);
        QFETCH(QByteArray, record);
        QFETCH(QList<int>, languages);

        ConvertOption option;
        option.m_ocrEnabled = ocr;
        option.m_ocrLanguage = 5;
        option.m_excelAllContent = false; // the Excel converter copies it; the CSV one does not
        option.m_imageScale = 2.5;
        option.m_imageType = 2;
        std::unique_ptr<PDFConverter> converter(ConverterFactory::converterCrete(ConvertType(type)));
        QString out = m_home.filePath("out/x");
        QCOMPARE(converter->convert("/in/ä.pdf", out, "pässword", option), 0);

        auto const& log = RecordingSdk::log();
        QCOMPARE(log.calls.size(), 1);
        QCOMPARE(log.calls[0].function, function);
        QCOMPARE(log.calls[0].input, QString("/in/ä.pdf"));
        QCOMPARE(log.calls[0].password, QString("pässword"));
        QCOMPARE(log.calls[0].output, out);
        QCOMPARE(withoutPadding(log.calls[0].record).toHex(' '), record.toHex(' '));
        QCOMPARE(log.ocrLanguages, languages);
    }

    // The record stores 6 for every language past the first five; the dialog's index still
    // names the one chosen, and that one reaches the SDK.
    void chosenLanguageReachesSdk_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("language");
        int const arabic = int(std::distance(LanguageChoice.cbegin(), LanguageChoice.find("Arabic")));
        int const english = int(std::distance(LanguageChoice.cbegin(), LanguageChoice.find("English")));
        QTest::newRow("Arabic") << 6 << arabic << int(OcrArabic);
        QTest::newRow("English, its own number") << 3 << english << 3;
        QTest::newRow("6 at a language of its own number") << 6 << english << 6;
        QTest::newRow("index past the list") << 6 << int(LanguageChoice.size()) << 6;
        QTest::newRow("negative index") << 6 << -1 << 6;
    }

    void chosenLanguageReachesSdk()
    {
        QFETCH(int, stored);
        QFETCH(int, index);
        QFETCH(int, language);
        ConvertOption option;
        option.m_ocrEnabled = true;
        option.m_ocrLanguage = stored;
        option.m_ocrLanguageIndex = index;
        for (ConvertType type : {ToTxt, ToOcrPdf}) {
            std::unique_ptr<PDFConverter> converter(ConverterFactory::converterCrete(type));
            QCOMPARE(converter->convert("/in/a.pdf", m_home.filePath("out/a"), "", option), 0);
        }
        QCOMPARE(RecordingSdk::log().ocrLanguages, (QList<int>{language, language}));
    }

    void excelAndWordReadTheirFlags()
    {
        ConvertOption option;
        option.m_excelAllContent = true;
        option.m_excelSheetPerTable = false;
        option.m_flowingText = false;
        std::unique_ptr<PDFConverter>(ConverterFactory::converterCrete(ToXlsx))
            ->convert("a", "b", "", option);
        std::unique_ptr<PDFConverter>(ConverterFactory::converterCrete(ToDocx))
            ->convert("a", "b", "", option);
        auto const& calls = RecordingSdk::log().calls;
        QCOMPARE(int(calls[0].record[4]), 1);
        QCOMPARE(int(calls[0].record[5]), 0);
        qint32 layout;
        memcpy(&layout, calls[1].record.constData() + 16, 4);
        QCOMPARE(layout, 0);
    }

    void setupRunsOncePerThread()
    {
        RecordingSdk::log().modelResult = 0;
        std::unique_ptr<PDFConverter>(ConverterFactory::converterCrete(ToTxt))->convert("a", "b", "", {});
        RecordingSdk::log().modelResult = 1; // a later load would fail, but none happens
        std::unique_ptr<PDFConverter>(ConverterFactory::converterCrete(ToTxt))->convert("a", "b", "", {});
        auto const& log = RecordingSdk::log();
        QCOMPARE(log.setups, 1);
        QVERIFY(log.resourceFolder.endsWith("/../Resources/resource"));
        QCOMPARE(log.modelPath, log.resourceFolder + "/models/documentai.model");
        QCOMPARE(int(log.calls[0].record[0]), 1);
        QCOMPARE(int(log.calls[1].record[0]), 1);
    }

    void csvCreatesItsFolder()
    {
        QString folder = m_home.filePath("deep/er/report");
        std::unique_ptr<PDFConverter>(ConverterFactory::converterCrete(ToCsv))->convert("a", folder, "", {});
        QVERIFY(QFileInfo(folder).isDir());
    }

    void wordTurnsExceptionsIntoUnknownError()
    {
        RecordingSdk::log().onStart = [](RecordingSdk::Call const&) -> int {
            throw std::runtime_error("boom");
        };
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("convert.*boom"));
        QCOMPARE(std::unique_ptr<PDFConverter>(ConverterFactory::converterCrete(ToDocx))
                     ->convert("a", "b", "", {}),
                 100);
    }
};

QTEST_MAIN(TestConverterFamily)
#include "TestConverterFamily.moc"
