// The decimal mark of a locale name against Qt's own answer, which the window and the
// command-line programs must share without the programs loading Qt.
#include "ui/locale_decimal_mark.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QString>
#include <set>
#include <string>

namespace {

// Qt's mark for the name, a point where Qt's is outside ASCII.
char qtMark(const std::string& name) {
  const QString mark = QLocale(QString::fromStdString(name)).decimalPoint();
  return mark.size() == 1 && mark.front().unicode() < 0x80
             ? static_cast<char>(mark.front().unicode())
             : '.';
}

// The names a user sets, in the forms the system gives them or spelt otherwise; and every
// language Qt knows, alone and with each territory it has data for.
TEST(LocaleDecimalMark, AgreesWithQt) {
  std::set<std::string> names = {
      // The lab's own, in the forms the system gives them.
      "es_ES", "es_ES.UTF-8", "es_ES.utf8", "es_ES@euro", "es_ES.ISO-8859-15@euro", "es", "es_AR",
      "es_CL", "es_MX.UTF-8", "es_US", "es_419", "ca_ES", "ca_ES.UTF-8@valencia", "ca_AD", "gl_ES",
      "eu_ES", "pt_PT", "pt_BR", "fr_FR", "fr_CH", "de_DE", "de_AT", "de_CH.UTF-8", "de_LI",
      "it_IT", "it_CH", "en_US.UTF-8", "en_GB", "en_DK.UTF-8", "en_ZA", "en_IE", "nl_NL", "ru_RU",
      "sr_Latn_RS", "no_NO", "ar_EG", "ar_MA", "fa_IR",
      // The C locale and what is no locale at all.
      "C", "POSIX", "C.UTF-8", "C.utf8", "c", "posix", "",
      // Spelt otherwise, or not a name: Qt's reading either way.
      "es-ES", "ES_es", "es_es", "ES", "es__ES", "es_ES_x", "es_E", "es_ESP", "_ES", "e", "xx_YY",
      " es_ES", "es_ES ", "garbage", "1234", "es_Latn", "@euro", ".UTF-8"};
  for (const QLocale& locale :
       QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
    const std::string language = QLocale::languageToCode(locale.language()).toStdString();
    names.insert(language);
    names.insert(language + "_" + QLocale::territoryToCode(locale.territory()).toStdString());
  }
  ASSERT_GT(names.size(), 500u);
  for (const std::string& name : names) {
    EXPECT_EQ(granomet::localeDecimalMark(name), qtMark(name)) << '"' << name << '"';
  }
}

TEST(LocaleDecimalMark, TakesLcAllThenLcNumericThenLang) {
  for (const auto& [lcAll, lcNumeric, lang, expected] : {std::tuple{"C", "es_ES", "es_ES", "C"},
                                                         {"", "es_ES", "C", "es_ES"},
                                                         {"", "", "es_ES", "es_ES"},
                                                         {"", "", "", ""}}) {
    EXPECT_EQ(granomet::numericLocaleName(lcAll, lcNumeric, lang), expected) << expected;
  }
}

}  // namespace
