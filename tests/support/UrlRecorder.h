#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

// Takes the place of the desktop's default handler for a URL scheme while it lives, and keeps
// what would have been opened.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    explicit UrlRecorder(QStringList schemes = {QStringLiteral("file")}) : m_schemes(std::move(schemes))
    {
        for (QString const& scheme : qAsConst(m_schemes))
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlRecorder() override
    {
        for (QString const& scheme : qAsConst(m_schemes))
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> opened;

    QStringList openedTexts() const
    {
        QStringList texts;
        for (QUrl const& url : opened)
            texts << url.toString();
        return texts;
    }

public slots:
    void open(QUrl const& url) { opened += url; }

private:
    QStringList m_schemes;
};
