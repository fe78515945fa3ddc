#pragma once
// A control placed on its window: the object name by which the window and its tests find it,
// and its position and size on the client area.

#include <QLatin1String>
#include <QRect>

template <typename W> W* placed(W* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}
