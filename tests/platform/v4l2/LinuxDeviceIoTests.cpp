// The real device nodes' wrapper on what any machine has without a camera:
// a missing node, files and pipes that are no video devices. It must answer
// with the negated errno, map nothing it cannot, and wake a poll at once.

#include "platform/v4l2/DeviceIo.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <linux/videodev2.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// A private folder with a named pipe and a plain file, removed at the end.
class LinuxDeviceIo : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/inkveil-devio-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        fifo = dir + "/fifo";
        file = dir + "/file";
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        int fd = open(file.c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(write(fd, "abcd", 4), 4);
        close(fd);
    }
    void TearDown() override
    {
        unlink(fifo.c_str());
        unlink(file.c_str());
        rmdir(dir.c_str());
    }

    // Opens the path, expecting it to open.
    std::unique_ptr<v4l2::DeviceIo> Open(const std::string& path)
    {
        int error = 1;
        auto io = system.Open(path, error);
        EXPECT_EQ(error, io ? 0 : error) << "no errno with a node that opened";
        return io;
    }

    v4l2::DeviceSystem& system = v4l2::CurrentDeviceSystem();
    std::string dir, fifo, file;
};

TEST_F(LinuxDeviceIo, AFailedOpenAnswersOpensErrno)
{
    int error = 0;
    EXPECT_EQ(system.Open(dir + "/video0", error), nullptr);
    EXPECT_EQ(error, -ENOENT);
    // Without permission (as a user outside the video group meets a
    // camera); root opens anything, so the case needs an ordinary user.
    if (geteuid() != 0) {
        ASSERT_EQ(chmod(file.c_str(), 0), 0);
        error = 0;
        EXPECT_EQ(system.Open(file, error), nullptr);
        EXPECT_EQ(error, -EACCES);
    }
}

TEST_F(LinuxDeviceIo, WhatIsNoVideoDeviceHasNoName)
{
    EXPECT_EQ(system.Name(file), "");
    EXPECT_EQ(system.Name(dir + "/video0"), "");
}

TEST_F(LinuxDeviceIo, VideoRequestsOnWhatIsNoVideoDeviceAnswerTheNegatedErrno)
{
    for (const std::string& path : { std::string("/dev/null"), file, fifo }) {
        SCOPED_TRACE(path);
        auto io = Open(path);
        ASSERT_NE(io, nullptr);
        v4l2_capability caps {};
        EXPECT_EQ(io->Ioctl(VIDIOC_QUERYCAP, &caps), -ENOTTY);
        v4l2_requestbuffers req {};
        req.count = 4;
        req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        req.memory = V4L2_MEMORY_MMAP;
        EXPECT_EQ(io->Ioctl(VIDIOC_REQBUFS, &req), -ENOTTY);
    }
}

TEST_F(LinuxDeviceIo, WhatCannotBeMappedMapsToNull)
{
    auto io = Open("/dev/null");
    ASSERT_NE(io, nullptr);
    EXPECT_EQ(io->Map(4096, 0), nullptr);
    auto pipe = Open(fifo);
    ASSERT_NE(pipe, nullptr);
    EXPECT_EQ(pipe->Map(4096, 0), nullptr);
}

TEST_F(LinuxDeviceIo, APollSeesDataArriveAndEndsEmptyAfterItsTime)
{
    auto io = Open(fifo);
    ASSERT_NE(io, nullptr);
    EXPECT_EQ(io->Poll(0), 0) << "nothing written yet";
    int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(write(writer, "x", 1), 1);
    EXPECT_TRUE(io->Poll(0) & POLLIN);
    close(writer);
}

TEST_F(LinuxDeviceIo, AWakeEndsAPollInProgressAndOneAheadEndsTheNext)
{
    auto io = Open(fifo);
    ASSERT_NE(io, nullptr);
    // A wake while nobody waits is kept for the next poll, which ends at
    // once with no device event however long it was given.
    io->Wake();
    EXPECT_EQ(io->Poll(60 * 60 * 1000), 0);
    // And one from another thread ends a poll under way. Without it the poll
    // would wait an hour and the test time out.
    std::thread waker([&] { io->Wake(); });
    EXPECT_EQ(io->Poll(60 * 60 * 1000), 0);
    waker.join();
}

} // namespace
