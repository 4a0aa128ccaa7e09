#include "form.h"

#include "color.h"
#include "formarea.h"
#include "twips.h"

#include <QAction>
#include <QMainWindow>

Form::Form(QMainWindow &window)
    : QObject(&window), window_(window), area_(new FormArea(window.centralWidget())) {
    area_->hide();
    setBackColor(backColor_);
}

// The controls, members of the form's class, are gone by now.
Form::~Form() {
    delete area_;
}

void Form::setBackColor(int color) {
    backColor_ = color;
    area_->setBackdrop(toQColor(color));
}

MenuItem &Form::menuItem(const QString &name, bool enabled) {
    auto *action = window_.findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
    auto &item = menuItems_.emplace_back(std::make_unique<MenuItem>(action));
    item->setChecked(false);
    item->setEnabled(enabled);
    return *item;
}

void Form::fitArea() {
    area_->setFixedSize(twips::toPixels(width_ - frameWidth),
                        twips::toPixels(height_ - frameHeight));
}
