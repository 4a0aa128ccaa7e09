#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class Form;
class FormArea;
class QAction;

// One entry of the menu bar's design: a menu title, or an item of the title before it.
struct MenuDesign {
    QString name;
    QString caption;
    bool isTitle = false;
    QKeySequence shortcut;
};

// The top-level window. It stays on the screen across new games and shows one form at a time,
// so that a new game neither flickers nor moves the window.
class FormHost : public QMainWindow {
public:
    using FormFactory = std::function<std::unique_ptr<Form>(FormHost &host)>;

    FormHost(const std::vector<MenuDesign> &menus, FormFactory factory);
    ~FormHost() override;

    QAction *action(const QString &name) const;
    // The inner area, where every form in turn draws its controls.
    FormArea *area() const { return area_; }
    // The loaded form, or null between an unload and the next show.
    Form *form() const { return form_.get(); }

    // Shows the form, loading it first if it is not loaded.
    void showForm();
    // Discards the form with every control at once; safe from inside the handlers of its
    // controls.
    void unloadForm();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildMenus(const std::vector<MenuDesign> &menus);

    FormFactory factory_;
    FormArea *area_;
    std::unique_ptr<Form> form_;
};
