// Display pictures and list formats.
#include "ui/picture.h"

#include <gtest/gtest.h>

#include "ui/list_format.h"

namespace fin::ui {
namespace {

Picture pic(const char* written) {
  auto p = Picture::parse(written);
  EXPECT_TRUE(p) << written;
  return p.value_or(Picture::text(1));
}

TEST(Picture, FormatsNumbers) {
  struct Case {
    const char* picture;
    int64_t units;
    int places;
    const char* shown;
  } cases[] = {
      {"@n-14.2", 123456, 2, "      1,234.56"},
      {"@n-14.2", -99999999999, 2, "-999,999,999.99"},  // wider than the picture: shown whole
      {"@n-14.2", 0, 2, "          0.00"},
      {"@n12.2", 999999999, 2, "9,999,999.99"},
      {"@n12.2", 5, 2, "        0.05"},
      {"@n12.2b", 0, 2, ""},
      {"@n12.2b", 1, 2, "        0.01"},
      {"@n_4", 2026, 0, "2026"},
      {"@n_4", 7, 0, "   7"},
      {"@N3", 42, 0, " 42"},
      {"@n-14.2", 12345, 3, "         12.35"},  // rounded half away from zero
      {"@n-14.2", -12345, 3, "        -12.35"},
      {"@n09", 123, 0, "000000123"},
      {"@p<<#p", 7, 0, "  7"},
      {"@p<<#p", 123, 0, "123"},
      {"@p<<#p", 0, 0, "  0"},
  };
  for (const Case& c : cases) EXPECT_EQ(pic(c.picture).formatNumber(c.units, c.places), c.shown) << c.picture;
}

TEST(Picture, ParsesWhatItAcceptsAndRefusesTheRest) {
  struct Case {
    const char* picture;
    const char* typed;
    std::optional<int64_t> units;  // hundredths
  } cases[] = {
      {"@n12.2", "1234.5", 123450},
      {"@n12.2", "1,234.50", 123450},
      {"@n12.2", "  9999999.99 ", 999999999},
      {"@n12.2", "10000000", std::nullopt},  // beyond 9,999,999.99: refused, never wrapped
      {"@n12.2", "12.345", std::nullopt},     // more decimals than shown
      {"@n12.2", "12.340", 1234},             // a trailing zero is no extra decimal
      {"@n12.2", "-5", std::nullopt},         // no sign in an unsigned picture
      {"@n-14.2", "-5", -500},
      {"@n12.2", "", 0},
      {"@n12.2", "abc", std::nullopt},
      {"@n12.2", "1.2.3", std::nullopt},
      {"@p<<#p", "12", 1200},
      {"@p<<#p", "1234", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(pic(c.picture).parseNumber(c.typed, 2), c.units) << c.picture << " " << c.typed;
}

TEST(Picture, Dates) {
  const Picture d6 = pic("@d6");
  EXPECT_EQ(d6.formatDate(*Date::fromYmd(2026, 3, 5)), "05/03/2026");
  EXPECT_EQ(d6.formatDate(Date()), "");
  struct Case {
    const char* typed;
    std::optional<Date> date;
  } cases[] = {
      {"05/03/2026", Date::fromYmd(2026, 3, 5)}, {"5/3/2026", Date::fromYmd(2026, 3, 5)},
      {"5-3-26", Date::fromYmd(2026, 3, 5)},     {"05031999", Date::fromYmd(1999, 3, 5)},
      {"31/12/85", Date::fromYmd(1985, 12, 31)}, {"", Date()},
      {"30/02/2026", std::nullopt},               {"5/13/2026", std::nullopt},
      {"hoy", std::nullopt},                      {"1/2/20266", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(d6.parseDate(c.typed), c.date) << c.typed;
}

TEST(Picture, TextsKeepTheirWidthAndCharacterSet) {
  const Picture s5 = pic("@s5");
  EXPECT_TRUE(s5.acceptsText("Añoño"));
  EXPECT_TRUE(s5.acceptsText("abcde   "));
  EXPECT_FALSE(s5.acceptsText("abcdef"));
  EXPECT_FALSE(s5.acceptsText("日本"));
  for (const char* bad : {"@x4", "@s", "@n", "@d7", "@p", "@n12.2q"}) EXPECT_FALSE(Picture::parse(bad)) << bad;
  EXPECT_EQ(pic("@n12.2").integerDigits(), 7);
  EXPECT_EQ(pic("@n-14.2").integerDigits(), 8);
}

TEST(ListFormat, ParsesColumns) {
  auto cols = parseListFormat("187L(2)|M*~Descripción~@s30@56R(1)|M*~Ingresos~@n-14.2@");
  ASSERT_TRUE(cols);
  ASSERT_EQ(cols->size(), 2u);
  EXPECT_EQ((*cols)[0].width, 187);
  EXPECT_EQ((*cols)[0].justify, Justify::Left);
  EXPECT_EQ((*cols)[0].indent, 2);
  EXPECT_TRUE((*cols)[0].resizable);
  EXPECT_TRUE((*cols)[0].colored);
  EXPECT_EQ((*cols)[0].header, "Descripción");
  EXPECT_EQ((*cols)[0].picture, "@s30");
  EXPECT_EQ((*cols)[1].justify, Justify::Right);
  EXPECT_EQ((*cols)[1].indent, 1);
  EXPECT_EQ((*cols)[1].picture, "@n-14.2");
  auto plain = parseListFormat("160L(2)|M~Nombre~@s40@");
  ASSERT_TRUE(plain);
  EXPECT_FALSE((*plain)[0].colored);
  for (const char* bad : {"", "80X|M~a~@s4@", "80L(2|M~a~@s4@", "80L|M~a@s4@", "80L|M~a~"})
    EXPECT_FALSE(parseListFormat(bad)) << bad;
}

}  // namespace
}  // namespace fin::ui
