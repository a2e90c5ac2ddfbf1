#include "list/CustomItemDelegate.h"

#include "list/CustomListWidget.h"

#include <QPainter>

CustomItemDelegate::CustomItemDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void CustomItemDelegate::paint(QPainter* painter, QStyleOptionViewItem const& option,
                               QModelIndex const& index) const
{
    auto const* list = qobject_cast<CustomListWidget const*>(option.widget);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    if (list && list->isDragging()) {
        int const row = index.row();
        int const drop = list->dropRow();
        int const dragged = list->draggedRow();
        int const count = index.model()->rowCount();
        QRect const r = option.rect;
        QRect bar;
        // No line right above or below the dragged row: dropping there would not move it.
        if (row == drop && row != dragged - 1 && row != dragged && drop == count - 1)
            bar = QRect(QPoint(r.left(), r.bottom() + 3), QPoint(r.right(), r.bottom() + 4));
        else if (row == drop + 1 && row != dragged + 1 && row != dragged)
            bar = drop == -1 ? QRect(QPoint(r.left(), r.top()), QPoint(r.right(), r.top() + 1))
                             : QRect(QPoint(r.left(), r.top() + 1), QPoint(r.right(), r.top() + 2));
        if (!bar.isNull()) {
            painter->setBrush(QColor(66, 133, 244));
            painter->drawRects(&bar, 1);
        }
    }
    QStyledItemDelegate::paint(painter, option, index);
}
