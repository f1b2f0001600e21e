#include "core/qt/ApplicationNames.h"

#include <QGuiApplication>

namespace tw {

void setApplicationNames()
{
    QCoreApplication::setApplicationName("tarnwick");
    QCoreApplication::setOrganizationName("tarnwick");
    // No application display name: on X11 Qt would add it to every window's title.
    QGuiApplication::setDesktopFileName("tarnwick");
}

} // namespace tw
