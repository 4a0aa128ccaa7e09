#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace eventloop {

// Qt makes and shows every widget by posting it an event, and GLib's event loop answers each post
// with a system call to wake itself: a large board's new game would make more than a thousand.
// Qt's own event loop wakes once for them all, and nothing here needs GLib's. A choice the user
// made stands. Must come before the application is made.
inline void preferQtEventLoop() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", QByteArrayLiteral("1"));
}

} // namespace eventloop
