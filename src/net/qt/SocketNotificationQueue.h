#pragma once
// Holds socket readiness notifications back while a look-up waits in a nested event loop, and
// replays them afterwards in the order they arrived, one per event loop turn.
#include <QObject>
#include <QPointer>

#include <deque>
#include <functional>

namespace tw {

class SocketNotificationQueue {
public:
    // True while a look-up wait is in progress or earlier notifications still wait for their
    // turn; a new notification must then be posted rather than delivered, to keep the order.
    static bool holding();

    // Queues a delivery for owner; it is dropped if owner is gone by its turn.
    static void post(QObject* owner, std::function<void()> delivery);

    // Drops every queued delivery of owner.
    static void discard(const QObject* owner);

    // A look-up wait starts or ends; waits nest. The queue is replayed after the outermost.
    static void beginWait();
    static void endWait();

    static std::size_t pendingCount();

private:
    struct Entry {
        QPointer<QObject> owner;
        std::function<void()> delivery;
    };

    static void scheduleNext();
    static void deliverNext();

    static inline std::deque<Entry> queue_;
    static inline int waitDepth_ = 0;
    static inline bool scheduled_ = false;
};

} // namespace tw
