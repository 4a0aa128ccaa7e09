#include "commandbutton.h"

#include "accessiblefactory.h"
#include "buttonwidget.h"
#include "formarea.h"

#include <QAccessibleWidget>

namespace {

// A push button to assistive tools: named by its text, pressed while held, and pressed by them.
class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(QAbstractButton *button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return button()->text();
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.pressed = button()->isDown();
        return state;
    }

    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString &action) override {
        if (action == pressAction()) {
            if (button()->isEnabled())
                button()->click();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

private:
    QAbstractButton *button() const { return static_cast<QAbstractButton *>(widget()); }
};

} // namespace

CommandButton::CommandButton(FormArea &area) : button_(new ButtonWidget(&area)) {
    provideAccessibleInterface<ButtonWidget, ButtonAccessible>();
    button_->hide();
}

CommandButton::~CommandButton() {
    if (!button_->isHandlingEvent())
        return;
    button_->hide();
    button_->setParent(nullptr);
    button_->deleteLater();
}

void CommandButton::copyDesignOf(const CommandButton &element0) {
    setGeometry(element0.left(), element0.top(), element0.width(), element0.height());
    if (!(element0.font_ == FontSpec{}))
        setFont(element0.font_);
    if (!element0.caption_.isEmpty())
        setCaption(element0.caption_);
    if (!element0.enabled_)
        setEnabled(false);
}

void CommandButton::setCaption(const QString &caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    button_->setText(fonts::displayText(caption_, font_));
}

void CommandButton::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    button_->setEnabled(enabled);
}

void CommandButton::setFont(const FontSpec &font) {
    font_ = font;
    applyFont();
}

void CommandButton::setFontName(const QString &name) {
    font_.name = name;
    applyFont();
}

void CommandButton::setMouseDownHandler(MouseDownHandler handler) {
    button_->mouseDown = std::move(handler);
}

// Held by the connection, which outlives a call that discards this button.
void CommandButton::setClickHandler(ClickHandler handler) {
    QObject::disconnect(button_, &QAbstractButton::clicked, nullptr, nullptr);
    QObject::connect(button_, &QAbstractButton::clicked, button_,
                     [handler = std::move(handler)] { handler(); });
}

QWidget *CommandButton::widget() const {
    return button_;
}

// A hidden button's widget takes its place only when it is shown: a new game places every control
// several times over before any of them is seen.
void CommandButton::placeChanged(bool wasVisible, const QRect &) {
    if (isVisible()) {
        button_->setGeometry(pixelBox());
        if (!wasVisible)
            button_->show();
    } else if (wasVisible) {
        button_->hide();
    }
}

void CommandButton::applyFont() {
    button_->setFont(fonts::resolve(font_));
    button_->setText(fonts::displayText(caption_, font_));
}
