#pragma once

#include <QMetaObject>
#include <QString>

#include <functional>

class QAction;

// A menu item of a form. The menu bar outlives the forms it serves; each form's items are
// reset to the design and their Click reaches only the form that is loaded.
class MenuItem {
public:
    explicit MenuItem(QAction *action);
    ~MenuItem();
    MenuItem(const MenuItem &) = delete;
    MenuItem &operator=(const MenuItem &) = delete;

    QString caption() const;
    bool isChecked() const;
    void setChecked(bool checked);
    bool isEnabled() const;
    void setEnabled(bool enabled);

    void setClickHandler(std::function<void()> handler);
    // Stops Click from reaching this form.
    void detach();

private:
    QAction *action_;
    QMetaObject::Connection connection_;
};
