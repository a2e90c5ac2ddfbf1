#include "startup/LightTheme.h"
#include "startup/LoadFileQss.h"

#include "TestHome.h"

#include <QtTest>

#include <QApplication>
#include <QDir>
#include <QFile>

class TestStartupTheme : public QObject
{
    Q_OBJECT

    TestHome m_home;

private slots:
    void styleSheetFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("applied");
        QTest::newRow("whole file") << QByteArray("QLabel{color:red}") << "QLabel{color:red}";
        QTest::newRow("up to the NUL byte")
            << QByteArray("QLabel{color:red}\0QPushButton{border:0}", 39) << "QLabel{color:red}";
        QTest::newRow("NUL first") << QByteArray("\0QLabel{}", 9) << "";
        QTest::newRow("Latin-1") << QByteArray("QLabel{font-family:\"Caf\xe9\"}")
                                 << QString::fromUtf8("QLabel{font-family:\"Café\"}");
    }

    void styleSheetFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, applied);
        QString const path = m_home.filePath("style.qss");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        qApp->setStyleSheet(QStringLiteral("QWidget{}"));
        LoadFileQss::setQssStyle(path);
        QCOMPARE(qApp->styleSheet(), applied);
    }

    void unreadableFileKeepsStyleSheet_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << m_home.filePath("none.qss");
        QTest::newRow("folder") << m_home.path();
        QTest::newRow("missing resource") << ":/resource/none.qss";
    }

    void unreadableFileKeepsStyleSheet()
    {
        QFETCH(QString, path);
        qApp->setStyleSheet(QStringLiteral("QFrame{border:1px}"));
        LoadFileQss::setQssStyle(path);
        QCOMPARE(qApp->styleSheet(), QStringLiteral("QFrame{border:1px}"));
    }

    void lightPalette_data()
    {
        QTest::addColumn<int>("role");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("WindowText") << int(QPalette::WindowText) << QColor(0, 0, 0, 216);
        QTest::newRow("Text") << int(QPalette::Text) << QColor(0, 0, 0, 216);
        QTest::newRow("HighlightedText") << int(QPalette::HighlightedText) << QColor(0, 0, 0, 216);
        QTest::newRow("ButtonText") << int(QPalette::ButtonText) << QColor(0, 0, 0, 255);
        QTest::newRow("Highlight") << int(QPalette::Highlight) << QColor(179, 215, 255);
        QTest::newRow("Link") << int(QPalette::Link) << QColor(0, 104, 218);
        QTest::newRow("PlaceholderText") << int(QPalette::PlaceholderText) << QColor(0, 0, 0, 128);
    }

    void lightPalette()
    {
        QFETCH(int, role);
        QFETCH(QColor, colour);
        initAsLightTheme();
        QPalette const palette = QApplication::palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            QBrush const brush = palette.brush(group, QPalette::ColorRole(role));
            QCOMPARE(brush.color().rgba(), colour.rgba());
            QCOMPARE(brush.style(), Qt::SolidPattern);
        }
    }
};

QTEST_MAIN(TestStartupTheme)
#include "TestStartupTheme.moc"
