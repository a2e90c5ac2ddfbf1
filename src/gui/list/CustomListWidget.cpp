#include "list/CustomListWidget.h"

#include "list/CustomItemDelegate.h"
#include "rows/FileItemWidget.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

namespace {
constexpr int kRowHeight = 90;
constexpr int kHalfRow = 44;
// The band along the top and bottom edges where a held row scrolls the list, and the pace.
constexpr int kEdgeBand = 30;
constexpr int kEdgeScrollInterval = 120;
} // namespace

CustomListWidget::CustomListWidget(QWidget* parent) : QListWidget(parent), m_edgeScroll(new QTimer(this))
{
    auto* delegate = new CustomItemDelegate(this);
    setAcceptDrops(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setItemDelegate(delegate);
    // The drag's own moves stop while the pointer rests at the edge: a timer keeps scrolling.
    m_edgeScroll->setInterval(kEdgeScrollInterval);
    connect(m_edgeScroll, &QTimer::timeout, this, &CustomListWidget::scrollTowardsEdge);
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
    m_dragPosition = event->pos();
    placeDropLine(m_dragPosition);
    if (hasAutoScroll() && !m_edgeScroll->isActive())
        m_edgeScroll->start();
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void CustomListWidget::placeDropLine(QPoint const& viewportPos)
{
    m_previousArea = m_area;
    int const y = contentY(viewportPos.y());
    m_area = contentRect(y);
    if (y < kHalfRow) {
        m_dropRow = -1;
        viewport()->update();
        return;
    }
    // The row half a row above the cursor; below the last row the line goes under it, where
    // the drop puts the row.
    int const row = (y - kHalfRow) / kRowHeight;
    m_dropRow = qMin(row, count() - 1);
    if (m_area != m_previousArea)
        viewport()->update(toViewport(m_previousArea));
    viewport()->update(toViewport(m_area));
}

void CustomListWidget::scrollTowardsEdge()
{
    if (!m_dragging) {
        stopEdgeScroll();
        return;
    }
    int step = 0;
    if (m_dragPosition.y() < kEdgeBand)
        step = -1;
    else if (m_dragPosition.y() >= viewport()->height() - kEdgeBand)
        step = 1;
    QScrollBar* bar = verticalScrollBar();
    int const before = bar->value();
    bar->setValue(before + step * bar->singleStep());
    // The content moved under a resting pointer: the line follows the gap now under it.
    if (bar->value() != before) {
        viewport()->update();
        placeDropLine(m_dragPosition);
    }
}

void CustomListWidget::stopEdgeScroll()
{
    m_edgeScroll->stop();
}

void CustomListWidget::dragLeaveEvent(QDragLeaveEvent* event)
{
    stopEdgeScroll();
    m_dropRow = -2;
    viewport()->update(toViewport(m_area));
    m_dragging = false;
    event->ignore();
}

void CustomListWidget::dropEvent(QDropEvent* event)
{
    if (event->source() != this)
        return;
    stopEdgeScroll();
    m_dragging = false;
    m_dropRow = -2;
    viewport()->update(toViewport(m_area));
    QListWidget::dropEvent(event);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}
