#include "form.h"

#include "color.h"
#include "formarea.h"
#include "formhost.h"
#include "twips.h"

#include <QAction>

Form::Form(FormHost &window) : QObject(&window), window_(window), area_(window.area()) {
    setBackColor(backColor_);
}

Form::~Form() = default;

void Form::setBackColor(int color) {
    backColor_ = color;
    area_->setBackdrop(toQColor(color));
}

MenuItem &Form::menuItem(const QString &name, bool enabled) {
    QAction *action = window_.action(name);
    auto &item = menuItems_.emplace_back(std::make_unique<MenuItem>(action));
    item->setChecked(false);
    item->setEnabled(enabled);
    return *item;
}

void Form::fitArea() {
    area_->setFixedSize(twips::toPixels(width_ - frameWidth),
                        twips::toPixels(height_ - frameHeight));
}
