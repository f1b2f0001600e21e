#include "net/SendQueue.h"

#include "base/Host.h"

#include <exception>

namespace tw {

void SendQueue::SendToMud(std::string_view text)
{
    if (!host_.socketConnected())
        return;
    if (PendingOutput) {
        if (PendingOutput->size() + text.size() > PendingLimit) {
            host_.setStatus(NotReadingStatus);
            return;
        }
        PendingOutput->append(text);
        return;
    }
    PendingOutput = std::string(text);
    writePending();
}

void SendQueue::MudSockWrite()
{
    if (host_.socketConnected() && PendingOutput)
        writePending();
}

void SendQueue::writePending()
{
    try {
        const std::size_t taken = host_.socketWrite(*PendingOutput);
        if (taken >= PendingOutput->size())
            PendingOutput.reset();
        else
            PendingOutput->erase(0, taken);
    } catch (const std::exception& e) {
        // The text stays pending as it was.
        host_.messageBox(AppTitle, e.what(), MsgButtons::Ok);
    }
}

} // namespace tw
