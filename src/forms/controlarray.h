#pragma once

#include "controlreserve.h"
#include "runtime.h"

#include <functional>
#include <memory>
#include <vector>

class QWidget;

// A control array: element 0 is the design-time template, and loading element k creates it
// as a hidden copy of element 0, from a control the reserve made ready.
template <class ControlType> class ControlArray {
public:
    using LoadHook = std::function<void(ControlType &element, int index)>;

    ControlArray(std::unique_ptr<ControlType> element0, QWidget *parent,
                 ControlReserve<ControlType> &reserve)
        : parent_(parent), reserve_(reserve) {
        elements_.push_back(std::move(element0));
    }

    // Runs for every element loaded from now on, to connect its events to its index.
    void setLoadHook(LoadHook hook) { loadHook_ = std::move(hook); }

    // Reserves room for the elements about to be loaded.
    void reserve(int count) { elements_.reserve(static_cast<std::size_t>(count) + 1); }

    void load(int index) {
        if (index <= 0)
            runtime::raiseError(340, "Control array element does not exist");
        if (isLoaded(index))
            runtime::raiseError(360, "Object already loaded");
        if (static_cast<std::size_t>(index) >= elements_.size())
            elements_.resize(static_cast<std::size_t>(index) + 1);
        auto &slot = elements_[static_cast<std::size_t>(index)];
        slot = reserve_.take(parent_);
        slot->copyDesignOf(*elements_.front());
        if (loadHook_)
            loadHook_(*slot, index);
    }

    bool isLoaded(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < elements_.size() &&
               elements_[static_cast<std::size_t>(index)] != nullptr;
    }

    ControlType &operator[](int index) const {
        if (!isLoaded(index))
            runtime::raiseError(340, "Control array element does not exist");
        return *elements_[static_cast<std::size_t>(index)];
    }

    // The number of slots, element 0 included.
    int count() const { return static_cast<int>(elements_.size()); }

private:
    QWidget *parent_;
    ControlReserve<ControlType> &reserve_;
    std::vector<std::unique_ptr<ControlType>> elements_;
    LoadHook loadHook_;
};
