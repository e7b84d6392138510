// Field codecs of the record buffer: texts, dates, integers, packed decimals,
// the Windows-1252 conversion and the case-insensitive comparison.
#include <gtest/gtest.h>

#include <vector>

#include "data/collation.h"
#include "data/cp1252.h"
#include "data/decimal.h"
#include "data/record.h"
#include "data/tables.h"

namespace fin {
namespace {

std::vector<uint8_t> bytesOf(const Record& r, FieldId f) {
  const FieldDef& d = fieldDef(f);
  auto all = r.bytes();
  return {all.begin() + d.offset, all.begin() + d.offset + d.bytes};
}

TEST(Cp1252, ConvertsBothWaysAndRefusesWhatItCannotHold) {
  EXPECT_EQ(cp1252::fromUtf8("Añoño €"), std::string("A\xF1o\xF1o \x80"));
  EXPECT_EQ(cp1252::toUtf8("A\xF1o \x80\x9F"), "Año €Ÿ");
  EXPECT_FALSE(cp1252::fromUtf8("日本").has_value());     // no such characters
  EXPECT_FALSE(cp1252::fromUtf8("\xC3").has_value());     // cut sequence
  EXPECT_FALSE(cp1252::fromUtf8("\xC0\x80").has_value()); // overlong form
  EXPECT_EQ(cp1252::toUtf8("\x81"), "\xEF\xBF\xBD");      // undefined byte
  for (int b = 0; b < 256; ++b) {
    auto cp = cp1252::toUnicode(static_cast<uint8_t>(b));
    if (cp) {
      EXPECT_EQ(cp1252::fromUnicode(*cp), b);
    }
  }
}

TEST(TextField, IsPaddedWithSpacesAndRefusesWhatDoesNotFit) {
  Record r(TableId::Bancos);
  ASSERT_TRUE(r.setText(ban::NOMBRE, "Banco del Sur"));
  auto raw = bytesOf(r, ban::NOMBRE);
  EXPECT_EQ(raw.size(), 40u);
  EXPECT_EQ(std::string(raw.begin(), raw.begin() + 13), "Banco del Sur");
  EXPECT_TRUE(std::all_of(raw.begin() + 13, raw.end(), [](uint8_t b) { return b == ' '; }));
  EXPECT_EQ(r.text(ban::NOMBRE), "Banco del Sur");

  ASSERT_TRUE(r.setText(ban::NOMBRE, std::string(40, 'x') + "   "));  // trailing spaces do not count
  Status tooLong = r.setText(ban::NOMBRE, std::string(41, 'y'));
  EXPECT_EQ(tooLong.code(), Code::Invalid);
  Status foreign = r.setText(ban::NOMBRE, "Банк");
  EXPECT_EQ(foreign.code(), Code::Invalid);
  EXPECT_EQ(r.text(ban::NOMBRE), std::string(40, 'x')) << "a refused value leaves the field as it was";

  ASSERT_TRUE(r.setText(ban::NOTAS, std::string(255, 'n')));
  EXPECT_FALSE(r.setText(ban::NOTAS, std::string(256, 'n')));
  ASSERT_TRUE(r.setText(ban::NOTAS, "línea 1\nlínea 2"));
  EXPECT_EQ(r.text(ban::NOTAS), "línea 1\nlínea 2");
}

TEST(ZeroEndedText, KeepsOneByteForItsZero) {
  Record r(TableId::Default);
  ASSERT_TRUE(r.setText(def::UNIDADCARGA, "Litros"));
  auto raw = bytesOf(r, def::UNIDADCARGA);
  EXPECT_EQ(raw, (std::vector<uint8_t>{'L', 'i', 't', 'r', 'o', 's', 0, 0}));
  EXPECT_TRUE(r.setText(def::UNIDADCARGA, "1234567"));
  EXPECT_FALSE(r.setText(def::UNIDADCARGA, "12345678"));
  EXPECT_EQ(r.text(def::UNIDADCARGA), "1234567");
}

TEST(DateField, StoredFormIsDayMonthAndYear) {
  Record r(TableId::Operacio);
  Date d = *Date::fromYmd(2026, 12, 11);
  r.setDate(ope::FECHA, d);
  EXPECT_EQ(bytesOf(r, ope::FECHA), (std::vector<uint8_t>{11, 12, 0xEA, 0x07}));  // 2026 = 0x07EA
  EXPECT_EQ(d.stored(), 2026u * 65536 + 12 * 256 + 11);
  EXPECT_EQ(r.date(ope::FECHA), d);
  EXPECT_FALSE(r.setInteger(ope::FECHA, 2026 * 65536 + 2 * 256 + 30)) << "30 February does not exist";
  EXPECT_TRUE(Date().isNull());
}

TEST(DateField, DayCountArithmetic) {
  struct Case {
    int y, m, d;
    int64_t days;
  } cases[] = {{1970, 1, 1, 0}, {2000, 2, 29, 11016}, {2000, 3, 1, 11017}, {1900, 3, 1, -25508}, {2026, 12, 31, 20818}};
  for (const Case& c : cases) {
    Date date = *Date::fromYmd(c.y, c.m, c.d);
    EXPECT_EQ(date.dayCount(), c.days) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(Date::fromDayCount(c.days), date);
  }
  EXPECT_FALSE(Date::fromYmd(1900, 2, 29).has_value());
  EXPECT_TRUE(Date::fromYmd(2024, 2, 29).has_value());
  EXPECT_LT(*Date::fromYmd(2025, 12, 31), *Date::fromYmd(2026, 1, 1)) << "stored forms compare in calendar order";
}

TEST(IntegerFields, KeepTheirRanges) {
  Record def(TableId::Default);
  EXPECT_TRUE(def.setInteger(def::CPLAZO, -32768));
  EXPECT_EQ(bytesOf(def, def::CPLAZO), (std::vector<uint8_t>{0x00, 0x80}));
  EXPECT_FALSE(def.setInteger(def::CPLAZO, 32768));
  EXPECT_EQ(def.integer(def::CPLAZO), -32768);
  EXPECT_TRUE(def.setInteger(def::CPAGOCHEQUE, 1));
  EXPECT_FALSE(def.setInteger(def::CPAGOCHEQUE, 256));
  Record op(TableId::Operacio);
  EXPECT_TRUE(op.setInteger(ope::ID, 2147483647));
  EXPECT_EQ(bytesOf(op, ope::ID), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x7F}));
  EXPECT_FALSE(op.setInteger(ope::ID, 2147483648));
}

TEST(DecimalField, PacksTwoDigitsAByteWithASignNibble) {
  struct Case {
    FieldId field;
    int64_t value;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {ope::INGRESO, 0, {0x00, 0x00, 0x00, 0x00, 0x00}},
      {ope::INGRESO, 123456, {0x00, 0x00, 0x12, 0x34, 0x56}},  // 1,234.56: digits 000123456
      {ope::INGRESO, 999999999, {0x09, 0x99, 0x99, 0x99, 0x99}},      // 9,999,999.99
      {ope::EGRESO, -1, {0xF0, 0x00, 0x00, 0x00, 0x01}},
      {cin::TOTALINGRESOS, 99999999999, {0x09, 0x99, 0x99, 0x99, 0x99, 0x99}},  // 999,999,999.99
      {cin::TOTALINGRESOS, -99999999999, {0xF9, 0x99, 0x99, 0x99, 0x99, 0x99}},
      {def::ID, 7, {0x07}},
      {def::ID, -7, {0xF7}},
      {def::CCREDITO, 1234567, {0x01, 0x23, 0x45, 0x67}},
      {def::PORCENTAJEIMPUESTO, 1650, {0x00, 0x16, 0x50}},
  };
  for (const Case& c : cases) {
    Record r(c.field.table);
    ASSERT_TRUE(r.setDecimal(c.field, c.value)) << c.value;
    EXPECT_EQ(bytesOf(r, c.field), c.bytes) << c.value;
    EXPECT_EQ(r.decimal(c.field), c.value);
  }
}

TEST(DecimalField, RefusesAValueBeyondItsDigits) {
  struct Case {
    FieldId field;
    int64_t value;
  } cases[] = {{ope::INGRESO, 1000000000}, {ope::INGRESO, -1000000000}, {cin::TOTALINGRESOS, 100000000000},
               {def::ID, 10}, {def::PORCENTAJEIMPUESTO, 100000}};
  for (const Case& c : cases) {
    Record r(c.field.table);
    ASSERT_TRUE(r.setDecimal(c.field, 5));
    Status s = r.setDecimal(c.field, c.value);
    EXPECT_EQ(s.code(), Code::Invalid) << c.value;
    EXPECT_EQ(r.decimal(c.field), 5) << "never wrapped or cut";
  }
  EXPECT_EQ(decimal::toPlainText(-123450, 2), "-1234.50");
  EXPECT_EQ(decimal::toPlainText(5, 2), "0.05");
}

TEST(Record, ClearAndCompare) {
  Record a(TableId::Deudores);
  ASSERT_TRUE(a.setText(deu::NOMBRE, "Ana"));
  ASSERT_TRUE(a.setText(deu::NOTAS, "nota"));
  ASSERT_TRUE(a.setDecimal(deu::DEBE, 100));
  Record b = a;
  EXPECT_EQ(a, b);
  ASSERT_TRUE(b.setText(deu::NOTAS, "otra"));
  EXPECT_FALSE(a == b);
  a.clear();
  EXPECT_TRUE(a.isEmpty(deu::NOMBRE.index));
  EXPECT_TRUE(a.isEmpty(deu::DEBE.index));
  EXPECT_EQ(a.text(deu::NOTAS), "");
}

TEST(Collation, IgnoresCaseOfLettersAndAccentedPairsAndTrailingSpaces) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  } cases[] = {
      {"ana", "ANA", 0},
      {"Ana   ", "ana", 0},
      {"ÑANDÚ", "ñandú", 0},
      {"ÄÁÅÆÇÉÍÑÓÖÚÜ", "äáåæçéíñóöúü", 0},
      {"à", "À", 1},  // not one of the folded pairs: compares by code (0xE0 > 0xC0)
      {"abc", "abd", -1},
      {"ab", "abc", -1},
      {"Zeta", "ñu", -1},  // Ñ (0xD1) sorts after the ASCII letters
      {"", "   ", 0},
  };
  for (const Case& c : cases) {
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    EXPECT_EQ(sign(collation::compareUtf8(c.a, c.b)), c.sign) << c.a << " / " << c.b;
    EXPECT_EQ(sign(collation::compareUtf8(c.b, c.a)), -c.sign) << c.b << " / " << c.a;
    EXPECT_EQ(sign(collation::compareCp1252(*cp1252::fromUtf8(c.a), *cp1252::fromUtf8(c.b))), c.sign) << c.a;
  }
}

}  // namespace
}  // namespace fin
