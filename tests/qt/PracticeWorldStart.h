#pragma once
// The practice world on a free port of 127.0.0.1, as the end-to-end tests start it: a fixed
// seed and no hunger, so that its answers are the same every run.
#include "PracticeServer.h"
#include "WorldOptions.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <memory>

namespace tw::test {

// Fails the test (and leaves world empty) when the world cannot start.
inline void startPracticeWorld(std::unique_ptr<practice::PracticeServer>& world, const QStringList& extra = {})
{
    QString error;
    auto options = practice::WorldOptions::parse(
        QStringList{"practice_world", "--port", "0", "--seed", "1", "--hunger-seconds", "0"} + extra, &error);
    ASSERT_TRUE(options) << error.toStdString();
    world = std::make_unique<practice::PracticeServer>(*options);
    ASSERT_TRUE(world->listen(&error)) << error.toStdString();
}

} // namespace tw::test
