#pragma once

#include <QObject>
#include <QString>

// Turns result codes, and a helper's error output, into texts a row can show.
class ErrorMessageContext : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(ErrorMessageContext)

public:
    explicit ErrorMessageContext(QString message = QString());
    ~ErrorMessageContext() override;

    // Translated text of a conversion result; empty for codes without a text.
    static QString getErrorMessage(int code);
    // Translated text of a creation result (helper exit flags); empty for codes without a text.
    static QString getErrorMessageForCreator(int code);

    void setErrorMessage(QString text);
    QString errorMessage() const { return m_errorMessage; }
    virtual int getErrorCode(QString text);

private:
    QString m_errorMessage;
};
