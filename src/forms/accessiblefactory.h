#pragma once

#include <QAccessible>

#include <typeinfo>

// Controls come by the hundred with every new game, and Qt asks for each one's accessible
// interface as it is shown. Our own widget classes answer at once with an interface of their own,
// instead of a search through the stock ones by class name. Every widget shown passes through
// every factory, so each one tests for its exact class, which costs less than a failed cast.
template <class WidgetType, class Interface> void provideAccessibleInterface() {
    static const bool installed = [] {
        QAccessible::installFactory([](const QString &, QObject *object) -> QAccessibleInterface * {
            if (!object || typeid(*object) != typeid(WidgetType))
                return nullptr;
            return new Interface(static_cast<WidgetType *>(object));
        });
        return true;
    }();
    static_cast<void>(installed);
}
