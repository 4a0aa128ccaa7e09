#pragma once

#include "control.h"
#include "fonts.h"

#include <QString>

class QWidget;
class LabelWidget;

// A text label. With automatic size it measures itself whenever its text or font changes,
// keeping its Left and Top.
class Label : public Control {
public:
    explicit Label(QWidget *parent);
    ~Label() override;

    // Measures every label shown before its size was: a press may uncover them, and an idle
    // window has the time.
    static void measureShownLabels();

    // Takes the design-time properties of the template into this new, hidden label.
    void copyDesignOf(const Label &element0);

    const QString &caption() const { return caption_; }
    void setCaption(const QString &caption);
    int foreColor() const { return foreColor_; }
    void setForeColor(int color);

    const FontSpec &font() const { return font_; }
    void setFont(const FontSpec &font);
    void setFontName(const QString &name);
    void setFontSize(double pointSize);
    void setFontBold(bool bold);

    // Takes effect at the next change of text or font; the design size stands until then. A size
    // still to be measured is measured first, under the setting it was asked for.
    void setAutoSize(bool autoSize) {
        settleSize();
        autoSize_ = autoSize;
    }

    // Brings the label in front of the other labels and the shapes.
    void bringToFront();

protected:
    void settleSize() const override;

private:
    friend class LabelWidget;
    void fontChanged();
    void showText();
    void measure();
    void measureWhenNeeded();
    void leaveUnmeasured();

    LabelWidget *label_;
    QString caption_;
    FontSpec font_;
    int foreColor_ = 0;
    bool autoSize_ = false;
    bool measurePending_ = false;
    // Where the label stands among those shown unmeasured, or -1.
    int unmeasuredIndex_ = -1;
};
