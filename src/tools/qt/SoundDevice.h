#pragma once
// What the sound player needs from the system's media layer: start a file without waiting,
// stop and close it, say whether it still plays, and tell when it ended by itself.
#include <QString>

#include <functional>

namespace tw {

class SoundDevice {
public:
    virtual ~SoundDevice() = default;

    // Opens the file and starts playing it without waiting for the end. False when nothing
    // can be played (no sound device); the caller stays silent about it.
    virtual bool start(const QString& path) = 0;
    // Stops what plays and closes the device; harmless when nothing is open.
    virtual void stopAndClose() = 0;
    virtual bool isPlaying() const = 0;

    // Called when a started sound comes to its end or fails while playing.
    void setEndedHandler(std::function<void()> handler) { ended_ = std::move(handler); }

protected:
    void reportEnded()
    {
        if (ended_)
            ended_();
    }

private:
    std::function<void()> ended_;
};

} // namespace tw
