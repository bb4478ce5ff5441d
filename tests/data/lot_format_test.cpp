// Telling how a lot was saved from its header line, where the lot runs cannot show it: semicolons,
// tabs, a header cut short and the refusal's separator and count are the failure table's rows.
#include "data/lot_format.h"

#include <gtest/gtest.h>

#include <string>

namespace granomet {
namespace {

// A quote open to the end is taken as commas: their reading then says where the file ends.
TEST(LotFormat, CommasWhereTheHeaderLineHasMoreThanNineFieldsOrAQuoteOpenToTheEnd) {
  const FieldFormat commas{',', '.', false};
  for (const std::string header : {"P,\"Estudio, M\xE1laga\",IP,F,6/6,C,G,N,12\r\n",
                                   "a,b,c,d,e,f,g,h,12,,,\r\n", "P,\"E,IP\r\n"}) {
    EXPECT_EQ(lotFormatOf("LOTE DE ENTREGA,,,\r\n" + header), commas) << header;
  }
}

}  // namespace
}  // namespace granomet
