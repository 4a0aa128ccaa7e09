#pragma once

#include "menuitem.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class FormArea;
class FormHost;

// A form: the window's inner area with its controls, its outer size in twips, its caption and its
// menu items. A form lives for one load; its window shows one form at a time.
class Form : public QObject {
    Q_OBJECT

public:
    // The outer size exceeds the inner area by the frame, title bar and menu bar.
    static constexpr float frameWidth = 113;
    static constexpr float frameHeight = 680;

    // The form's controls go on the window's area; its menu items are the window's actions of
    // the same names.
    explicit Form(FormHost &window);
    ~Form() override;

    // The load handler; it runs while the form is hidden.
    virtual void load() = 0;

    float width() const { return width_; }
    float height() const { return height_; }
    void setWidth(float width) { width_ = width; }
    void setHeight(float height) { height_ = height; }
    QString caption() const { return caption_; }
    void setCaption(const QString &caption) { caption_ = caption; }
    int backColor() const { return backColor_; }
    void setBackColor(int color);

    // Where the form's controls lie, drawn by it.
    FormArea *area() const { return area_; }

    // The form's wrapper of one of the window's menu items, reset to the design.
    MenuItem &menuItem(const QString &name, bool enabled);

    // Sizes the inner area to the outer Width and Height.
    void fitArea();

private:
    FormHost &window_;
    FormArea *area_;
    float width_ = 0;
    float height_ = 0;
    QString caption_;
    int backColor_ = 0xFFFFFF;
    std::vector<std::unique_ptr<MenuItem>> menuItems_;
};
