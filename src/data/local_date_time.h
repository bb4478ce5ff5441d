// A moment of the local calendar and clock, as the lab's dates and file names print it.
#pragma once

namespace granomet {

struct LocalDateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;  // 0..23
  int minute = 0;
  int second = 0;
};

}  // namespace granomet
