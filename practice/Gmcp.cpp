#include "Gmcp.h"

#include "WorldMap.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tw::practice::gmcp {

namespace {

std::string compact(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

QString fromUtf8(std::string_view bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// What a client names itself goes into a report line: control characters must not break it.
std::string oneLine(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u'?';
    }
    return text.trimmed().toStdString();
}

} // namespace

std::string message(std::string_view package, std::string_view json)
{
    using namespace telnet;
    std::string body(package);
    if (!json.empty()) {
        body += ' ';
        body += json;
    }
    std::string out{IAC, SB, Gmcp};
    for (const char c : body) {
        out += c;
        if (c == IAC)
            out += c;
    }
    out += IAC;
    out += SE;
    return out;
}

std::string vitals(const Vitals& v)
{
    return message("Char.Vitals", compact({{"hp", v.hp},
                                           {"maxhp", Vitals::kMaxHp},
                                           {"mp", QString::number(v.mp)},
                                           {"maxmp", QString::number(Vitals::kMaxMp)},
                                           {"mv", QString::number(v.mv)},
                                           {"maxmv", QString::number(Vitals::kMaxMv)}}));
}

std::string roomInfo(const WorldMap& map, int room)
{
    const Room& here = map.room(room);
    QJsonObject exits;
    for (int code = 1; code <= kDirectionCount; ++code) {
        const Direction direction = directionFromCode(code);
        if (const Exit& exit = here.exit(direction); exit.to >= 0)
            exits.insert(fromUtf8(directionShortName(direction)), kRoomNumberBase + exit.to);
    }
    return message("Room.Info", compact({{"num", kRoomNumberBase + room},
                                         {"name", fromUtf8(here.title)},
                                         {"area", "Town"},
                                         {"exits", exits}}));
}

std::string channelText(std::string_view channel, std::string_view talker, std::string_view text)
{
    return message("Comm.Channel.Text",
                   compact({{"channel", fromUtf8(channel)}, {"talker", fromUtf8(talker)}, {"text", fromUtf8(text)}}));
}

void readClientMessage(std::string_view payload, TelnetInfo& info)
{
    const std::size_t blank = std::min(payload.find(' '), payload.size());
    const QString package = fromUtf8(payload.substr(0, blank)).toLower();
    const std::string_view json = payload.substr(std::min(blank + 1, payload.size()));
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(json.data(), static_cast<qsizetype>(json.size())));
    if (package == u"core.hello" && document.isObject()) {
        const QJsonObject hello = document.object();
        info.gmcpClient = oneLine(hello.value("client").toVariant().toString() + ' '
                                  + hello.value("version").toVariant().toString());
    } else if (package == u"core.supports.set" && document.isArray()) {
        info.gmcpSupports.clear();
        for (const QJsonValue& entry : document.array()) {
            if (entry.isString())
                info.gmcpSupports.push_back(oneLine(entry.toString()));
        }
    }
}

} // namespace tw::practice::gmcp
