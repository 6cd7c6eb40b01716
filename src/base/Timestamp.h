// SPDX-License-Identifier: MIT
#pragma once

#include <compare>

namespace lumvex {

// A moment in time as seconds since 2001-01-01 00:00:00 UTC, the epoch the stored files use.
// Held as a double so that a value read from a file is written back unchanged.
class Timestamp
{
public:
    // Seconds between 1970-01-01 and 2001-01-01.
    static constexpr double kUnixOffset = 978307200.0;

    constexpr Timestamp() = default;

    static constexpr Timestamp fromReferenceSeconds(double seconds) { return Timestamp(seconds); }
    static constexpr Timestamp fromUnixSeconds(double seconds) { return Timestamp(seconds - kUnixOffset); }

    constexpr double referenceSeconds() const { return m_seconds; }
    constexpr double unixSeconds() const { return m_seconds + kUnixOffset; }

    constexpr Timestamp operator+(double seconds) const { return Timestamp(m_seconds + seconds); }
    constexpr Timestamp operator-(double seconds) const { return Timestamp(m_seconds - seconds); }
    constexpr double operator-(Timestamp other) const { return m_seconds - other.m_seconds; }
    constexpr auto operator<=>(const Timestamp &) const = default;

private:
    constexpr explicit Timestamp(double seconds)
        : m_seconds(seconds)
    {}

    double m_seconds = 0.0;
};

} // namespace lumvex
