#include "commandbutton.h"

#include "accessiblefactory.h"
#include "bevel.h"
#include "label.h"
#include "twips.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

// An abstract button rather than a push button: a push button asks its parent for a new layout
// when it is first polished, and a board of them floods the event queue with those requests.
class ButtonWidget : public QAbstractButton {
public:
    ButtonWidget(CommandButton &owner, QWidget *parent) : QAbstractButton(parent), owner_(owner) {}

protected:
    // The button paints every pixel of its box, the same under the pointer or not; the style's
    // polish says otherwise of buttons, so it is corrected here. Opaque, a cover spares Qt
    // preparing a background for it and painting what lies beneath it.
    bool event(QEvent *event) override {
        const bool handled = QAbstractButton::event(event);
        if (event->type() == QEvent::Polish) {
            setAttribute(Qt::WA_OpaquePaintEvent);
            setAttribute(Qt::WA_Hover, false);
        }
        return handled;
    }

    // A plain raised button drawn by the forms layer: a board has hundreds of them, and the
    // style's rounded gradients cost more than the rest of a new game.
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        const QPalette &colours = palette();
        const bool sunken = isDown();
        bevel::paint(painter, size(), colours, sunken);
        if (hasFocus()) {
            painter.setPen(QPen(colours.color(QPalette::ButtonText), 1, Qt::DotLine));
            painter.drawRect(rect().adjusted(3, 3, -4, -4));
        }
        if (text().isEmpty())
            return;
        painter.setFont(font());
        const QRect box = sunken ? rect().translated(1, 1) : rect();
        if (!isEnabled()) {
            // Etched, as a greyed button's text is.
            painter.setPen(colours.color(QPalette::Light));
            painter.drawText(box.translated(1, 1), Qt::AlignCenter | Qt::TextDontClip, text());
        }
        painter.setPen(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                     QPalette::ButtonText));
        painter.drawText(box, Qt::AlignCenter | Qt::TextDontClip, text());
    }

    // The game acts when a button goes down, not on release.
    void mousePressEvent(QMouseEvent *event) override {
        // Qt keeps input from a disabled widget but not from a hidden one; neither may act.
        if (isHidden() || !isEnabled()) {
            event->accept();
            return;
        }
        // A press may uncover labels that are still to take their size.
        Label::measureShownLabels();
        QPointer<ButtonWidget> alive(this);
        if (owner_.mouseDown_) {
            const QPointF pos = event->position();
            owner_.mouseDown_(buttonCode(event->button()), shiftState(event->modifiers()),
                              static_cast<float>(twips::fromPixels(pos.x())),
                              static_cast<float>(twips::fromPixels(pos.y())));
        }
        if (!alive)
            return;
        // The handler may have hidden or disabled this button; it then takes no press of its own.
        if (isVisible() && isEnabled())
            QAbstractButton::mousePressEvent(event);
        else
            event->accept();
    }

    // The second press of a quick double press is a press like any other.
    void mouseDoubleClickEvent(QMouseEvent *event) override { mousePressEvent(event); }

    void keyPressEvent(QKeyEvent *event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && owner_.click_) {
            event->accept();
            click();
            return;
        }
        QAbstractButton::keyPressEvent(event);
    }

private:
    static int buttonCode(Qt::MouseButton button) {
        switch (button) {
        case Qt::LeftButton:
            return CommandButton::LeftButton;
        case Qt::RightButton:
            return CommandButton::RightButton;
        case Qt::MiddleButton:
            return CommandButton::MiddleButton;
        default:
            return 0;
        }
    }

    static int shiftState(Qt::KeyboardModifiers modifiers) {
        return (modifiers & Qt::ShiftModifier ? CommandButton::ShiftKey : 0) |
               (modifiers & Qt::ControlModifier ? CommandButton::CtrlKey : 0) |
               (modifiers & Qt::AltModifier ? CommandButton::AltKey : 0);
    }

    CommandButton &owner_;
};

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

CommandButton::CommandButton(QWidget *parent)
    : Control(new ButtonWidget(*this, parent)), button_(static_cast<ButtonWidget *>(widget())) {
    provideAccessibleInterface<ButtonWidget, ButtonAccessible>();
    button_->hide();
}

CommandButton::~CommandButton() = default;

void CommandButton::copyDesignOf(const CommandButton &element0) {
    copyGeometry(element0);
    setTabStop(element0.tabStop_);
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

void CommandButton::changeEnabled(bool enabled) {
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

void CommandButton::setTabStop(bool tabStop) {
    tabStop_ = tabStop;
    button_->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
}

void CommandButton::setClickHandler(ClickHandler handler) {
    if (!click_)
        QObject::connect(button_, &QAbstractButton::clicked, button_, [this] { click_(); });
    click_ = std::move(handler);
}

void CommandButton::applyFont() {
    button_->setFont(fonts::resolve(font_));
    button_->setText(fonts::displayText(caption_, font_));
}
