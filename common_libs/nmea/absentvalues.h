#pragma once

#include <QtGlobal>

#include <cfloat>
#include <climits>
#include <type_traits>

// Absent numeric values: the largest value of the field's type, written as an empty field.
inline constexpr int kAbsentInt = INT_MAX;
inline constexpr float kAbsentFloat = FLT_MAX;
inline constexpr quint32 kAbsentULong = 0xFFFFFFFFu;

// The value a field holds while it is absent.
template <class T> constexpr T absentValue() {
    if constexpr (std::is_same_v<T, int>) {
        return kAbsentInt;
    } else if constexpr (std::is_same_v<T, float>) {
        return kAbsentFloat;
    } else if constexpr (std::is_same_v<T, quint32>) {
        return kAbsentULong;
    } else {
        return T{};
    }
}
