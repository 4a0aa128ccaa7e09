#pragma once

#include <QAccessible>

// Controls come by the hundred with every new game, and Qt asks for each one's accessible
// interface as it is shown. Our own widget classes answer at once with an interface of their own,
// instead of a search through the stock ones by class name.
template <class WidgetType, class Interface> void provideAccessibleInterface() {
    static const bool installed = [] {
        QAccessible::installFactory([](const QString &, QObject *object) -> QAccessibleInterface * {
            if (auto *widget = dynamic_cast<WidgetType *>(object))
                return new Interface(widget);
            return nullptr;
        });
        return true;
    }();
    static_cast<void>(installed);
}
