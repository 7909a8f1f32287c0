#pragma once

#include <memory>

// The unit-wide stores (system variables, GPS input, sensor state) exist once, made on first
// use. Tests drop them so that each case starts on a fresh unit.
template <class T> std::unique_ptr<T>& unitInstanceSlot() {
    static std::unique_ptr<T> instance;
    return instance;
}

// make() builds the instance; it is called from the class itself, which may keep its
// constructor private.
template <class T, class Make> T* unitInstance(Make make) {
    std::unique_ptr<T>& slot = unitInstanceSlot<T>();
    if (!slot) {
        slot.reset(make());
    }
    return slot.get();
}

template <class T> void dropUnitInstance() {
    unitInstanceSlot<T>().reset();
}
