// Which messages a window holds back during one press: only per-sample warnings past the limit.
#include "ui/warning_limit.h"

#include <gtest/gtest.h>

#include <vector>

namespace granomet {
namespace {

MessageRequest perSampleWarning() {
  MessageRequest warning{"aviso", "", MessageButtons::Ok, MessageIcon::Warning};
  warning.perSampleWarning = true;
  return warning;
}

// A per-sample warning that is also a question or an error: marked by mistake, still shown.
MessageRequest markedQuestion() {
  MessageRequest question = perSampleWarning();
  question.buttons = MessageButtons::YesNo;
  return question;
}
MessageRequest markedError() {
  MessageRequest error = perSampleWarning();
  error.icon = MessageIcon::Error;
  return error;
}

TEST(WarningLimit, HoldsBackOnlyPerSampleWarningsPastTheLimitOfAPress) {
  const MessageRequest single{"otro", "", MessageButtons::Ok, MessageIcon::Warning};
  const struct {
    const char* name;
    std::vector<MessageRequest> shown;
    int passed;
    int heldBack;
  } cases[] = {
      {"as many as the limit", std::vector<MessageRequest>(3, perSampleWarning()), 3, 0},
      {"one more than the limit", std::vector<MessageRequest>(4, perSampleWarning()), 3, 1},
      {"a thousand", std::vector<MessageRequest>(1000, perSampleWarning()), 3, 997},
      {"single warnings", std::vector<MessageRequest>(5, single), 5, 0},
      {"questions", std::vector<MessageRequest>(5, markedQuestion()), 5, 0},
      {"errors", std::vector<MessageRequest>(5, markedError()), 5, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WarningLimit limit(3);
    limit.startPress();
    int passed = 0;
    for (const MessageRequest& request : c.shown) {
      passed += limit.passes(request) ? 1 : 0;
    }
    EXPECT_EQ(passed, c.passed);
    EXPECT_EQ(limit.endPress(), c.heldBack);
  }
}

TEST(WarningLimit, EachPressCountsAfreshAndNothingIsHeldBackBetweenPresses) {
  WarningLimit limit(1);
  limit.startPress();
  EXPECT_TRUE(limit.passes(perSampleWarning()));
  EXPECT_FALSE(limit.passes(perSampleWarning()));
  EXPECT_EQ(limit.endPress(), 1);
  EXPECT_TRUE(limit.passes(perSampleWarning()));
  EXPECT_TRUE(limit.passes(perSampleWarning()));
  limit.startPress();
  EXPECT_TRUE(limit.passes(perSampleWarning()));
  EXPECT_EQ(limit.endPress(), 0);
}

}  // namespace
}  // namespace granomet
