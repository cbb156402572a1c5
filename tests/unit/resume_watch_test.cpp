#include "core/resume_watch.h"

#include <gtest/gtest.h>

namespace norvaket {
namespace {

struct MessageCase {
  std::uint32_t message;
  std::uint64_t wparam;
  bool resume;
};

class ResumeMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(ResumeMessageTest, OnlyResumeNoticesCount) {
  int resumes = 0;
  ResumeWatch watch([&] { ++resumes; });
  watch.Examine(GetParam().message, GetParam().wparam);
  EXPECT_EQ(resumes, GetParam().resume ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ResumeMessageTest,
    ::testing::Values(MessageCase{0x48, 2, true}, MessageCase{0x48, 3, true},
                      MessageCase{0x48, 1, false}, MessageCase{0x218, 0x12, true},
                      MessageCase{0x218, 6, true}, MessageCase{0x218, 7, true},
                      MessageCase{0x218, 10, false}, MessageCase{0x218, 4, false},
                      MessageCase{0x218, 0, false}, MessageCase{0x200, 7, false},
                      MessageCase{0x10, 2, false}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(ResumeWatchTest, MessagesArrivingDuringAnExaminationAreNotExamined) {
  int resumes = 0;
  ResumeWatch* self = nullptr;
  ResumeWatch watch([&] {
    ++resumes;
    EXPECT_TRUE(self->Busy());
    self->Examine(0x218, 7);  // sent by the shell while the evaluation runs
  });
  self = &watch;
  watch.Examine(0x218, 7);
  EXPECT_EQ(resumes, 1);
  EXPECT_FALSE(watch.Busy());
  watch.Examine(0x48, 2);
  EXPECT_EQ(resumes, 2);
}

}  // namespace
}  // namespace norvaket
