#include "menuitem.h"

#include <QAction>

MenuItem::MenuItem(QAction *action) : action_(action) {}

MenuItem::~MenuItem() {
    detach();
}

QString MenuItem::caption() const {
    return action_->text();
}

bool MenuItem::isChecked() const {
    return action_->isChecked();
}

// Only a checked item can be checked: a style draws an empty box beside every other checkable one.
void MenuItem::setChecked(bool checked) {
    action_->setCheckable(checked);
    action_->setChecked(checked);
}

bool MenuItem::isEnabled() const {
    return action_->isEnabled();
}

void MenuItem::setEnabled(bool enabled) {
    action_->setEnabled(enabled);
}

void MenuItem::setClickHandler(std::function<void()> handler) {
    detach();
    connection_ = QObject::connect(action_, &QAction::triggered, action_,
                                   [handler = std::move(handler)] { handler(); });
}

void MenuItem::detach() {
    QObject::disconnect(connection_);
}
