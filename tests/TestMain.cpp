// The main of the headless test programs: each case starts from the program's start-up
// state, in an empty working directory of its own that goes when the case ends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/ProgramState.h"

namespace {

class FreshCase : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override {
    home_ = std::filesystem::current_path();
    char dir[] = "/tmp/ploxen-test-XXXXXX";
    if (!mkdtemp(dir)) std::abort();
    dir_ = dir;
    std::filesystem::current_path(dir_);
    ResetProgramState();
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    std::filesystem::current_path(home_);
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path home_, dir_;
};

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new FreshCase);
  return RUN_ALL_TESTS();
}
