#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QMap>
#include <QPair>
#include <QString>

// Icons from PNG files whose pictures are decoded once and shared by every icon of the same
// file. Style sheets make one icon per "image:" rule of every widget, and a page may show
// thousands of rows: with Qt's own engine each of them holds its own decoded copy.
class SharedImageIconEngine : public QIconEngine
{
public:
    SharedImageIconEngine() = default;

    void addFile(QString const& fileName, QSize const& size, QIcon::Mode mode, QIcon::State state) override;
    void addPixmap(QPixmap const& pixmap, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(QSize const& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(QSize const& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, QRect const& rect, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;

private:
    // The file for a mode and state, falling back as Qt's own engine does; empty when none.
    QString fileFor(QIcon::Mode mode, QIcon::State state) const;

    QMap<QPair<int, int>, QString> m_files;
    // Pictures handed over directly are few and stay with their icon.
    QMap<QPair<int, int>, QPixmap> m_pixmaps;
};
