#pragma once

#include <QAccessibleWidget>

class FormArea;
class Label;

// A form's area to assistive tools: its widgets, then its labels, which have no widget of their
// own and are told as static text.
class AreaAccessible : public QAccessibleWidget {
public:
    explicit AreaAccessible(FormArea *area);

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;

private:
    FormArea &area() const;
};

// A label to assistive tools: what it shows, where it is.
class LabelAccessible : public QAccessibleInterface {
public:
    explicit LabelAccessible(Label &label) : label_(label) {}

    const Label &label() const { return label_; }

    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override;

private:
    Label &label_;
};
