#include "widgets/CustomStyle.h"

int CustomStyle::pixelMetric(QStyle::PixelMetric metric, QStyleOption const* option,
                             QWidget const* widget) const
{
    if (metric == QStyle::PM_SmallIconSize)
        return 36;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
