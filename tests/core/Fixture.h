#pragma once
// A fresh program with the stand-in platform, living in a temporary
// program directory of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/State.h"
#include "platform/standin/StandIn.h"

namespace velmora::testing {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetProgramState();
        standin::reset();
        dir_ = std::filesystem::temp_directory_path() /
               ("velmora-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter()++));
        std::filesystem::create_directories(dir_);
        programPaths() = {dir_.string(), "Velmora.exe"};
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Creates a file in the program directory (name in GBK).
    std::string touch(const std::string& name) {
        const std::string path = programPaths().besideExecutable(name);
        std::filesystem::path host = dir_ / name;
        std::FILE* f = std::fopen(host.c_str(), "wb");
        std::fputs("BM", f);
        std::fclose(f);
        return path;
    }

    standin::State& platform() { return standin::state(); }
    MainControls& ui() { return controls(); }
    SwitchState& state() { return switchState(); }

    std::filesystem::path dir_;

private:
    static int& counter() {
        static int n = 0;
        return n;
    }
};

}  // namespace velmora::testing
