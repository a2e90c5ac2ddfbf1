#include "language/MultiLanguage.h"

#include "settings/RegistryTool.h"

#include <QCoreApplication>
#include <QDebug>

MultiLanguage* MultiLanguage::m_instance = nullptr;

MultiLanguage::MultiLanguage()
{
    // Installed empty, application catalogue first; loading later swaps their contents.
    QCoreApplication::installTranslator(&m_appTranslator);
    QCoreApplication::installTranslator(&m_qtTranslator);
}

MultiLanguage::~MultiLanguage() = default;

MultiLanguage* MultiLanguage::instance()
{
    if (!m_instance)
        m_instance = new MultiLanguage();
    return m_instance;
}

void MultiLanguage::initAppLanguage()
{
    languageSwitch(RegistryTool::getInstance()->getLanguageVal());
}

QString MultiLanguage::languageCode(int value)
{
    static const char* const codes[] = {"en", "fr", "pt", "it", "de", "es", "ja"};
    return QLatin1String(value >= 2 && value <= 7 ? codes[value - 1] : codes[0]);
}

void MultiLanguage::languageSwitch(int value)
{
    QString const code = languageCode(value);
    // A catalogue that does not load leaves its translator empty: those texts stay English.
    if (!m_appTranslator.load(QStringLiteral(":/translations/language/Translation_%1.qm").arg(code)))
        qDebug() << "languageSwitch" << __LINE__ << "no application catalogue for" << code;
    if (!m_qtTranslator.load(QStringLiteral(":/translations/language/qt_%1.qm").arg(code)))
        qDebug() << "languageSwitch" << __LINE__ << "no Qt catalogue for" << code;
    emit languageChanged();
}

QString MultiLanguage::multilingualLink(QString const& link)
{
    return link;
}
