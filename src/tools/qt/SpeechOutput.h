#pragma once
// The desktop's speech service behind the speech queue: Qt TextToSpeech, which reaches
// speech-dispatcher (what Orca speaks through). Built without Qt TextToSpeech, or on a system
// without a speech plugin, it says why it cannot speak and stays silent.
#include "tools/SpeechQueue.h"

#include <QObject>
#include <QString>

class QTextToSpeech;

namespace tw {

class SpeechOutput : public QObject, public SpeechEngine {
    Q_OBJECT
public:
    // The rate runs from -10 (slowest) to 10 (fastest); 0 is the voice's own.
    static constexpr int SlowestRate = -10, FastestRate = 10;
    static constexpr const char* NoServiceText =
        "No speech service: install speech-dispatcher and the Qt speech plugin (qt6-speech-speechd-plugin).";

    explicit SpeechOutput(SpeechQueue& queue, QObject* parent = nullptr);
    ~SpeechOutput() override;

    // Connects to the speech service the first time; false, with problem() saying why, when
    // there is none.
    bool start();
    const QString& problem() const { return problem_; }
    void setRate(int rate);
    int rate() const { return rate_; }

    void say(const std::string& text) override;
    void stop() override;

private:
    SpeechQueue& queue_;
    QTextToSpeech* speech_ = nullptr;
    bool speaking_ = false; // the engine reported the utterance under way
    int rate_ = 0;
    QString problem_;
};

} // namespace tw
