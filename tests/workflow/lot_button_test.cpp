// The lot button: reading, listing, the proposed results name, and every way a lot read fails.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/button_fixture.h"

namespace granomet::testing {
namespace {

constexpr const char* kTitle = "LOTE DE ENTREGA,,,\r\n";
constexpr const char* kHeadings = "Num,Muestra,Long,Lat\r\n(orden),,(grados)\r\n";

std::string header(const std::string& count) {
  return std::string(kTitle) +
         "Proyecto,\"R\xEDo Tinto, M\xE1laga\",IP-0416,Fecha,06/06/2016,A\xF1o," +
         "GOLFO-16,N\xBA," + count + "\r\n" + kHeadings;
}

std::string row(int order, const std::string& name, const std::string& tail = "") {
  return std::to_string(order) + "," + name +
         ",-6.25,36.5,12.5,0-5,Testigo,\"Arena fina, con "
         "conchas\",12.5%,150.5,1.5,2.5,3.5,0.5,1,1.5" +
         tail + "\r\n";
}

std::string lotText(const std::string& count, const std::vector<std::string>& rows) {
  std::string text = header(count);
  for (const std::string& r : rows) {
    text += r;
  }
  return text;
}

using LotButtonTest = ButtonTest;

TEST_F(LotButtonTest, ReadsListsAndProposesTheResultsName) {
  tables().exports.exportSampleCount = 7;
  window().setLabelText(LabelId::Label8, "previous run");
  const auto path =
      write("LOTE12.csv", lotText("3", {row(1, "  M-01 "), row(12, "M-12"), row(3, "\"M 03\"")}));
  pressLot(path);

  EXPECT_EQ(items(ListId::List1),
            (std::vector<std::string>{"001 : 001  M-01", "002 : 012  M-12", "003 : 003  M 03"}));
  EXPECT_EQ(window().text(TextBoxId::LOTE_file), "LOTE12.csv");
  EXPECT_EQ(window().text(TextBoxId::recalculado_file), "LOTE12_06062016_093005.csv");
  // The record's values reach the results file, which the batch comparisons check.
  EXPECT_EQ(lot().header.lotName, "LOTE12");
  EXPECT_EQ(lot().records[1].name, "M-01");
  EXPECT_EQ(exports().exportSampleCount, 0);
  EXPECT_TRUE(window().enabled(ButtonId::exportbutton));
  EXPECT_TRUE(window().enabled(ButtonId::calculatot));
  EXPECT_EQ(window().dialog().fileName(), "") << "a successful read clears the held name";
  EXPECT_EQ(window().dialog().filterIndex(), 2);
  EXPECT_EQ(window().label(LabelId::Label8).text, "previous run");
  EXPECT_TRUE(window().messages().empty());
}

// A header of zero or fewer samples still loads the lot.
TEST_F(LotButtonTest, HeaderWithoutSamplesLoadsAnEmptyLot) {
  for (const char* count : {"0", "-3"}) {
    SCOPED_TRACE(count);
    pressLot(write("VACIO.csv", lotText(count, {row(1, "M-01")})));
    EXPECT_TRUE(items(ListId::List1).empty());
    EXPECT_EQ(window().text(TextBoxId::recalculado_file), "VACIO_06062016_093005.csv");
    EXPECT_TRUE(window().enabled(ButtonId::exportbutton));
    EXPECT_TRUE(window().enabled(ButtonId::calculatot));
    EXPECT_EQ(lot().records[1].name, "");
  }
}

TEST_F(LotButtonTest, ANameWithoutExtensionKeepsTheBareNameAndTheOldLotName) {
  pressLot(write("LOTE1.csv", lotText("1", {row(1, "A")})));
  pressLot(write("LOTE2", lotText("1", {row(1, "B")})));
  ASSERT_EQ(window().messages().size(), 1u);
  EXPECT_EQ(window().messages()[0].request.prompt,
            "Error aproximadamente en la muestra 1\n\nLOTE2: el nombre del fichero no tiene "
            "extensi\xF3n (falta el punto).");
  EXPECT_FALSE(window().enabled(ButtonId::exportbutton));
  EXPECT_EQ(window().text(TextBoxId::LOTE_file), "LOTE2");
  EXPECT_EQ(lot().header.lotName, "LOTE1");
  EXPECT_EQ(lot().records[1].name, "B");
}

TEST_F(LotButtonTest, CancellingAfterAFailedReadReadsTheSameFileAgain) {
  const auto path = write("MALO.csv", lotText("1", {row(255, "A")}));
  pressLot(path);
  pressLot(std::nullopt);
  EXPECT_EQ(window().dialog().shownNames().back(), path);
  ASSERT_EQ(window().messages().size(), 2u);
  EXPECT_EQ(window().messages()[1].request.prompt, window().messages()[0].request.prompt);
}

TEST_F(LotButtonTest, RecordsPersistAcrossLotsAndRepeatsKeepTheLaterRow) {
  pressLot(write("A.csv", lotText("2", {row(1, "A1"), row(2, "A2")})));
  pressLot(write("B.csv", lotText("2", {row(1, "B1"), row(1, "B1bis")})));
  EXPECT_EQ(items(ListId::List1), (std::vector<std::string>{"001 : 001  B1", "002 : 001  B1bis"}));
  EXPECT_EQ(lot().records[1].name, "B1bis");
  EXPECT_EQ(lot().records[2].name, "A2") << "a record the new lot lacks keeps the old values";
  EXPECT_EQ(lot().header.lotName, "B");
}

TEST_F(LotButtonTest, OrderNumber254IsStored) {
  pressLot(write("L.csv", lotText("1", {row(254, "ULTIMA")})));
  EXPECT_EQ(lot().records[254].name, "ULTIMA");
  EXPECT_TRUE(window().messages().empty());
}

TEST_F(LotButtonTest, AHeaderLineWithMoreFieldsTakesTheRestOfItAsAHeadingLine) {
  std::string text = header("1");
  text.insert(text.find("\r\n", text.find("GOLFO")), ",extra,fields");
  // The rest of line 2 and line 3 are the two lines read and discarded, so line 4
  // (the units) is read as the first row and fails on its order number.
  pressLot(write("L.csv", text + row(1, "A")));
  ASSERT_EQ(window().messages().size(), 1u);
  EXPECT_EQ(window().messages()[0].request.prompt.substr(0, 37),
            "Error aproximadamente en la muestra 0");
}

}  // namespace
}  // namespace granomet::testing
