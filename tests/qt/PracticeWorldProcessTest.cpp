// `tarnwick --practice` starts the practice world program, plays in it and stops it at the end.
#include "PracticeWorldProcess.h"

#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tw {
namespace {

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool answers(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(2000);
}

TEST(PracticeWorldProcess, ListensUntilItIsDestroyed)
{
    const quint16 port = freePort();
    {
        PracticeWorldProcess world;
        ASSERT_EQ(world.start(PRACTICE_WORLD_BIN, port), PracticeWorldProcess::Start::Listening) << world.why().toStdString();
        QTcpSocket player;
        player.connectToHost(QHostAddress::LocalHost, port);
        QByteArray greeting;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            greeting += player.readAll();
            return greeting.contains("By what name do you wish to be known?");
        }, 5000)) << greeting.toStdString();
    }
    EXPECT_FALSE(answers(port));
}

TEST(PracticeWorldProcess, WhatAStartThatCannotListenSays)
{
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
    struct Row {
        QString program;
        quint16 port;
        PracticeWorldProcess::Start start;
        const char* why;
    } rows[] = {
        {PRACTICE_WORLD_BIN, taken.serverPort(), PracticeWorldProcess::Start::PortTaken, "cannot listen"},
        {"", 4000, PracticeWorldProcess::Start::Failed, "not installed"},
        {"/nonexistent/tarnwick-practice-world", 4000, PracticeWorldProcess::Start::Failed, ""},
    };
    for (const Row& r : rows) {
        PracticeWorldProcess world;
        EXPECT_EQ(world.start(r.program, r.port), r.start) << r.program.toStdString();
        EXPECT_TRUE(world.why().contains(r.why)) << world.why().toStdString();
    }
}

TEST(PracticeWorldProcess, FoundBesideTheProgramOrInItsBuildFolder)
{
    QTemporaryDir installed, built, bare;
    const auto program = [](const QString& path, QFile::Permissions permissions) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.setPermissions(permissions);
    };
    const QFile::Permissions runnable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    program(installed.filePath("tarnwick-practice-world"), runnable);
    QDir(built.path()).mkdir("practice");
    program(built.filePath("practice/practice_world"), runnable);
    program(bare.filePath("tarnwick-practice-world"), QFile::ReadOwner | QFile::WriteOwner);

    EXPECT_EQ(PracticeWorldProcess::programBeside(installed.path()), installed.filePath("tarnwick-practice-world"));
    EXPECT_EQ(PracticeWorldProcess::programBeside(built.path()), built.filePath("practice/practice_world"));
    EXPECT_EQ(PracticeWorldProcess::programBeside(bare.path()), "");
}

} // namespace
} // namespace tw
