#include "widgets/SharedImageIconEngine.h"

#include <QApplication>
#include <QHash>
#include <QIconEnginePlugin>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>

namespace {

// Picture sizes read from the files' headers, once per file.
QSize imageSize(QString const& fileName)
{
    static QHash<QString, QSize> sizes;
    auto it = sizes.constFind(fileName);
    if (it != sizes.constEnd())
        return *it;
    QSize const size = QImageReader(fileName).size();
    sizes.insert(fileName, size);
    return size;
}

// The whole picture of a file, through the process-wide pixmap cache.
QPixmap cachedPixmap(QString const& fileName)
{
    QPixmap pixmap;
    if (!QPixmapCache::find(QStringLiteral("docquill-icon:") + fileName, &pixmap)) {
        pixmap.load(fileName);
        QPixmapCache::insert(QStringLiteral("docquill-icon:") + fileName, pixmap);
    }
    return pixmap;
}

QSize fitted(QSize natural, QSize const& wanted)
{
    if (natural.width() > wanted.width() || natural.height() > wanted.height())
        natural.scale(wanted, Qt::KeepAspectRatio);
    return natural;
}

} // namespace

void SharedImageIconEngine::addFile(QString const& fileName, QSize const&, QIcon::Mode mode,
                                    QIcon::State state)
{
    if (!fileName.isEmpty() && imageSize(fileName).isValid())
        m_files.insert({mode, state}, fileName);
}

void SharedImageIconEngine::addPixmap(QPixmap const& pixmap, QIcon::Mode mode, QIcon::State state)
{
    if (!pixmap.isNull())
        m_pixmaps.insert({mode, state}, pixmap);
}

QString SharedImageIconEngine::fileFor(QIcon::Mode mode, QIcon::State state) const
{
    QIcon::State const other = state == QIcon::On ? QIcon::Off : QIcon::On;
    for (auto const& key : {qMakePair(int(mode), int(state)), qMakePair(int(QIcon::Normal), int(state)),
                            qMakePair(int(mode), int(other)), qMakePair(int(QIcon::Normal), int(other))}) {
        auto it = m_files.constFind(key);
        if (it != m_files.constEnd())
            return *it;
    }
    return QString();
}

QSize SharedImageIconEngine::actualSize(QSize const& size, QIcon::Mode mode, QIcon::State state)
{
    QPixmap const own = m_pixmaps.value({mode, state});
    if (!own.isNull())
        return fitted(own.size(), size);
    QString const file = fileFor(mode, state);
    return file.isEmpty() ? QSize() : fitted(imageSize(file), size);
}

QPixmap SharedImageIconEngine::pixmap(QSize const& size, QIcon::Mode mode, QIcon::State state)
{
    QPixmap picture = m_pixmaps.value({mode, state});
    bool const exact = !picture.isNull() || m_files.contains({mode, state});
    if (picture.isNull()) {
        QString const file = fileFor(mode, state);
        if (file.isEmpty())
            return QPixmap();
        picture = cachedPixmap(file);
    }
    QSize const wanted = fitted(picture.size(), size);
    if (picture.size() != wanted)
        picture = picture.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // A mode without a picture of its own looks the way the style makes it look.
    if (!exact && mode != QIcon::Normal) {
        QStyleOption option;
        option.palette = QApplication::palette();
        picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }
    return picture;
}

void SharedImageIconEngine::paint(QPainter* painter, QRect const& rect, QIcon::Mode mode, QIcon::State state)
{
    qreal const ratio = painter->device() ? painter->device()->devicePixelRatioF() : qApp->devicePixelRatio();
    QPixmap const picture = pixmap(rect.size() * ratio, mode, state);
    painter->drawPixmap(rect, picture);
}

QIconEngine* SharedImageIconEngine::clone() const
{
    return new SharedImageIconEngine(*this);
}

QString SharedImageIconEngine::key() const
{
    return QStringLiteral("SharedImageIconEngine");
}

// Makes the engine the one QIcon takes for ".png" files.
class SharedImageIconEnginePlugin : public QIconEnginePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QIconEngineFactoryInterface" FILE "SharedImageIconEngine.json")

public:
    QIconEngine* create(QString const& fileName) override
    {
        auto* engine = new SharedImageIconEngine;
        if (!fileName.isEmpty())
            engine->addFile(fileName, QSize(), QIcon::Normal, QIcon::Off);
        return engine;
    }
};

#include "SharedImageIconEngine.moc"
