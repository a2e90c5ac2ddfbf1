#pragma once

#include <QProxyStyle>

// Enlarges small icons (menus, item views) to 36 pixels; everything else as the proxied style.
class CustomStyle : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY(CustomStyle)

public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(QStyle::PixelMetric metric, QStyleOption const* option = nullptr,
                    QWidget const* widget = nullptr) const override;
};
