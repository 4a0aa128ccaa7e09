#include "label.h"

#include "accessiblefactory.h"
#include "color.h"
#include "twips.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <QWidget>

#include <vector>

class LabelWidget : public QWidget {
public:
    LabelWidget(Label &owner, QWidget *parent) : QWidget(parent), owner_(owner) {}

    QString text;
    FontSpec wantedFont;
    QColor color = Qt::black;
    // The text as laid out in the font, shared by every label that shows the same. It is found
    // when first painted: the counter and the clock change their texts more often than they
    // are seen.
    fonts::TextBlock block;

protected:
    // A label that leaves the screen unmeasured waits to be shown again: a discarded board's
    // labels are not measured.
    bool event(QEvent *event) override {
        if (event->type() == QEvent::Show)
            owner_.measureWhenNeeded();
        else if (event->type() == QEvent::Hide)
            owner_.leaveUnmeasured();
        return QWidget::event(event);
    }

    // Centred in the box as a rectangle's text would be, without laying the text out again. A
    // label is never drawn at a size it has not measured.
    void paintEvent(QPaintEvent *) override {
        owner_.settleSize();
        if (text.isEmpty())
            return;
        if (!block.layout)
            block = fonts::layOut(wantedFont, text);
        QPainter painter(this);
        painter.setFont(fonts::resolve(wantedFont));
        painter.setPen(color);
        const QPointF topLeft((width() - block.box.width()) / 2,
                              (height() - block.box.height()) / 2);
        block.layout->draw(&painter, topLeft);
    }

private:
    Label &owner_;
};

// Read out as static text: what the label shows.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(LabelWidget *label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return static_cast<const LabelWidget *>(widget())->text;
        return QAccessibleWidget::text(kind);
    }
};

namespace {

// Labels shown before their size was measured.
std::vector<Label *> &unmeasuredLabels() {
    static std::vector<Label *> labels;
    return labels;
}

} // namespace

Label::Label(QWidget *parent)
    : Control(new LabelWidget(*this, parent)), label_(static_cast<LabelWidget *>(widget())) {
    provideAccessibleInterface<LabelWidget, LabelAccessible>();
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->hide();
}

Label::~Label() {
    leaveUnmeasured();
}

void Label::measureShownLabels() {
    std::vector<Label *> &labels = unmeasuredLabels();
    while (!labels.empty())
        labels.back()->measure();
}

void Label::copyDesignOf(const Label &element0) {
    copyGeometry(element0);
    caption_ = element0.caption_;
    font_ = element0.font_;
    foreColor_ = element0.foreColor_;
    autoSize_ = element0.autoSize_;
    label_->wantedFont = element0.label_->wantedFont;
    label_->color = element0.label_->color;
    label_->text = element0.label_->text;
    label_->block = element0.label_->block;
}

void Label::setCaption(const QString &caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    showText();
}

void Label::setForeColor(int color) {
    if (color == foreColor_)
        return;
    foreColor_ = color;
    label_->color = toQColor(color);
    label_->update();
}

void Label::setFont(const FontSpec &font) {
    font_ = font;
    fontChanged();
}

void Label::setFontName(const QString &name) {
    font_.name = name;
    fontChanged();
}

void Label::setFontSize(double pointSize) {
    font_.pointSize = pointSize;
    fontChanged();
}

void Label::setFontBold(bool bold) {
    font_.bold = bold;
    fontChanged();
}

void Label::bringToFront() {
    // Qt finds a widget among its siblings by a scan; a label just made is already in front.
    const QWidget *parent = label_->parentWidget();
    if (parent && parent->children().constLast() == label_)
        return;
    label_->raise();
}

void Label::fontChanged() {
    label_->wantedFont = font_;
    showText();
}

void Label::showText() {
    label_->text = fonts::displayText(caption_, font_);
    label_->block = {};
    if (autoSize_) {
        // Off the screen, measured only once seen or asked for: a new game sets a hidden board's
        // labels several times over, and every font measured is a font loaded.
        if (label_->isVisible())
            measure();
        else
            measurePending_ = true;
    }
    label_->update();
    if (QAccessible::isActive()) {
        QAccessibleEvent event(label_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void Label::settleSize() const {
    if (measurePending_)
        const_cast<Label *>(this)->measure();
}

// Measuring in a font in use is cheap. A label that would load its font is measured when first
// painted, when its size is read or written, before a press, or once the window is idle, whichever
// comes first: a new board's labels lie under its covers, and their fonts need not hold up its
// first paint.
void Label::measureWhenNeeded() {
    if (!measurePending_ || unmeasuredIndex_ >= 0)
        return;
    if (fonts::wasResolved(font_)) {
        measure();
        return;
    }
    std::vector<Label *> &labels = unmeasuredLabels();
    unmeasuredIndex_ = static_cast<int>(labels.size());
    labels.push_back(this);
}

void Label::leaveUnmeasured() {
    if (unmeasuredIndex_ < 0)
        return;
    std::vector<Label *> &labels = unmeasuredLabels();
    Label *last = labels.back();
    labels[static_cast<std::size_t>(unmeasuredIndex_)] = last;
    last->unmeasuredIndex_ = unmeasuredIndex_;
    labels.pop_back();
    unmeasuredIndex_ = -1;
}

void Label::measure() {
    measurePending_ = false;
    leaveUnmeasured();
    const qreal advance = fonts::horizontalAdvance(font_, label_->text);
    setGeometry(left(), top(), static_cast<float>(twips::fromPixels(advance)),
                static_cast<float>(twips::fromPixels(fonts::metrics(font_).height())));
}
