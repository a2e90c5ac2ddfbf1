#include "startup/ApplicationLook.h"

#include "startup/LightTheme.h"
#include "startup/LoadFileQss.h"

#include <QApplication>
#include <QFont>
#include <QStyle>

void applyApplicationLook()
{
    initAsLightTheme();
    QFont font;
    font.setFamily(QStringLiteral("Arial"));
    font.setPixelSize(12);
    QApplication::setFont(font);
    // The style drops what it polished with the desktop's palette before the sheet applies.
    QApplication::style()->unpolish(qApp);
    LoadFileQss::setQssStyle(QStringLiteral(":/resource/style.qss"));
}
