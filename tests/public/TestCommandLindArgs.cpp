#include "CommandLindArgs.h"

#include <QtTest>

#include <stdexcept>
#include <vector>

namespace {

// Owns the argument strings for the lifetime of the parse.
struct Argv
{
    explicit Argv(QStringList const& args)
    {
        storage.push_back("docquill");
        for (auto const& a : args)
            storage.push_back(a.toStdString());
        for (auto& s : storage)
            pointers.push_back(s.data());
    }
    int argc() const { return static_cast<int>(pointers.size()); }
    char** argv() { return pointers.data(); }

    std::vector<std::string> storage;
    std::vector<char*> pointers;
};

} // namespace

class TestCommandLindArgs : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("expected"); // key=value pairs, in key order
        QTest::addColumn<QStringList>("absent");

        QTest::newRow("pairs") << QStringList{"-input", "a.pdf", "-output", "b"}
                               << QStringList{"-input=a.pdf", "-output=b"} << QStringList{"a.pdf"};
        QTest::newRow("key without value")
            << QStringList{"-x", "-y", "z"} << QStringList{"-x=", "-y=z"} << QStringList{};
        QTest::newRow("stray element skipped")
            << QStringList{"stray", "-k", "z"} << QStringList{"-k=z"} << QStringList{"stray"};
        QTest::newRow("first occurrence wins")
            << QStringList{"-k", "first", "-k", "second"} << QStringList{"-k=first"} << QStringList{};
        QTest::newRow("trailing key")
            << QStringList{"-a", "1", "-k"} << QStringList{"-a=1", "-k="} << QStringList{};
        QTest::newRow("dash value is next key")
            << QStringList{"-n", "-5"} << QStringList{"-5=", "-n="} << QStringList{};
        QTest::newRow("empty value after key")
            << QStringList{"-k", "", "-j", "v"} << QStringList{"-j=v", "-k="} << QStringList{""};
        QTest::newRow("empty element alone is no key")
            << QStringList{"", "-j"} << QStringList{"-j="} << QStringList{""};
        QTest::newRow("program name only") << QStringList{} << QStringList{} << QStringList{"-input"};
    }

    void parse()
    {
        QFETCH(QStringList, args);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absent);

        Argv argv(args);
        CommandLindArgs parsed(argv.argc(), argv.argv());
        for (auto const& pair : expected) {
            int eq = pair.indexOf('=');
            std::string key = pair.left(eq).toStdString();
            QVERIFY2(parsed.isSet(key), key.c_str());
            QCOMPARE(QString::fromStdString(parsed.value(key)), pair.mid(eq + 1));
        }
        for (auto const& key : absent)
            QVERIFY(!parsed.isSet(key.toStdString()));
    }

    void valueOfMissingKeyThrows()
    {
        Argv argv({"-a", "1"});
        CommandLindArgs parsed(argv.argc(), argv.argv());
        try {
            parsed.value("-b");
            QFAIL("no exception");
        } catch (std::exception const& e) {
            QCOMPARE(QString(e.what()), QString("Command error"));
        }
    }

    void suffixMapKeepsFirstTarget()
    {
        Argv argv({});
        CommandLindArgs parsed(argv.argc(), argv.argv());
        auto const& map = CommandLindArgs::convertTypeMap;
        QCOMPARE(map.size(), std::size_t(22));
        QCOMPARE(map.at("pdf"), ToOcrPdf);
        QCOMPARE(map.at("key"), ToKeynote);
        QCOMPARE(map.at("csv"), ToCsv);
        CommandLindArgs::creatorMap(CommandLindArgs::convertTypeMap);
        QCOMPARE(map.size(), std::size_t(22));
    }
};

QTEST_GUILESS_MAIN(TestCommandLindArgs)
#include "TestCommandLindArgs.moc"
