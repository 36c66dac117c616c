// The writer's own model of the cursor, which large characters and boxes start from where
// the terminal cannot be asked: no wrapping at the right edge, tabs clamped to it.
#include "screen/writer.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace vtx {
namespace {

// A writer on an 80 x 25 screen whose bytes go nowhere.
class WriterModel : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = dup(STDOUT_FILENO);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
        w_.width = 80;
        w_.height = 25;
    }
    void TearDown() override {
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
    }
    // Where the model stands after `text` written from (column, row).
    std::pair<int, int> after(int column, int row, std::string_view text) {
        w_.cursor_column = column;
        w_.cursor_row = row;
        w_.write_stdout(text);
        return {w_.cursor_column, w_.cursor_row};
    }
    Writer w_;
    int saved_ = -1;
};

TEST_F(WriterModel, TextStopsAtTheLastColumn) {
    EXPECT_EQ(after(72, 3, "text"), std::make_pair(76, 3));
    EXPECT_EQ(after(76, 3, "BIG"), std::make_pair(79, 3));
    EXPECT_EQ(after(78, 3, "BIG"), std::make_pair(79, 3)); // no wrap to the next row
    EXPECT_EQ(after(79, 3, "\b"), std::make_pair(78, 3));
    EXPECT_EQ(after(79, 24, "\r\n"), std::make_pair(0, 24));             // the bottom row scrolls
    EXPECT_EQ(after(70, 3, "\xc3\xa9t\xc3\xa9"), std::make_pair(73, 3)); // UTF-8: 3 cells
}

TEST_F(WriterModel, TabsGoToTheNextStopButNeverPastTheEdge) {
    EXPECT_EQ(after(0, 0, "\t"), std::make_pair(8, 0));
    EXPECT_EQ(after(8, 0, "\t"), std::make_pair(16, 0));
    EXPECT_EQ(after(70, 0, "\t"), std::make_pair(72, 0));
    EXPECT_EQ(after(72, 0, "\t"), std::make_pair(79, 0));
    EXPECT_EQ(after(79, 0, "\tx"), std::make_pair(79, 0));
}

} // namespace
} // namespace vtx
