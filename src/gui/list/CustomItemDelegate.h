#pragma once

#include <QStyledItemDelegate>

// Draws the blue drop line of a row drag between the rows of a CustomListWidget.
class CustomItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY(CustomItemDelegate)

public:
    explicit CustomItemDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, QStyleOptionViewItem const& option,
               QModelIndex const& index) const override;
};
