#include "plat/ErrorStack.h"
#include "plat/SystemError.h"

#include <gtest/gtest.h>

#include <cerrno>

using plat::ErrorStateStack;

namespace {
class ErrorStackTest : public ::testing::Test {
protected:
    void SetUp() override { ErrorStateStack::Get().Clear(); }
    void TearDown() override { ErrorStateStack::Get().Clear(); }
};
} // namespace

TEST_F(ErrorStackTest, EmptyStackYieldsTheEmptyRecord) {
    const plat::ErrorInfo& top = ErrorStateStack::Get().Top();
    EXPECT_EQ(top.code, 0u);
    EXPECT_EQ(top.severity, 0u);
    EXPECT_STREQ(top.message.c_str(), "");
}

TEST_F(ErrorStackTest, NewestOnTopWithOlderNeighbours) {
    auto& errors = ErrorStateStack::Get();
    EXPECT_FALSE(errors.Push(257, 2, "first", "/src/plat/File.cpp", 12));
    EXPECT_FALSE(errors.Push(266, 2, "second"));
    const plat::ErrorInfo& top = errors.Top();
    EXPECT_EQ(top.code, 266u);
    EXPECT_STREQ(top.message.c_str(), "second");
    EXPECT_EQ(top.Newer(), nullptr);
    ASSERT_NE(top.Older(), nullptr);
    EXPECT_STREQ(top.Older()->message.c_str(), "first");
    EXPECT_STREQ(top.Older()->sourceFile.c_str(), "File.cpp");
    EXPECT_EQ(top.Older()->line, 12u);
    EXPECT_EQ(top.Older()->Newer(), &top);
    errors.DropNewerThan(1);
    EXPECT_EQ(errors.Top().code, 257u);
    errors.Clear();
    EXPECT_EQ(errors.Count(), 0u);
}

TEST_F(ErrorStackTest, ReporterIsOwnedAndReplaced) {
    struct Counting : plat::ErrorReporter {
        int* reports;
        int* destroyed;
        Counting(int* r, int* d) : reports(r), destroyed(d) {}
        ~Counting() override { ++*destroyed; }
        void Report(const plat::ErrorStack& stack) override {
            *reports += static_cast<int>(stack.Count());
        }
    };
    int reports = 0, destroyed = 0;
    auto& errors = ErrorStateStack::Get();
    errors.SetReporter(new Counting(&reports, &destroyed));
    errors.Report(); // nothing to report
    errors.Push(1, 2, "x");
    errors.Report();
    EXPECT_EQ(reports, 1);
    errors.SetReporter(nullptr);
    EXPECT_EQ(destroyed, 1);
}

TEST_F(ErrorStackTest, SystemErrorsMapToLibraryCodes) {
    struct Case {
        int error;
        std::uint32_t code;
    };
    const Case cases[] = {
        {ENOENT, 256}, {EACCES, 265}, {EPERM, 265},   {EROFS, 265}, {ENOSPC, 266},
        {EDQUOT, 266}, {EEXIST, 267}, {ENOTDIR, 256}, {EIO, 1},     {EINVAL, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(plat::MapSystemError(c.error), c.code) << c.error;
        EXPECT_FALSE(plat::PushSystemError(c.error));
        const plat::ErrorInfo& top = ErrorStateStack::Get().Top();
        EXPECT_EQ(top.code, c.code);
        EXPECT_EQ(top.severity, 2u);
        EXPECT_FALSE(top.message.IsEmpty());
        const char last = top.message[top.message.Length() - 1];
        EXPECT_TRUE(last != '\n' && last != '\r');
    }
}

TEST_F(ErrorStackTest, StandardMessagesKeepTheirWording) {
    EXPECT_STREQ(plat::StandardMessageText(1), "An error has occurred.");
    EXPECT_STREQ(plat::StandardMessageText(10),
                 "The application encountered an problem while writing to a file (reason: %s).");
    EXPECT_STREQ(plat::StandardMessageText(40), "The application has encountered an error while "
                                                "trying to receive data via a network connection.");
    EXPECT_STREQ(plat::StandardMessageText(0), "");
    EXPECT_STREQ(plat::StandardMessageText(41), "");
}
