#pragma once

#include "commandbutton.h"
#include "controlreserve.h"
#include "label.h"
#include "shape.h"

#include <QBasicTimer>
#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>

class Form;
class QAction;

// One entry of the menu bar's design: a menu title, or an item of the title before it.
struct MenuDesign {
    QString name;
    QString caption;
    bool isTitle = false;
    QKeySequence shortcut;
    bool checkable = false;
};

// The top-level window. It stays on the screen across new games and shows one form at a time,
// so that a new game neither flickers nor moves the window.
class FormHost : public QMainWindow {
public:
    using FormFactory = std::function<std::unique_ptr<Form>(FormHost &host)>;

    FormHost(const std::vector<MenuDesign> &menus, FormFactory factory);
    ~FormHost() override;

    QAction *action(const QString &name) const;
    // The container of the forms' inner areas.
    QWidget *stage() const { return stage_; }
    // The loaded form, or null between an unload and the next show.
    Form *form() const { return form_; }

    // Shows the form, loading it first if it is not loaded.
    void showForm();
    // Discards the form with every control; safe from inside the handlers of its controls.
    void unloadForm();

    // Where the forms' control arrays take their new elements from.
    template <class ControlType> ControlReserve<ControlType> &reserve() {
        return std::get<ControlReserve<ControlType>>(reserves_);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    void buildMenus(const std::vector<MenuDesign> &menus);
    void refillReserves();

    FormFactory factory_;
    QWidget *stage_;
    QPointer<Form> form_;
    std::tuple<ControlReserve<CommandButton>, ControlReserve<Shape>, ControlReserve<Label>>
        reserves_;
    QBasicTimer refillTimer_;
};
