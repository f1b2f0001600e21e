#pragma once
// The practice world that `tarnwick --practice` plays in: a program of its own, started beside
// Tarnwick and stopped when Tarnwick ends.
#include <QByteArray>
#include <QProcess>
#include <QString>

namespace tw {

class PracticeWorldProcess {
public:
    // The port that the sample options file's MUD list names.
    static constexpr quint16 Port = 4000;

    enum class Start {
        Listening, // started, and open for players
        PortTaken, // could not listen on the port: in use, most likely by a world already running
        Failed,    // missing, or ended without listening; why() says what it said
    };

    PracticeWorldProcess();
    ~PracticeWorldProcess(); // stops the world it started
    PracticeWorldProcess(const PracticeWorldProcess&) = delete;
    PracticeWorldProcess& operator=(const PracticeWorldProcess&) = delete;

    // The world installed beside the program (tarnwick-practice-world), else the one of a build
    // folder (practice/practice_world); empty when there is neither.
    static QString programBeside(const QString& programFolder);

    // Starts program on port and waits, at most waitMs, until it listens or ends.
    Start start(const QString& program, quint16 port, int waitMs = 10000);
    QString why() const { return QString::fromLocal8Bit(said_).trimmed(); }

private:
    void stop();

    QProcess process_;
    QByteArray said_; // what the world wrote on standard error while it started
};

} // namespace tw
