// A file written whole: the new content in full, or the old one untouched and nothing left beside
// it.
#include "results/whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "support/test_data.h"

namespace granomet {
namespace {

namespace fs = std::filesystem;

class WholeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("granomet_whole_file_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::ofstream(target()) << "antes";
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path target() const { return folder_ / "tabla.csv"; }
  int entries() const {
    return static_cast<int>(std::distance(fs::directory_iterator(folder_), {}));
  }

  fs::path folder_;
};

TEST_F(WholeFileTest, PiecesOfEverySizeArriveInOrder) {
  // Pieces below, at and above the block the sink passes on at once.
  const std::string small(1000, 'a');
  const std::string large((std::size_t{1} << 20) + 7, 'b');
  std::string expected;
  ASSERT_TRUE(writeWholeFile(target(), [&](WholeFileSink& sink) {
    for (const std::string* piece : {&small, &large, &small, &small, &large}) {
      sink.write(*piece);
      expected += *piece;
    }
    return true;
  }));
  EXPECT_EQ(testing::fileBytes(target()), expected);
  EXPECT_EQ(entries(), 1);
}

TEST_F(WholeFileTest, GivingUpOrFailingLeavesTheOldFileAlone) {
  const std::string large((std::size_t{1} << 21), 'c');
  EXPECT_FALSE(writeWholeFile(target(), [&](WholeFileSink& sink) {
    sink.write(large);
    return false;
  }));
  EXPECT_EQ(testing::fileBytes(target()), "antes");
  EXPECT_EQ(entries(), 1);

  EXPECT_THROW(writeWholeFile(target(),
                              [&](WholeFileSink& sink) -> bool {
                                sink.write(large);
                                throw std::runtime_error("el dibujo falló");
                              }),
               std::runtime_error);
  EXPECT_EQ(testing::fileBytes(target()), "antes");
  EXPECT_EQ(entries(), 1);
}

}  // namespace
}  // namespace granomet
