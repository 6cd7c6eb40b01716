// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ContentSampler.h"

#include <QMetaObject>
#include <QObject>

namespace lumvex {

// Hands the sampler's work to the thread of `context` through Qt's event loop, in the order posted.
// Work still queued when `context` goes is dropped with it.
inline ContentSampler::PostToOwner queuedPostTo(QObject *context)
{
    return [context](std::function<void()> task) {
        QMetaObject::invokeMethod(context, std::move(task), Qt::QueuedConnection);
    };
}

} // namespace lumvex
