#include "formhost.h"

#include "form.h"
#include "formarea.h"

#include <QAction>
#include <QCoreApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

FormHost::FormHost(const std::vector<MenuDesign> &menus, FormFactory factory)
    : factory_(std::move(factory)), stage_(new QWidget(this)) {
    setCentralWidget(stage_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    buildMenus(menus);
}

// The form goes first: its controls hold on to their widgets, which the window's deletion takes.
FormHost::~FormHost() = default;

QAction *FormHost::action(const QString &name) const {
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

void FormHost::showForm() {
    if (!form_) {
        form_ = factory_(*this);
        form_->load();
    }
    FormArea &area = *form_->area();
    setWindowTitle(form_->caption());
    form_->fitArea();
    stage_->setFixedSize(area.size());
    // Resized now rather than at the next pass of the event loop, so the first press lands.
    layout()->activate();
    area.show();
    if (!isVisible())
        show();
    // The first control in the tab order takes the keyboard focus, as in a newly opened window.
    for (QWidget *w = area.nextInFocusChain(); w != &area; w = w->nextInFocusChain()) {
        if (area.isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

// Hidden first, so that its controls leave without repainting anything. Every widget is posted a
// polish request when it is made and a repaint when it is shown; a widget deleted with its events
// still pending looks for them along the whole queue, so a board replaced before the event loop
// came round would take time that grows with the square of its widgets. They mean nothing to a
// board about to go, so they are taken off the queue in one pass each.
void FormHost::unloadForm() {
    if (!form_)
        return;
    form_->area()->hide();
    QCoreApplication::removePostedEvents(nullptr, QEvent::PolishRequest);
    QCoreApplication::removePostedEvents(nullptr, QEvent::UpdateLater);
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
