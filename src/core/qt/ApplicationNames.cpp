#include "core/qt/ApplicationNames.h"

#include "base/Host.h"

#include <QGuiApplication>

namespace tw {

void setApplicationNames()
{
    QCoreApplication::setApplicationName("tarnwick");
    QCoreApplication::setOrganizationName("tarnwick");
    QGuiApplication::setApplicationDisplayName(AppTitle);
    QGuiApplication::setDesktopFileName("tarnwick");
}

} // namespace tw
