#pragma once

#include <QObject>
#include <QString>
#include <QTranslator>

// Switches the interface language at run time: one application catalogue and one catalogue
// of Qt's own texts, both installed once; languageChanged() tells every form to redraw.
class MultiLanguage : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(MultiLanguage)

public:
    MultiLanguage();
    ~MultiLanguage() override;

    // The process-wide switcher, made on first use (GUI thread only) and never freed.
    static MultiLanguage* m_instance;
    static MultiLanguage* instance();

    // Applies the language stored in the native preferences (English by default).
    void initAppLanguage();
    // 1 English, 2 French, 3 Portuguese, 4 Italian, 5 German, 6 Spanish, 7 Japanese; any
    // other value is English. Emits languageChanged() in every case.
    void languageSwitch(int value);
    QString multilingualLink(QString const& link);

    // The catalogue names of a language value, e.g. "fr" for 2.
    static QString languageCode(int value);

signals:
    void languageChanged();

private:
    QTranslator m_appTranslator;
    QTranslator m_qtTranslator;
};
