#pragma once

#include <QListWidget>
#include <QPoint>
#include <QRect>

class FileItem;
class QTimer;

// The list of a page's file rows: a row can be dragged to another place, with a translucent
// picture of it under the cursor and a drop line between rows. Only the order shown changes.
class CustomListWidget : public QListWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(CustomListWidget)

public:
    explicit CustomListWidget(QWidget* parent = nullptr);

    // The file item shown by a row's widget.
    FileItem* getItemData(int row);
    // The band repainted around the drop line for a point in viewport coordinates, in
    // viewport coordinates.
    QRect targetRect(QPoint const& p) const;

    bool isDragging() const { return m_dragging; }
    int dropRow() const { return m_dropRow; }
    int draggedRow() const { return m_draggedRow; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Rows are counted from the top of the list's content, so a scrolled list puts the line
    // at the gap under the cursor.
    int contentY(int viewportY) const;
    QRect contentRect(int contentY) const;
    QRect toViewport(QRect const& contentArea) const;
    // Puts the drop line at the gap nearest a point of the viewport.
    void placeDropLine(QPoint const& viewportPos);
    // While a row is held near the top or bottom edge, the list scrolls under it.
    void scrollTowardsEdge();
    void stopEdgeScroll();

    QPoint m_dragStartPosition;
    bool m_dragging = false;
    QRect m_previousArea;
    QRect m_area;
    int m_dropRow = -1;
    int m_draggedRow = -1;
    QPoint m_dragPosition;
    QTimer* m_edgeScroll;
};
