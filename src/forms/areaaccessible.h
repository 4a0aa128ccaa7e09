#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>

#include <vector>

class CommandButton;
class FormArea;
class Label;
class WindowlessControl;

// A form's area to assistive tools: its controls, which have no widget of their own, the
// buttons first, then the labels.
class AreaAccessible : public QAccessibleWidget {
public:
    explicit AreaAccessible(FormArea *area);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    // The focus held by the area rests on one of its buttons.
    QAccessibleInterface *focusChild() const override;
    QAccessible::State state() const override;

private:
    FormArea &area() const;
    std::vector<const WindowlessControl *> ownChildren() const;
};

// Something the area draws, to assistive tools: no object of its own, and no children.
class LeafAccessible : public QAccessibleInterface {
public:
    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}
};

// A windowless control to assistive tools: a child of its area, in its box on the screen.
class ControlAccessible : public LeafAccessible {
public:
    explicit ControlAccessible(const WindowlessControl &control) : control_(control) {}

    const WindowlessControl &control() const { return control_; }

    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QString text(QAccessible::Text kind) const override;
    QRect rect() const override;
    QAccessible::State state() const override;

protected:
    // What the control shows, in words.
    virtual QString name() const = 0;

private:
    const WindowlessControl &control_;
};

// A label: what it shows.
class LabelAccessible : public ControlAccessible {
public:
    explicit LabelAccessible(const Label &label);

    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override;

protected:
    QString name() const override;

private:
    const Label &label_;
};

// A push button: named by its text, focused, held or greyed as the player sees it, and pressed by
// assistive tools as a click.
class ButtonAccessible : public ControlAccessible, public QAccessibleActionInterface {
public:
    explicit ButtonAccessible(const CommandButton &button);

    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString &action) override;
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

protected:
    QString name() const override;

private:
    const CommandButton &button_;
};
