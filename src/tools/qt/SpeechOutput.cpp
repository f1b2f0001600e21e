#include "tools/qt/SpeechOutput.h"

#include <algorithm>

#ifdef TARNWICK_SPEECH
#include <QTextToSpeech>
#endif

namespace tw {

SpeechOutput::SpeechOutput(SpeechQueue& queue, QObject* parent) : QObject(parent), queue_(queue) {}

SpeechOutput::~SpeechOutput()
{
    if (queue_.on())
        queue_.interrupt();
}

bool SpeechOutput::start()
{
#ifdef TARNWICK_SPEECH
    if (speech_)
        return true;
    if (QTextToSpeech::availableEngines().isEmpty()) {
        problem_ = NoServiceText;
        return false;
    }
    speech_ = new QTextToSpeech(this);
    if (speech_->state() == QTextToSpeech::Error) {
        problem_ = NoServiceText;
        delete speech_;
        speech_ = nullptr;
        return false;
    }
    speech_->setRate(rate_ / double(FastestRate));
    // Done or failed, the queue goes on with what waits. The end of a stopped utterance may
    // come after the next one was handed over: only an utterance seen speaking can end.
    connect(speech_, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
        if (state == QTextToSpeech::Speaking) {
            speaking_ = true;
        } else if (state == QTextToSpeech::Error || (state == QTextToSpeech::Ready && speaking_)) {
            speaking_ = false;
            queue_.finished();
        }
    });
    queue_.setEngine(this);
    return true;
#else
    problem_ = NoServiceText;
    return false;
#endif
}

void SpeechOutput::setRate(int rate)
{
    rate_ = std::clamp(rate, int(SlowestRate), int(FastestRate));
#ifdef TARNWICK_SPEECH
    if (speech_)
        speech_->setRate(rate_ / double(FastestRate));
#endif
}

void SpeechOutput::say(const std::string& text)
{
#ifdef TARNWICK_SPEECH
    if (!speech_)
        return;
    speaking_ = false;
    speech_->say(QString::fromUtf8(text.data(), qsizetype(text.size())));
#else
    (void)text;
#endif
}

void SpeechOutput::stop()
{
#ifdef TARNWICK_SPEECH
    if (speech_)
        speech_->stop(QTextToSpeech::BoundaryHint::Immediate);
#endif
}

} // namespace tw
