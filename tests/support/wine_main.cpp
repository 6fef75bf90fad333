// Entry point of the test programs that run under Wine.
//
// GoogleTest's console printer also hands every failure to
// OutputDebugStringA on Windows. Under Wine on a machine that emulates the
// 32-bit half, the debug exception that call raises kills the process, so a
// failing check looked like a crash and the remaining tests never ran. This
// printer forwards everything to GoogleTest's own, except that it writes
// failure messages to the console alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

class ConsoleOnlyPrinter : public ::testing::TestEventListener {
public:
    explicit ConsoleOnlyPrinter(::testing::TestEventListener* inner) : inner_(inner) {}

    void OnTestProgramStart(const ::testing::UnitTest& u) override { inner_->OnTestProgramStart(u); }
    void OnTestIterationStart(const ::testing::UnitTest& u, int i) override { inner_->OnTestIterationStart(u, i); }
    void OnEnvironmentsSetUpStart(const ::testing::UnitTest& u) override { inner_->OnEnvironmentsSetUpStart(u); }
    void OnEnvironmentsSetUpEnd(const ::testing::UnitTest& u) override { inner_->OnEnvironmentsSetUpEnd(u); }
    void OnTestSuiteStart(const ::testing::TestSuite& s) override { inner_->OnTestSuiteStart(s); }
    void OnTestStart(const ::testing::TestInfo& t) override { inner_->OnTestStart(t); }
    void OnTestDisabled(const ::testing::TestInfo& t) override { inner_->OnTestDisabled(t); }
    void OnTestEnd(const ::testing::TestInfo& t) override { inner_->OnTestEnd(t); }
    void OnTestSuiteEnd(const ::testing::TestSuite& s) override { inner_->OnTestSuiteEnd(s); }
    void OnEnvironmentsTearDownStart(const ::testing::UnitTest& u) override { inner_->OnEnvironmentsTearDownStart(u); }
    void OnEnvironmentsTearDownEnd(const ::testing::UnitTest& u) override { inner_->OnEnvironmentsTearDownEnd(u); }
    void OnTestIterationEnd(const ::testing::UnitTest& u, int i) override { inner_->OnTestIterationEnd(u, i); }
    void OnTestProgramEnd(const ::testing::UnitTest& u) override { inner_->OnTestProgramEnd(u); }

    void OnTestPartResult(const ::testing::TestPartResult& result) override {
        if (result.type() == ::testing::TestPartResult::kSuccess) return;
        const char* kind = result.skipped() ? "Skipped" : "Failure";
        const char* file = result.file_name() ? result.file_name() : "unknown file";
        if (result.line_number() >= 0)
            std::printf("%s:%d: %s\n%s\n", file, result.line_number(), kind, result.message());
        else
            std::printf("%s: %s\n%s\n", file, kind, result.message());
        std::fflush(stdout);
    }

private:
    std::unique_ptr<::testing::TestEventListener> inner_;
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
    if (::testing::TestEventListener* printer = listeners.Release(listeners.default_result_printer()))
        listeners.Append(new ConsoleOnlyPrinter(printer));
    return RUN_ALL_TESTS();
}
