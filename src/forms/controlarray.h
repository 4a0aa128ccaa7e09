#pragma once

#include "runtime.h"

#include <functional>
#include <memory>
#include <vector>

class FormArea;

// A control array: element 0 is the design-time template, and loading element k creates it on the
// form's area as a hidden copy of element 0.
template <class ControlType> class ControlArray {
public:
    using LoadHook = std::function<void(ControlType &element, int index)>;

    ControlArray(std::unique_ptr<ControlType> element0, FormArea &area) : area_(area) {
        elements_.push_back(std::move(element0));
    }
    ControlArray(const ControlArray &) = delete;
    ControlArray &operator=(const ControlArray &) = delete;

    // The elements go in the reverse of the order they came in, as the form's own controls do.
    ~ControlArray() {
        while (!elements_.empty())
            elements_.pop_back();
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
        slot = std::make_unique<ControlType>(area_);
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
    FormArea &area_;
    std::vector<std::unique_ptr<ControlType>> elements_;
    LoadHook loadHook_;
};
