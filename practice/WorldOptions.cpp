#include "WorldOptions.h"

#include <QCommandLineParser>

namespace tw::practice {

namespace {

bool parseNumber(const QString& text, quint64 highest, quint64* value)
{
    bool ok = false;
    const qulonglong number = text.toULongLong(&ok, 10);
    if (!ok || number > highest)
        return false;
    *value = number;
    return true;
}

} // namespace

std::optional<WorldOptions> WorldOptions::parse(const QStringList& arguments, QString* error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("The Tarnwick practice world: a small MUD on 127.0.0.1.");
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    const QCommandLineOption port("port", "Port to listen on; 0 picks a free one (default 4000).", "N");
    const QCommandLineOption seed("seed", "Seed for every random thing, for repeatable play.", "N");
    const QCommandLineOption crlf("crlf", "End lines with CR LF instead of LF CR.");
    const QCommandLineOption hunger("hunger-seconds", "Seconds between hunger messages; 0 = off (default 60).", "N");
    const QCommandLineOption modern("modern", "Speak telnet as today's servers do: negotiation, a password, compression.");
    const QCommandLineOption tlsPort("tls-port", "Also listen with TLS on port N; 0 picks a free one.", "N");
    const QCommandLineOption tlsCert("tls-cert", "Certificate (PEM) for the TLS port.", "FILE");
    const QCommandLineOption tlsKey("tls-key", "Private key (PEM) for the TLS port.", "FILE");
    const QCommandLineOption tlsCert2("tls-cert2", "A second certificate (PEM), served after the command 'certificate'.", "FILE");
    const QCommandLineOption tlsKey2("tls-key2", "The private key (PEM) of the second certificate.", "FILE");
    parser.addOptions({help, port, seed, crlf, hunger, modern, tlsPort, tlsCert, tlsKey, tlsCert2, tlsKey2});

    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(help)) {
        *error = parser.helpText();
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error = "Unexpected argument: " + parser.positionalArguments().first();
        return std::nullopt;
    }

    WorldOptions options;
    quint64 value = 0;
    if (parser.isSet(port)) {
        if (!parseNumber(parser.value(port), 65535, &value)) {
            *error = "--port needs a number from 0 to 65535.";
            return std::nullopt;
        }
        options.port = static_cast<quint16>(value);
    }
    if (parser.isSet(seed)) {
        if (!parseNumber(parser.value(seed), 0xffffffffULL, &value)) {
            *error = "--seed needs a number from 0 to 4294967295.";
            return std::nullopt;
        }
        options.seed = static_cast<std::uint32_t>(value);
    }
    options.crlf = parser.isSet(crlf);
    if (parser.isSet(hunger)) {
        if (!parseNumber(parser.value(hunger), 86400, &value)) {
            *error = "--hunger-seconds needs a number from 0 to 86400.";
            return std::nullopt;
        }
        options.hungerSeconds = static_cast<int>(value);
    }
    options.modern = parser.isSet(modern);
    if (parser.isSet(tlsPort)) {
        if (!parseNumber(parser.value(tlsPort), 65535, &value)) {
            *error = "--tls-port needs a number from 0 to 65535.";
            return std::nullopt;
        }
        if (!parser.isSet(tlsCert) || !parser.isSet(tlsKey)) {
            *error = "--tls-port needs --tls-cert and --tls-key.";
            return std::nullopt;
        }
        options.tlsPort = static_cast<quint16>(value);
        options.tlsCertificate = parser.value(tlsCert);
        options.tlsKey = parser.value(tlsKey);
    }
    if (parser.isSet(tlsCert2) || parser.isSet(tlsKey2)) {
        if (!options.tlsPort || !parser.isSet(tlsCert2) || !parser.isSet(tlsKey2)) {
            *error = "--tls-cert2 and --tls-key2 go together, with --tls-port.";
            return std::nullopt;
        }
        options.tlsCertificate2 = parser.value(tlsCert2);
        options.tlsKey2 = parser.value(tlsKey2);
    }
    return options;
}

} // namespace tw::practice
