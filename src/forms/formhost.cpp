#include "formhost.h"

#include "form.h"

#include <QAction>
#include <QCoreApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTimerEvent>

FormHost::FormHost(const std::vector<MenuDesign> &menus, FormFactory factory)
    : factory_(std::move(factory)), stage_(new QWidget(this)), reserves_(this, this, this) {
    setCentralWidget(stage_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    buildMenus(menus);
}

// The reserves go before their holders, whose deletion takes the widgets.
FormHost::~FormHost() = default;

QAction *FormHost::action(const QString &name) const {
    return findChild<QAction *>(name, Qt::FindDirectChildrenOnly);
}

void FormHost::showForm() {
    if (!form_) {
        form_ = factory_(*this).release();
        std::apply([](auto &...reserve) { (reserve.startLoad(), ...); }, reserves_);
        form_->load();
        form_->area()->installEventFilter(this);
    }
    setWindowTitle(form_->caption());
    form_->fitArea();
    stage_->setFixedSize(form_->area()->size());
    // Resized now rather than at the next pass of the event loop, so the first press lands.
    layout()->activate();
    form_->area()->show();
    if (!isVisible())
        show();
    // The first control in the tab order takes the keyboard focus, as in a newly opened window.
    for (QWidget *w = form_->area()->nextInFocusChain(); w != form_->area();
         w = w->nextInFocusChain()) {
        if (form_->area()->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void FormHost::unloadForm() {
    if (!form_)
        return;
    Form *old = form_;
    form_ = nullptr;
    old->unload();
    // Deleted later, as its controls may be in the middle of handling the event that asked for
    // this; and only once the new form has been painted, which a board of controls to delete
    // first would hold up. The update request that paints is posted at low priority.
    QCoreApplication::postEvent(old, new QDeferredDeleteEvent(), Qt::LowEventPriority - 1);
}

// The labels the new form shows unmeasured take their size, and the next game's controls are made,
// once the new form is painted: not before the first paint of the window, which waits for the
// desktop to show it, and after the old form's deletion, which is posted with the paint and so
// comes before any timer.
bool FormHost::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Paint && form_ && watched == form_->area()) {
        watched->removeEventFilter(this);
        if (!refillTimer_.isActive())
            refillTimer_.start(0, this);
    }
    return QMainWindow::eventFilter(watched, event);
}

void FormHost::timerEvent(QTimerEvent *event) {
    if (event->timerId() != refillTimer_.timerId()) {
        QMainWindow::timerEvent(event);
        return;
    }
    refillTimer_.stop();
    Label::measureShownLabels();
    refillReserves();
}

void FormHost::refillReserves() {
    std::apply([](auto &...reserve) { (reserve.refill(), ...); }, reserves_);
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
        action->setCheckable(entry.checkable);
        menu->addAction(action);
    }
}
