// The texts of the items the lot and export buttons add to the sample list.
#pragma once

#include <string>
#include <string_view>

namespace granomet {

// "007 : 012  M-12": the row, the order number, two blanks and the name.
std::string lotListItem(int row, int orderNumber, std::string_view name);

// "012  M-12": the order number, two blanks and the name. Repeated order numbers
// are found by these first three characters.
std::string exportListItem(int orderNumber, std::string_view name);

}  // namespace granomet
