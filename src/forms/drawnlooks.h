#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>

#include <utility>
#include <vector>

// Pictures a board shows hundreds of times in a few looks: each look is drawn once into an image
// and copied from then on.
template <class Look> class DrawnLooks {
public:
    // Copies the image of `look` to `at`, drawn first by `render` if it has not been yet.
    template <class Render>
    void paint(QPainter &painter, const QPoint &at, const Look &look, Render render) {
        for (const auto &[known, image] : drawn_) {
            if (known == look) {
                painter.drawImage(at, image);
                return;
            }
        }
        // More looks than a board needs only come from changes of palette or scale.
        constexpr std::size_t mostLooks = 16;
        if (drawn_.size() >= mostLooks)
            drawn_.clear();
        drawn_.emplace_back(look, render());
        painter.drawImage(at, drawn_.back().second);
    }

private:
    std::vector<std::pair<Look, QImage>> drawn_;
};
