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
  for (const auto& [name, request, shown, passing] :
       {std::tuple{"as many as the limit", warning, 3, 3},
        {"a thousand", warning, 1000, 3},
        {"single warnings", {"otro", "", MessageButtons::Ok, MessageIcon::Warning}, 5, 5},
        // Marked by mistake, still shown: an answer or an error must reach the user.
        {"questions", marked(MessageButtons::YesNo, MessageIcon::Warning), 5, 5},
        {"errors", marked(MessageButtons::Ok, MessageIcon::Error), 5, 5}}) {
    SCOPED_TRACE(name);
    WarningLimit limit(3);
    limit.startPress();
    int passed = 0;
    for (int i = 0; i < shown; ++i) {
      passed += limit.passes(request) ? 1 : 0;
    }
    EXPECT_EQ(passed, passing);
    EXPECT_EQ(limit.endPress(), shown - passing);
    EXPECT_TRUE(limit.passes(request)) << "between presses";
    limit.startPress();
    EXPECT_TRUE(limit.passes(request)) << "each press counts afresh";
  }
}

}  // namespace
}  // namespace granomet
