#include "RawClient.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTimer>

#include <zlib.h>

namespace tw::practice::test {

bool waitUntil(const std::function<bool()>& condition, int milliseconds)
{
    if (condition())
        return true;
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition() || clock.elapsed() > milliseconds)
            loop.quit();
    });
    poll.start(2);
    loop.exec();
    return condition();
}

RawClient::RawClient(quint16 port)
{
    QObject::connect(&socket_, &QTcpSocket::readyRead, [this] {
        received_ += socket_.readAll();
        readEnds_.push_back(received_.size());
    });
    socket_.connectToHost(QHostAddress::LocalHost, port);
    waitUntil([this] { return connected(); });
}

void RawClient::sendRaw(const QByteArray& bytes)
{
    socket_.write(bytes);
}

QByteArray RawClient::command(const QByteArray& line, const QByteArray& lineEnd)
{
    sendRaw(line + lineEnd);
    // Login questions end in "? " or "(y/n) ", the game's prompt is "> ".
    waitUntil([this] {
        const QByteArray unread = received_.mid(readUpTo_);
        return unread.endsWith("> ") || unread.endsWith("? ") || unread.endsWith("(y/n) ");
    });
    const QByteArray unread = received_.mid(readUpTo_);
    readUpTo_ = received_.size();
    return unread;
}

QByteArray RawClient::readUntilEnd(const QByteArray& tail, int milliseconds)
{
    if (!waitUntil([&] { return received_.mid(readUpTo_).endsWith(tail); }, milliseconds))
        return {};
    const QByteArray unread = received_.mid(readUpTo_);
    readUpTo_ = received_.size();
    return unread;
}

QByteArray RawClient::readThrough(const QByteArray& text, int milliseconds)
{
    if (!waitUntil([&] { return received_.indexOf(text, readUpTo_) >= 0; }, milliseconds))
        return {};
    const qsizetype end = received_.indexOf(text, readUpTo_) + text.size();
    const QByteArray part = received_.mid(readUpTo_, end - readUpTo_);
    readUpTo_ = end;
    return part;
}

QByteArray RawClient::logIn(const QByteArray& name)
{
    QByteArray transcript = readUntilEnd("known? ");
    transcript += command(name);
    transcript += command("y");
    return transcript;
}

QByteArray withoutColours(const QByteArray& text)
{
    QByteArray plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\x1b' && i + 1 < text.size() && text[i + 1] == '[') {
            qsizetype end = i + 2;
            while (end < text.size() && text[end] != 'm')
                ++end;
            i = end;
            continue;
        }
        plain += text[i];
    }
    return plain;
}

QByteArray inflateAll(const QByteArray& in)
{
    z_stream z{};
    inflateInit(&z);
    QByteArray out(1 << 20, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = uInt(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    inflate(&z, Z_SYNC_FLUSH);
    out.resize(out.size() - z.avail_out);
    inflateEnd(&z);
    return out;
}

QByteArray firstLine(const QByteArray& reply)
{
    const QByteArray plain = withoutColours(reply);
    qsizetype end = 0;
    while (end < plain.size() && plain[end] != '\n' && plain[end] != '\r')
        ++end;
    return plain.left(end);
}

} // namespace tw::practice::test
