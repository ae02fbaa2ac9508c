#pragma once

#include <compare>
#include <cstdint>
#include <limits>

#include <QString>

// The game's integer: signed 16 bits like every counter of the original design, but sums that
// leave the range stop at its ends instead of wrapping or ending the program, so a long game
// at a good job keeps running with the money pinned at the top.
class Int16 {
public:
    static constexpr int Min = std::numeric_limits<std::int16_t>::min();
    static constexpr int Max = std::numeric_limits<std::int16_t>::max();

    constexpr Int16() = default;
    // Implicit so that table values and literals read naturally; out-of-range ints clamp.
    // cppcheck-suppress noExplicitConstructor
    constexpr Int16(int v) : v_(clamp(v)) {} // NOLINT(google-explicit-constructor)

    [[nodiscard]] constexpr int value() const { return v_; }

    constexpr Int16& operator+=(Int16 o) {
        v_ = clamp(int{v_} + o.v_);
        return *this;
    }
    constexpr Int16& operator-=(Int16 o) {
        v_ = clamp(int{v_} - o.v_);
        return *this;
    }
    constexpr Int16& operator++() { return *this += 1; }
    constexpr Int16& operator--() { return *this -= 1; }
    friend constexpr Int16 operator+(Int16 a, Int16 b) { return a += b; }
    friend constexpr Int16 operator-(Int16 a, Int16 b) { return a -= b; }

    friend constexpr bool operator==(Int16 a, Int16 b) = default;
    friend constexpr auto operator<=>(Int16 a, Int16 b) = default;

    // Plain decimal text: no leading blank, a minus sign for negatives.
    [[nodiscard]] QString str() const { return QString::number(v_); }

private:
    static constexpr std::int16_t clamp(int v) {
        return static_cast<std::int16_t>(v < Min ? Min : (v > Max ? Max : v));
    }
    std::int16_t v_ = 0;
};
