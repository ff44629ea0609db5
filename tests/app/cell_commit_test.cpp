#include "app/cell_commit.h"

#include <gtest/gtest.h>

namespace habitopia {
namespace {

class CellCommitTest : public ::testing::Test {
 protected:
  CellCommitTest() {
    SetCell(model_, {10, 20, 30, 90, 90, 90});
    accepted_ = {model_.cell, model_.cellLengthMean};
  }
  CrystalModel model_;
  AcceptedCell accepted_;
};

TEST_F(CellCommitTest, LengthsAreKeptDividedByTheirMean) {
  CellTexts texts{"3", "6", "9", "90", "100", "90"};
  const CellCommit commit = CommitCell(model_, texts, accepted_, false);
  EXPECT_TRUE(commit.ok);
  EXPECT_TRUE(commit.changed) << "beta changed";
  EXPECT_EQ(model_.cellLengthMean, 6);
  EXPECT_NEAR(static_cast<double>(model_.cell.a), 0.5, 1e-15);
  EXPECT_NEAR(static_cast<double>(model_.cell.c), 1.5, 1e-15);
  EXPECT_EQ(model_.cell.beta, 100);
  EXPECT_EQ(CellBoxTexts(model_.cell, model_.cellLengthMean, false),
            (CellTexts{"3", "6", "9", "90", "100", "90"}));
}

TEST_F(CellCommitTest, OnlyLengthRatiosBeyondTheToleranceCountAsAChange) {
  CellTexts scaled{"1", "2", "3", "90", "90", "90"};
  EXPECT_FALSE(CommitCell(model_, scaled, accepted_, false).changed) << "same ratios, other mean";
  CellTexts close{"1.0005", "2", "3", "90", "90", "90"};
  EXPECT_FALSE(CommitCell(model_, close, accepted_, false).changed);
  CellTexts beyond{"1.01", "2", "3", "90", "90", "90"};
  EXPECT_TRUE(CommitCell(model_, beyond, accepted_, false).changed);
  CellTexts angle{"1.01", "2", "3", "90", "90", "90.0001"};
  EXPECT_TRUE(CommitCell(model_, angle, accepted_, false).changed) << "any angle difference";
}

TEST_F(CellCommitTest, RefusedInputPutsTheAcceptedCellBack) {
  for (CellTexts texts :
       {CellTexts{"1", "1", "0", "90", "90", "90"}, CellTexts{"1", "x", "1", "90", "90", "90"},
        CellTexts{"1", "1", "-1", "90", "90", "90"}, CellTexts{"1", "1", "1", "90", "90", "180"},
        CellTexts{"1", "1", "1", "10", "10", "100"}}) {
    const CellCommit commit = CommitCell(model_, texts, accepted_, false);
    EXPECT_FALSE(commit.ok) << texts[2];
    EXPECT_FALSE(model_.cellChanged);
    EXPECT_EQ(model_.cell, accepted_.cell);
    EXPECT_EQ(model_.cellLengthMean, 20);
    EXPECT_EQ(texts, (CellTexts{"10", "20", "30", "90", "90", "90"}));
  }
}

TEST_F(CellCommitTest, TheUsersDecimalSeparatorIsReadAndWritten) {
  CellTexts texts{"1,5", "1,5", "1,5", "90", "90", "120"};
  ASSERT_TRUE(CommitCell(model_, texts, accepted_, true).ok);
  EXPECT_EQ(CellBoxTexts(model_.cell, model_.cellLengthMean, true)[0], "1,5");
  CellTexts point{"1.5", "1.5", "1.5", "90", "90", "120"};
  EXPECT_FALSE(CommitCell(model_, point, accepted_, true).ok);
}

}  // namespace
}  // namespace habitopia
