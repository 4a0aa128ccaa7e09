#pragma once

#include "fonts.h"
#include "windowlesscontrol.h"

#include <QSizeF>
#include <QStaticText>
#include <QString>

// A text label. With automatic size it measures itself whenever its text or font changes,
// keeping its Left and Top.
class Label : public WindowlessControl {
public:
    explicit Label(FormArea &area);

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

    // Takes effect at the next change of text or font; the design size stands until then.
    void setAutoSize(bool autoSize) { autoSize_ = autoSize; }

    // The text as drawn: where the font stands in for another, its letters may be pictograms.
    QString shownText() const { return text_.text(); }

    void paint(QPainter &painter, const QRect &box) const override;

protected:
    QAccessibleInterface *makeAccessibleInterface() const override;

private:
    void showText();

    QString caption_;
    FontSpec font_;
    int foreColor_ = 0;
    bool autoSize_ = false;
    QStaticText text_;
    // The shown text's natural width and line height in pixels, which centring it goes by.
    QSizeF textSize_;
    // Whether the text overhangs a box of the size last painted.
    mutable QSize checkedSize_;
    mutable bool overhangs_ = true;
};
