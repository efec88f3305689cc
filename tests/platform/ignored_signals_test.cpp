// A signal the program was started with ignored (SIGHUP under nohup, SIGINT in a background job)
// stays ignored: it neither ends the window nor stops a batch, and is still ignored afterwards.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <csignal>

#include "platform/program.h"
#include "platform_support.h"

namespace lumora {
namespace {

TEST(IgnoredSignals, StayIgnoredInTheWindowAndInTheBatch) {
    if (!os::endsProgramsWithSignals()) GTEST_SKIP() << "no signals end programs here";
    const auto previous = std::signal(SIGINT, SIG_IGN);
    {
        platform::ShutdownSignals window;
        QSignalSpy requested(&window, &platform::ShutdownSignals::requested);
        platform::BatchSignals batch;
        std::raise(SIGINT);
        QCoreApplication::processEvents();
        EXPECT_EQ(requested.count(), 0);
        EXPECT_FALSE(batch.requested());
    }
    EXPECT_EQ(std::signal(SIGINT, previous), SIG_IGN) << "ignored afterwards too";
}

}  // namespace
}  // namespace lumora
