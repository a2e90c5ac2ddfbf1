#include "startup/LightTheme.h"

#include <QApplication>
#include <QPalette>

void initAsLightTheme()
{
    struct RoleColour
    {
        QPalette::ColorRole role;
        QRgb argb;
    };
    // Text is black at alpha 216, not opaque.
    static const RoleColour table[] = {
        {QPalette::WindowText, qRgba(0, 0, 0, 216)},
        {QPalette::Button, qRgba(236, 236, 236, 255)},
        {QPalette::Light, qRgba(255, 255, 255, 255)},
        {QPalette::Midlight, qRgba(245, 245, 245, 255)},
        {QPalette::Dark, qRgba(191, 191, 191, 255)},
        {QPalette::Mid, qRgba(169, 169, 169, 255)},
        {QPalette::Text, qRgba(0, 0, 0, 216)},
        {QPalette::BrightText, qRgba(255, 255, 255, 255)},
        {QPalette::ButtonText, qRgba(0, 0, 0, 255)},
        {QPalette::Base, qRgba(255, 255, 255, 255)},
        {QPalette::Window, qRgba(236, 236, 236, 255)},
        {QPalette::Shadow, qRgba(0, 0, 0, 255)},
        {QPalette::Highlight, qRgba(179, 215, 255, 255)},
        {QPalette::HighlightedText, qRgba(0, 0, 0, 216)},
        {QPalette::Link, qRgba(0, 104, 218, 255)},
        {QPalette::LinkVisited, qRgba(255, 0, 255, 255)},
        {QPalette::AlternateBase, qRgba(245, 245, 245, 255)},
        {QPalette::NoRole, qRgba(0, 0, 0, 255)},
        {QPalette::ToolTipBase, qRgba(255, 255, 255, 255)},
        {QPalette::ToolTipText, qRgba(0, 0, 0, 255)},
        {QPalette::PlaceholderText, qRgba(0, 0, 0, 128)},
    };
    QPalette palette;
    for (RoleColour const& entry : table)
        palette.setBrush(QPalette::All, entry.role, QBrush(QColor::fromRgba(entry.argb), Qt::SolidPattern));
    QApplication::setPalette(palette);
}
