// docs/storage.md tells users how their files are made; it must say what the
// program really creates.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "data/store_file.h"
#include "data/tables.h"

namespace fin {
namespace {

TEST(StorageDocumentation, ListsTheSqlOfEveryTableAndKey) {
  std::ifstream in(std::string(FINANZAS_SOURCE_DIR) + "/docs/storage.md");
  ASSERT_TRUE(in) << "docs/storage.md is missing";
  std::stringstream text;
  text << in.rdbuf();
  const std::string doc = text.str();
  EXPECT_NE(doc.find("now **" + std::to_string(kSchemaVersion) + "**"), std::string::npos);
  for (const TableDef& t : allTables()) {
    StoreFile file(t);
    EXPECT_NE(doc.find(file.createTableSql() + ";"), std::string::npos) << t.label;
    EXPECT_NE(doc.find("### " + std::string(t.label) + " — file `" + std::string(t.diskName) + "`"),
              std::string::npos)
        << t.label;
    for (const KeyDef& k : t.keys) EXPECT_NE(doc.find(file.createIndexSql(k) + ";"), std::string::npos) << k.name;
  }
}

}  // namespace
}  // namespace fin
