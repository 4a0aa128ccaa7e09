#include "form.h"

#include "color.h"
#include "formhost.h"
#include "twips.h"

#include <QAction>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>

// The inner area paints its own backdrop instead of carrying a palette of its own: every control
// placed on a widget with its own palette resolves that palette again when it is created.
class AreaWidget : public QWidget {
public:
    using QWidget::QWidget;

    void setBackdrop(const QColor &colour) {
        backdrop_ = colour;
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override {
        QPainter painter(this);
        painter.fillRect(event->rect(), backdrop_);
    }

private:
    QColor backdrop_ = Qt::white;
};

namespace {

QWidget *makeLayer(QWidget *area) {
    return new QWidget(area);
}

} // namespace

Form::Form(FormHost &host)
    : QObject(&host), host_(host), area_(new AreaWidget(host.stage())),
      shapeLayer_(makeLayer(area_)), labelLayer_(makeLayer(area_)) {
    area_->hide();
    area_->setAttribute(Qt::WA_OpaquePaintEvent);
    setBackColor(backColor_);
}

Form::~Form() {
    delete area_;
}

QWidget *Form::area() const {
    return area_;
}

QWidget *Form::buttonLayer() const {
    return area_;
}

void Form::setBackColor(int color) {
    backColor_ = color;
    area_->setBackdrop(toQColor(color));
}

MenuItem &Form::menuItem(const QString &name, bool enabled) {
    auto &item = menuItems_.emplace_back(std::make_unique<MenuItem>(host_.action(name)));
    item->setChecked(false);
    item->setEnabled(enabled);
    return *item;
}

void Form::fitArea() {
    area_->setFixedSize(twips::toPixels(width_ - frameWidth),
                        twips::toPixels(height_ - frameHeight));
    for (QWidget *layer : {shapeLayer_, labelLayer_})
        layer->setGeometry(area_->rect());
}

void Form::unload() {
    area_->hide();
    for (QTimer *timer : area_->findChildren<QTimer *>())
        timer->stop();
    for (auto &item : menuItems_)
        item->detach();
}
