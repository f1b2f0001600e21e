#include "net/qt/SocketNotificationQueue.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>

namespace tw {

bool SocketNotificationQueue::holding()
{
    return waitDepth_ > 0 || !queue_.empty();
}

void SocketNotificationQueue::post(QObject* owner, std::function<void()> delivery)
{
    queue_.push_back({QPointer<QObject>(owner), std::move(delivery)});
    scheduleNext();
}

void SocketNotificationQueue::discard(const QObject* owner)
{
    std::erase_if(queue_, [owner](const Entry& entry) {
        return entry.owner.isNull() || entry.owner.data() == owner;
    });
}

void SocketNotificationQueue::beginWait()
{
    ++waitDepth_;
}

void SocketNotificationQueue::endWait()
{
    if (waitDepth_ > 0)
        --waitDepth_;
    scheduleNext();
}

std::size_t SocketNotificationQueue::pendingCount()
{
    return queue_.size();
}

void SocketNotificationQueue::scheduleNext()
{
    if (scheduled_ || waitDepth_ > 0 || queue_.empty())
        return;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    scheduled_ = true;
    QMetaObject::invokeMethod(app, &SocketNotificationQueue::deliverNext, Qt::QueuedConnection);
}

void SocketNotificationQueue::deliverNext()
{
    scheduled_ = false;
    // A wait that began since this turn was scheduled holds the queue; its end reschedules.
    if (waitDepth_ > 0 || queue_.empty())
        return;
    Entry entry = std::move(queue_.front());
    queue_.pop_front();
    // Each delivery schedules the next before it runs, so that a delivery which enters a
    // nested event loop (a message box) does not stall the rest.
    scheduleNext();
    if (entry.owner)
        entry.delivery();
}

} // namespace tw
