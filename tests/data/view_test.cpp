// Views: keyset pages anywhere in a key, own orders (filters, field sorts),
// ordinals, the locator, searches and sums.
#include "data/view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "data/context.h"
#include "data/tables.h"
#include "support/recording_presenter.h"
#include "support/temp_dir.h"

namespace fin {
namespace {

class ViewTest : public ::testing::Test {
 protected:
  static constexpr int kOps = 250;

  ViewTest() : messages(presenter), ctx(dir.path(), messages), open(ctx, {TableId::Operacio}) {
    FileAccess& f = ops();
    std::vector<int> ids(kOps);
    for (int i = 0; i < kOps; ++i) ids[i] = i + 1;
    std::shuffle(ids.begin(), ids.end(), std::mt19937(3));
    EXPECT_TRUE(f.beginBatch());
    for (int id : ids) {
      Record& r = f.buffer();
      r.clear();
      EXPECT_TRUE(r.setInteger(ope::ID, id));
      // Operation n is dated day n/3 from 1 January 2026 (three per day), 0 for every 50th.
      r.setDate(ope::FECHA, id % 50 == 0 ? Date() : Date::fromDayCount(Date::fromYmd(2026, 1, 1)->dayCount() + id / 3));
      EXPECT_TRUE(r.setText(ope::CONCEPTO, "Concepto " + std::string(1, static_cast<char>('a' + id % 26))));
      EXPECT_TRUE(r.setDecimal(ope::INGRESO, id % 2 ? id * 100 : 0));
      EXPECT_TRUE(r.setDecimal(ope::EGRESO, id % 2 ? 0 : id));
      EXPECT_TRUE(f.insert());
    }
    EXPECT_TRUE(f.commitBatch());
  }

  FileAccess& ops() { return ctx.file(TableId::Operacio); }

  // The ids of the whole view, read page by page forward.
  std::vector<int64_t> idsByPages(View& v, int pageSize) {
    std::vector<int64_t> out;
    std::vector<ViewRow> rows;
    for (int64_t first = 0; first < v.count(); first += pageSize) {
      EXPECT_TRUE(v.page(first, pageSize, rows));
      for (const ViewRow& r : rows) out.push_back(r.record.integer(ope::ID));
    }
    return out;
  }

  // The expected order of OPE:KEYFECHA: by date, then insertion.
  std::vector<int64_t> walkIds(KeyId key) {
    std::vector<int64_t> out;
    EXPECT_TRUE(ops().set(key));
    while (ops().next()) out.push_back(ops().buffer().integer(ope::ID));
    return out;
  }

  test::TempDir dir;
  test::RecordingPresenter presenter;
  Messages messages;
  Context ctx;
  TablesInUse open;
};

TEST_F(ViewTest, KeysetPagesCoverTheKeyInOrderFromEitherEnd) {
  View v(ops(), ope::KEYFECHA);
  ASSERT_TRUE(v.reload());
  EXPECT_EQ(v.count(), kOps - kOps / 50);
  const std::vector<int64_t> expected = walkIds(ope::KEYFECHA);
  EXPECT_EQ(idsByPages(v, 30), expected);
  EXPECT_EQ(idsByPages(v, 7), expected);

  // Backwards, one row at a time, as scrolling up does.
  std::vector<int64_t> back;
  std::vector<ViewRow> rows;
  for (int64_t first = v.count() - 5; first >= 0; --first) {
    ASSERT_TRUE(v.page(first, 5, rows));
    back.push_back(rows.front().record.integer(ope::ID));
  }
  std::reverse(back.begin(), back.end());
  EXPECT_EQ(back, std::vector<int64_t>(expected.begin(), expected.end() - 4));

  // Jumps: the last page, a page in the middle, an ordinal past the end.
  ASSERT_TRUE(v.page(v.count() - 30, 30, rows));
  EXPECT_EQ(rows.back().record.integer(ope::ID), expected.back());
  ASSERT_TRUE(v.page(101, 3, rows));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].record.integer(ope::ID), expected[101]);
  ASSERT_TRUE(v.page(v.count() - 2, 30, rows));
  EXPECT_EQ(rows.size(), 2u);
}

TEST_F(ViewTest, OrdinalsLocatorAndSearch) {
  View v(ops(), ope::KEYFECHA);
  ASSERT_TRUE(v.reload());
  const std::vector<int64_t> expected = walkIds(ope::KEYFECHA);
  std::vector<ViewRow> rows;
  ASSERT_TRUE(v.page(120, 1, rows));
  int64_t ordinal = 0;
  ASSERT_TRUE(v.ordinalOf(rows[0].record, rows[0].recno, ordinal));
  EXPECT_EQ(ordinal, 120);

  Record undated(TableId::Operacio);
  ASSERT_TRUE(undated.setInteger(ope::ID, 50));
  ASSERT_TRUE(v.ordinalOf(undated, 9999, ordinal));
  EXPECT_EQ(ordinal, -1) << "a record the key leaves out has no place";

  KeyValue day10{false, Date::fromYmd(2026, 1, 11)->stored(), {}};
  ASSERT_TRUE(v.locate(day10, ordinal));
  ASSERT_TRUE(v.page(ordinal, 1, rows));
  EXPECT_EQ(rows[0].record.date(ope::FECHA), *Date::fromYmd(2026, 1, 11));
  ASSERT_TRUE(v.page(ordinal - 1, 1, rows));
  EXPECT_LT(rows[0].record.date(ope::FECHA), *Date::fromYmd(2026, 1, 11));

  int64_t found = 0;
  auto isId = [](int64_t id) { return [id](const Record& r) { return r.integer(ope::ID) == id; }; };
  const auto at = std::find(expected.begin(), expected.end(), 77) - expected.begin();
  ASSERT_TRUE(v.find(0, isId(77), found));
  EXPECT_EQ(found, at);
  ASSERT_TRUE(v.find(at + 1, isId(77), found));
  EXPECT_EQ(found, -1) << "a search that starts after the match does not find it";
}

TEST_F(ViewTest, AFilterKeepsItsOwnOrderAndSums) {
  View v(ops(), ope::KEYFECHA);
  v.setSums({SumTerm{{{ope::INGRESO.index, 1}}}, SumTerm{{{ope::EGRESO.index, 1}}},
             SumTerm{{{ope::INGRESO.index, 1}, {ope::EGRESO.index, -1}}}});
  ASSERT_TRUE(v.reload());
  int64_t income = 0, expense = 0;
  for (int id = 1; id <= kOps; ++id) {
    if (id % 50 == 0) continue;  // not in the date view
    (id % 2 ? income : expense) += id % 2 ? id * 100 : id;
  }
  EXPECT_EQ(v.sums(), (std::vector<int64_t>{income, expense, income - expense}));

  v.setFilter([](const Record& r) { return r.text(ope::CONCEPTO) == "Concepto c"; });
  ASSERT_TRUE(v.reload());
  std::vector<int64_t> expected;
  int64_t filteredIncome = 0, filteredExpense = 0;
  for (int64_t id : walkIds(ope::KEYFECHA)) {
    if (id % 26 != 2) continue;
    expected.push_back(id);
    (id % 2 ? filteredIncome : filteredExpense) += id % 2 ? id * 100 : id;
  }
  EXPECT_EQ(v.count(), static_cast<int64_t>(expected.size()));
  EXPECT_EQ(idsByPages(v, 4), expected);
  EXPECT_EQ(v.sums(), (std::vector<int64_t>{filteredIncome, filteredExpense, filteredIncome - filteredExpense}));
  std::vector<ViewRow> rows;
  ASSERT_TRUE(v.page(3, 1, rows));
  int64_t ordinal = 0;
  ASSERT_TRUE(v.ordinalOf(rows[0].record, rows[0].recno, ordinal));
  EXPECT_EQ(ordinal, 3);

  v.setFilter({});
  ASSERT_TRUE(v.reload());
  EXPECT_EQ(v.sums()[0], income) << "clearing the filter restores the totals of the whole view";
}

TEST_F(ViewTest, AFieldSortOrdersTheKeysRecordsByThatField) {
  View v(ops(), ope::KEYFECHA);
  v.sortByField(ope::CONCEPTO.index, true);
  ASSERT_TRUE(v.reload());
  EXPECT_EQ(v.count(), kOps - kOps / 50);
  std::vector<ViewRow> rows;
  ASSERT_TRUE(v.page(0, static_cast<int>(v.count()), rows));
  for (size_t i = 1; i < rows.size(); ++i) {
    const std::string a = rows[i - 1].record.text(ope::CONCEPTO);
    const std::string b = rows[i].record.text(ope::CONCEPTO);
    ASSERT_GE(a, b);
    if (a == b) {
      EXPECT_LT(rows[i - 1].recno, rows[i].recno) << "ties keep insertion order";
    }
  }
  EXPECT_EQ(rows.front().record.text(ope::CONCEPTO), "Concepto z");
  v.clearFieldSort();
  ASSERT_TRUE(v.reload());
  EXPECT_EQ(idsByPages(v, 50), walkIds(ope::KEYFECHA));
}

TEST_F(ViewTest, TextLocatorIgnoresCase) {
  TablesInUse banks(ctx, {TableId::Bancos});
  FileAccess& f = ctx.file(TableId::Bancos);
  for (const char* name : {"Azteca", "banorte", "BBVA", "Citi", "HSBC", "Inbursa"}) {
    f.buffer().clear();
    ASSERT_TRUE(f.buffer().setText(ban::NOMBRE, name));
    ASSERT_TRUE(f.insert());
  }
  View v(f, ban::KEYNOMBRE);
  ASSERT_TRUE(v.reload());
  int64_t ordinal = 0;
  ASSERT_TRUE(v.locate(KeyValue{true, 0, "B"}, ordinal));
  EXPECT_EQ(ordinal, 1);
  ASSERT_TRUE(v.locate(KeyValue{true, 0, "h"}, ordinal));
  EXPECT_EQ(ordinal, 4);
  ASSERT_TRUE(v.locate(KeyValue{true, 0, "z"}, ordinal));
  EXPECT_EQ(ordinal, v.count());
  v.setFilter([](const Record&) { return true; });
  ASSERT_TRUE(v.reload());
  ASSERT_TRUE(v.locate(KeyValue{true, 0, "c"}, ordinal));
  EXPECT_EQ(ordinal, 3);
}

}  // namespace
}  // namespace fin
