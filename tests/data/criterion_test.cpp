#include "data/criterion.h"

#include <gtest/gtest.h>

#include "data/cp1252.h"

namespace fin {
namespace {

TEST(Criterion, BuildsAndParsesWithQuotesDoubled) {
  EXPECT_EQ(Criterion::build("ban:Nombre", "*sur*"), "MATCH(ban:Nombre,'*sur*',17)");
  EXPECT_EQ(Criterion::build("ban:Nombre  ", "O'Brien   "), "MATCH(ban:Nombre,'O''Brien',17)");
  auto c = Criterion::parse("MATCH(ban:Nombre,'O''Brien (sur)',17)");
  ASSERT_TRUE(c);
  EXPECT_EQ(c->name(), "ban:Nombre");
  EXPECT_EQ(c->pattern(), "O'Brien (sur)");
  auto empty = Criterion::parse("MATCH(loc:saldo,'',17)");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->pattern(), "");
  for (const char* bad : {"", "MATCH(ban:Nombre,'x',3)", "MATCH(ban:Nombre,'x)", "MATCH(,'x',17)",
                          "MATCH(ban:Nombre,'x',17) OR 1"})
    EXPECT_FALSE(Criterion::parse(bad)) << bad;
}

TEST(Criterion, WildcardsIgnoreCase) {
  struct Case {
    const char* value;
    const char* pattern;
    bool match;
  } cases[] = {
      {"Banco del Sur", "*sur*", true},   {"Banco del Sur", "*SUR", true},   {"Banco del Sur", "sur", false},
      {"Computer", "Co??uter", true},     {"Compiler", "Co??uter", false},  {"ÑANDÚ", "*ñandú*", true},
      {"abc   ", "abc", true},            {"", "*", true},                  {"", "?", false},
      {"a*b", "a*b", true},               {"aXXbYYb", "a*b", true},          {"O'Brien", "*'*", true},
      {"(sur)", "(*)", true},             {"1,234.50", "1*", true},          {"mississippi", "*sis*ip*", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(wildcardMatch(*cp1252::fromUtf8(c.value), *cp1252::fromUtf8(c.pattern)), c.match)
        << c.value << " ~ " << c.pattern;
}

}  // namespace
}  // namespace fin
