#include "startup/ApplicationLook.h"

#include "startup/LightTheme.h"
#include "startup/LoadFileQss.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QPixmap>
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
    // Every size of the logo: window managers and task switchers take the one they need. Added
    // as pictures: the shared PNG engine keeps a single file per icon.
    QIcon icon;
    QDir const pictures(QStringLiteral(":/resource"));
    for (QString const& name : pictures.entryList({QStringLiteral("docquill-*.png")}, QDir::Files))
        icon.addPixmap(QPixmap(pictures.filePath(name)));
    QApplication::setWindowIcon(icon);
}
