// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QSocketNotifier;

namespace lumvex {

// Ends the event loop on SIGINT and SIGTERM, from the main thread, so that everything is torn down in
// order and the log file is closed as on a normal quit.
class QuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit QuitOnSignal(QObject *parent = nullptr);
    ~QuitOnSignal() override;

private:
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace lumvex
