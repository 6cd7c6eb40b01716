// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ScreenCapture.h"

namespace lumvex {

// Stands where no capture can work in this session: captures nothing and says why (nothing to say while
// there is no display to capture yet).
class UnavailableCapture final : public ScreenCapture
{
public:
    explicit UnavailableCapture(std::optional<std::string> reason)
        : m_reason(std::move(reason))
    {}

    std::optional<ScreenReduction> captureAndReduce() override { return std::nullopt; }
    std::optional<std::string> unavailableReason() const override { return m_reason; }

private:
    std::optional<std::string> m_reason;
};

} // namespace lumvex
