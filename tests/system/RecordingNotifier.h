// SPDX-License-Identifier: MIT
#pragma once

#include "system/Notifier.h"

#include <vector>

namespace lumvex::test {

// Keeps every notice it is asked to show.
class RecordingNotifier final : public Notifier
{
public:
    void show(const Notice &notice) override { shown.push_back(notice); }

    std::vector<Notice> shown;
};

} // namespace lumvex::test
