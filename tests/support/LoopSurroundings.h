// SPDX-License-Identifier: MIT
#pragma once

#include "engine/LoopInputs.h"

#include <functional>
#include <optional>

namespace lumvex::test {

// The loop's surroundings as a test sets them: no ambient reading and no signature until told, the
// built-in display in front, no capture to wait for.
class LoopSurroundings final : public AmbientLevelProvider, public ContentSignatureProvider, public MainDisplayProvider
{
public:
    std::function<std::optional<double>()> ambient = [] { return std::nullopt; };
    std::function<std::optional<ContentSignature>()> signature = [] { return std::nullopt; };
    std::function<std::optional<ContentSignature>()> latest = [] { return std::nullopt; };
    std::function<bool()> request = [] { return false; };
    std::function<bool()> builtIn = [] { return true; };

    std::optional<double> ambientLevel() override { return ambient(); }
    std::optional<ContentSignature> smoothedSignature() override { return signature(); }
    std::optional<ContentSignature> latestSignature() override { return latest(); }
    bool requestSignature() override { return request(); }
    bool mainDisplayIsBuiltIn() const override { return builtIn(); }
};

} // namespace lumvex::test
