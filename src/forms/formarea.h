#pragma once

#include <QColor>
#include <QWidget>

#include <array>
#include <vector>

class WindowlessControl;

// A form's inner area. It draws the form's windowless controls itself, shapes first, then labels,
// each layer in its z-order, beneath the command buttons, which are widgets of their own on it.
class FormArea : public QWidget {
public:
    enum Layer { Shapes, Labels };

    explicit FormArea(QWidget *parent);

    void setBackdrop(const QColor &colour);

    // The windowless controls of a layer, from back to front.
    const std::vector<WindowlessControl *> &controls(Layer layer) const { return layers_[layer]; }
    void add(WindowlessControl *control, Layer layer);
    void remove(WindowlessControl *control, Layer layer);
    void bringToFront(WindowlessControl *control, Layer layer);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor backdrop_ = Qt::white;
    std::array<std::vector<WindowlessControl *>, 2> layers_;
};
