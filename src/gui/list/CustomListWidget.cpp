#include "list/CustomListWidget.h"

#include "list/CustomItemDelegate.h"
#include "rows/FileItemWidget.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>

namespace {
constexpr int kRowHeight = 90;
constexpr int kHalfRow = 44;
} // namespace

CustomListWidget::CustomListWidget(QWidget* parent) : QListWidget(parent)
{
    auto* delegate = new CustomItemDelegate(this);
    setAcceptDrops(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setItemDelegate(delegate);
}

FileItem* CustomListWidget::getItemData(int row)
{
    auto* widget = qobject_cast<FileItemWidget*>(itemWidget(item(row)));
    return widget ? widget->fileItem() : nullptr;
}

int CustomListWidget::contentY(int viewportY) const
{
    return viewportY + verticalOffset();
}

QRect CustomListWidget::contentRect(int y) const
{
    int const w = width();
    if (y < kHalfRow)
        return QRect(QPoint(0, 0), QPoint(w - 1, kRowHeight - 1));
    int const k = (y - kHalfRow) / kRowHeight;
    return QRect(QPoint(0, kRowHeight * k), QPoint(w - 1, kRowHeight * k + 2 * kRowHeight - 1));
}

QRect CustomListWidget::toViewport(QRect const& contentArea) const
{
    return contentArea.translated(0, -verticalOffset());
}

QRect CustomListWidget::targetRect(QPoint const& p) const
{
    return toViewport(contentRect(contentY(p.y())));
}

void CustomListWidget::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    if (!itemAt(event->pos()))
        setCurrentIndex(QModelIndex());
    if (event->buttons() & Qt::LeftButton)
        m_dragStartPosition = event->pos();
}

void CustomListWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if ((event->pos() - m_dragStartPosition).manhattanLength() < QApplication::startDragDistance())
        return;
    m_draggedRow = currentRow();
    if (m_draggedRow < 0)
        return;
    // An empty payload: a row drag is recognised by its source list, not by its content.
    auto* data = new QMimeData;
    data->setData(QString(), QByteArray());

    QWidget* rowWidget = itemWidget(item(m_draggedRow));
    QPixmap picture;
    if (rowWidget) {
        QPixmap const grabbed = rowWidget->grab();
        picture = QPixmap(grabbed.size());
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawPixmap(0, 0, grabbed);
        painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        painter.fillRect(picture.rect(), QColor(0, 0, 0, 180));
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->setPixmap(picture);
    drag->setHotSpot(QPoint(picture.width() / 2, picture.height() / 2));
    drag->exec(Qt::MoveAction);
}

void CustomListWidget::dragEnterEvent(QDragEnterEvent* event)
{
    // Other drags (files from outside) pass on to the window.
    if (event->source() != this)
        return;
    m_dragging = true;
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CustomListWidget::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->source() != this)
        return;
    m_previousArea = m_area;
    int const y = contentY(event->pos().y());
    m_area = contentRect(y);
    if (y < kHalfRow) {
        m_dropRow = -1;
        viewport()->update();
    } else {
        // The row half a row above the cursor; below the last row the line goes under it,
        // where the drop puts the row.
        int const row = (y - kHalfRow) / kRowHeight;
        m_dropRow = qMin(row, count() - 1);
        if (m_area != m_previousArea)
            viewport()->update(toViewport(m_previousArea));
        viewport()->update(toViewport(m_area));
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CustomListWidget::dragLeaveEvent(QDragLeaveEvent* event)
{
    m_dropRow = -2;
    viewport()->update(toViewport(m_area));
    m_dragging = false;
    event->ignore();
}

void CustomListWidget::dropEvent(QDropEvent* event)
{
    if (event->source() != this)
        return;
    m_dragging = false;
    m_dropRow = -2;
    viewport()->update(toViewport(m_area));
    QListWidget::dropEvent(event);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}
