#include "formhost.h"

#include "form.h"
#include "formarea.h"

#include <QAction>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

FormHost::FormHost(const std::vector<MenuDesign> &menus, FormFactory factory)
    : factory_(std::move(factory)), area_(new FormArea(this)) {
    setCentralWidget(area_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    buildMenus(menus);
}

// The form goes first, unseen: its controls leave the area, which the window's deletion takes.
FormHost::~FormHost() {
    unloadForm();
}

QAction *FormHost::action(const QString &name) const {
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

// The area is painted again once the form has loaded: a new game builds its board unseen.
void FormHost::showForm() {
    if (!form_) {
        form_ = factory_(*this);
        form_->load();
    }
    setWindowTitle(form_->caption());
    form_->fitArea();
    // Resized now rather than at the next pass of the event loop, so the first press lands.
    layout()->activate();
    area_->setUpdatesEnabled(true);
    if (!isVisible())
        show();
    // The first control in the tab order takes the keyboard focus, as in a newly opened window.
    area_->setFocus(Qt::OtherFocusReason);
    area_->focusFirstButton();
}

// F10 opens the first menu, as on every desktop; the arrows go on from there. A key rather than a
// shortcut: some Qt versions would take Shift+F10, the right press on a cell, for it.
void FormHost::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::NoModifier)
        menuBar()->setActiveAction(menuBar()->actions().constFirst());
    else
        QMainWindow::keyPressEvent(event);
}

void FormHost::unloadForm() {
    if (!form_)
        return;
    area_->setUpdatesEnabled(false);
    area_->setTable({}, {}, 0);
    form_.reset();
}

void FormHost::buildMenus(const std::vector<MenuDesign> &menus) {
    QMenu *menu = nullptr;
    for (const MenuDesign &entry : menus) {
        if (entry.isTitle) {
            menu = menuBar()->addMenu(entry.caption);
            menu->setObjectName(entry.name);
            continue;
        }
        auto *action = new QAction(entry.caption, this);
        action->setObjectName(entry.name);
        action->setShortcut(entry.shortcut);
        menu->addAction(action);
    }
}
