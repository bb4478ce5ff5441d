// Telling how a lot was saved from its header line.
#include "data/lot_format.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace granomet {
namespace {

constexpr const char* kTitle = "LOTE DE ENTREGA,,,\r\n";

struct FormatCase {
  const char* name;
  std::string bytes;
  std::optional<FieldFormat> format;  // nullopt: refused
  char separatorFound = '\0';
  int fields = 0;
};

TEST(LotFormat, IsTakenFromTheHeaderLine) {
  const FieldFormat commas{',', '.', false};
  const FieldFormat semicolons{';', ',', false};
  const FormatCase cases[] = {
      {"commas", std::string(kTitle) + "P,\"Estudio, M\xE1laga\",IP,F,6/6,C,G,N,12\r\n", commas},
      {"more than nine fields", std::string(kTitle) + "a,b,c,d,e,f,g,h,12,,,\r\n", commas},
      {"semicolons", std::string(kTitle) + "P;Estudio, M\xE1laga;IP;F;6/6;C;G;N;12\r\n",
       semicolons},
      {"a quoted semicolon", std::string(kTitle) + "P;\"a;b\";IP;F;6/6;C;G;N;12\r\n", semicolons},
      // Its reading then says where the file ends.
      {"cut inside the header line", std::string(kTitle) + "P;E;IP", commas},
      {"a quote open to the end", std::string(kTitle) + "P,\"E,IP\r\n", commas},
      {"too few commas", std::string(kTitle) + "P,E,IP,12\r\n", std::nullopt, ',', 4},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      const FieldFormat format = lotFormatOf(c.bytes);
      ASSERT_TRUE(c.format.has_value()) << "not refused";
      EXPECT_EQ(format, *c.format);
    } catch (const LotFormatError& error) {
      ASSERT_FALSE(c.format.has_value()) << "refused";
      EXPECT_EQ(error.separatorFound(), c.separatorFound);
      EXPECT_EQ(error.fields(), c.fields);
    }
  }
}

}  // namespace
}  // namespace granomet
