// Start-up: the command line, the data directory and the drag setting.
#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

#include "app/data_directory.h"
#include "app/drag_setting.h"
#include "app/startup.h"
#include "support/temp_dir.h"

namespace fin::app {
namespace {

TEST(Arguments, DataDirectoryDemoAndErrors) {
  Arguments a = parseArguments({"finanzas", "--data-dir", "/tmp/x", "--generate-demo", "500"});
  EXPECT_EQ(a.dataDir, std::filesystem::path("/tmp/x"));
  EXPECT_EQ(a.demoOperations, 500);
  EXPECT_TRUE(runsWithoutWindows(a));
  a = parseArguments({"finanzas", "--data-dir=/tmp/y"});
  EXPECT_EQ(a.dataDir, std::filesystem::path("/tmp/y"));
  EXPECT_FALSE(runsWithoutWindows(a));
  EXPECT_FALSE(parseArguments({"finanzas", "--generate-demo", "cero"}).error.empty());
  EXPECT_FALSE(parseArguments({"finanzas", "--otra"}).error.empty());
  EXPECT_TRUE(parseArguments({"finanzas", "--help"}).help);
}

TEST(DataDirectory, IsCreatedWhenMissing) {
  test::TempDir tmp;
  const auto dir = tmp / "a" / "b" / "datos";
  EXPECT_EQ(prepareDataDirectory(dir), std::nullopt);
  EXPECT_TRUE(std::filesystem::is_directory(dir));
  EXPECT_TRUE(std::filesystem::is_empty(dir)) << "the writing check leaves nothing behind";
  EXPECT_TRUE(defaultDataDirectory().string().ends_with("/finanzas"));
}

TEST(DataDirectory, ThatCannotBeCreatedIsRefusedAndLeavesNothing) {
  test::TempDir tmp;
  std::ofstream(tmp / "archivo") << "no soy un directorio";
  const auto dir = tmp / "archivo" / "datos";
  auto reason = prepareDataDirectory(dir);
  ASSERT_TRUE(reason.has_value());
  EXPECT_NE(reason->find('('), std::string::npos) << "the text carries its code: " << *reason;
  EXPECT_FALSE(std::filesystem::exists(dir));

  // A directory that exists but refuses writing, checked without the superuser's rights.
  if (geteuid() != 0) {
    const auto locked = tmp / "cerrado";
    std::filesystem::create_directory(locked);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_TRUE(prepareDataDirectory(locked).has_value());
    std::filesystem::permissions(locked, std::filesystem::perms::owner_all);
  }
}

class FakeDragSetting : public DragSetting {
 public:
  explicit FakeDragSetting(int value) : value(value) {}
  int read() override { return value; }
  bool write(int v) override {
    value = v;
    ++writes;
    return true;
  }
  int value;
  int writes = 0;
};

TEST(DragSetting, AnOnSettingIsOffWhileTheProgramRunsAndOnAgainAfter) {
  FakeDragSetting on(1);
  {
    DragSettingGuard guard(on);
    EXPECT_TRUE(guard.switchedOff());
    EXPECT_EQ(on.value, 0);
  }
  EXPECT_EQ(on.value, 1);
  EXPECT_EQ(on.writes, 2);

  FakeDragSetting off(0);
  { DragSettingGuard guard(off); }
  EXPECT_EQ(off.writes, 0) << "a setting that was off is never touched";

  auto linux = platformDragSetting();
  EXPECT_EQ(linux->read(), 0);
  DragSettingGuard guard(*linux);
  EXPECT_FALSE(guard.switchedOff());
}

}  // namespace
}  // namespace fin::app
