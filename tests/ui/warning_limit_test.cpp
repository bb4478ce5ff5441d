// Which messages a window holds back during one press: only per-sample warnings past the limit.
#include "ui/warning_limit.h"

#include <gtest/gtest.h>

namespace granomet {
namespace {

MessageRequest marked(MessageButtons buttons, MessageIcon icon) {
  return {"aviso", "", buttons, icon, false, true};  // marked as a per-sample warning
}

TEST(WarningLimit, HoldsBackOnlyPerSampleWarningsPastTheLimitOfAPress) {
  const MessageRequest warning = marked(MessageButtons::Ok, MessageIcon::Warning);
  const struct {
    const char* name;
    MessageRequest request;
    int shown;
    int passed;
  } cases[] = {
      {"as many as the limit", warning, 3, 3},
      {"a thousand", warning, 1000, 3},
      {"single warnings", {"otro", "", MessageButtons::Ok, MessageIcon::Warning}, 5, 5},
      // Marked by mistake, still shown: an answer or an error must reach the user.
      {"questions", marked(MessageButtons::YesNo, MessageIcon::Warning), 5, 5},
      {"errors", marked(MessageButtons::Ok, MessageIcon::Error), 5, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WarningLimit limit(3);
    limit.startPress();
    int passed = 0;
    for (int i = 0; i < c.shown; ++i) {
      passed += limit.passes(c.request) ? 1 : 0;
    }
    EXPECT_EQ(passed, c.passed);
    EXPECT_EQ(limit.endPress(), c.shown - c.passed);
    EXPECT_TRUE(limit.passes(c.request)) << "between presses";
    limit.startPress();
    EXPECT_TRUE(limit.passes(c.request)) << "each press counts afresh";
  }
}

}  // namespace
}  // namespace granomet
