#include "formhost.h"

#include "form.h"
#include "formarea.h"

#include <QAction>
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

void FormHost::unloadForm() {
    if (!form_)
        return;
    area_->setUpdatesEnabled(false);
    area_->setTable({}, {}, 0);
    form_.reset();
}

void FormHost::buildMenus(const std::vector<MenuDesign> &menus) {
    // F10 opens the first menu, as on every desktop; the arrows go on from there.
    auto *openMenus = new QAction(this);
    openMenus->setShortcut(Qt::Key_F10);
    connect(openMenus, &QAction::triggered, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
    addAction(openMenus);
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
