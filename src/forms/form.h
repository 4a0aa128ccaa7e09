#pragma once

#include "menuitem.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class AreaWidget;
class FormHost;
class QWidget;

// A form: the window's inner area with its controls, its outer size in twips, its caption
// and its menu items. A form lives for one load; the host window shows one form at a time.
class Form : public QObject {
    Q_OBJECT

public:
    // The outer size exceeds the inner area by the frame, title bar and menu bar.
    static constexpr float frameWidth = 113;
    static constexpr float frameHeight = 680;

    explicit Form(FormHost &host);
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

    FormHost &host() const { return host_; }
    QWidget *area() const;
    // Shapes lie below labels, and labels below command buttons. Command buttons sit on the area
    // itself, above the two layers: Qt leaves unpainted what an opaque sibling above hides, so a
    // covered board paints its covers alone.
    QWidget *shapeLayer() const { return shapeLayer_; }
    QWidget *labelLayer() const { return labelLayer_; }
    QWidget *buttonLayer() const;

    // The form's wrapper of one of the host's menu items, reset to the design.
    MenuItem &menuItem(const QString &name, bool enabled);

    // Sizes the inner area, and its layers, to the outer Width and Height.
    void fitArea();

    // Takes the form off the screen at once and cuts it off from every event.
    void unload();

private:
    FormHost &host_;
    QPointer<AreaWidget> area_; // the host deletes it first when the program ends
    QWidget *shapeLayer_;
    QWidget *labelLayer_;
    float width_ = 0;
    float height_ = 0;
    QString caption_;
    int backColor_ = 0xFFFFFF;
    std::vector<std::unique_ptr<MenuItem>> menuItems_;
};
