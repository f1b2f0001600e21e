// The practice world: a small game on 127.0.0.1 to try the client on and to test it against.
#include "PracticeServer.h"
#include "WorldOptions.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QString error;
    const auto options = tw::practice::WorldOptions::parse(app.arguments(), &error);
    if (!options) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return app.arguments().contains("--help") || app.arguments().contains("-h") ? 0 : 2;
    }

    tw::practice::PracticeServer server(*options);
    if (!server.listen(&error)) {
        std::fprintf(stderr, "practice_world: cannot listen on 127.0.0.1:%u: %s\n",
                     static_cast<unsigned>(options->port), qPrintable(error));
        return 1;
    }
    // Tests that asked for a free port read it from this one line.
    if (options->port == 0) {
        std::printf("PORT %u\n", static_cast<unsigned>(server.port()));
        std::fflush(stdout);
    }
    if (options->tlsPort && *options->tlsPort == 0) {
        std::printf("TLSPORT %u\n", static_cast<unsigned>(server.tlsPort()));
        std::fflush(stdout);
    }
    std::fprintf(stderr, "The practice world is open on 127.0.0.1:%u.\n", static_cast<unsigned>(server.port()));
    return app.exec();
}
