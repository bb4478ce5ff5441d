#include "workflow/list_items.h"

#include <cstdio>

namespace granomet {
namespace {

std::string threeDigits(int number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%03d", number);
  return digits;
}

}  // namespace

std::string lotListItem(int row, int orderNumber, std::string_view name) {
  return threeDigits(row) + " : " + threeDigits(orderNumber) + "  " + std::string(name);
}

std::string exportListItem(int orderNumber, std::string_view name) {
  return threeDigits(orderNumber) + "  " + std::string(name);
}

}  // namespace granomet
