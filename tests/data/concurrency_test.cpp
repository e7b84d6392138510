// Two real processes on the same files.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <vector>

#include "data/context.h"
#include "data/tables.h"
#include "support/recording_presenter.h"
#include "support/temp_dir.h"

namespace fin {
namespace {

// Runs `body` in a child process; returns its exit code.
template <typename F>
pid_t spawn(F body) {
  pid_t pid = fork();
  if (pid == 0) {
    int code = 1;
    try {
      code = body();
    } catch (...) {
    }
    _exit(code);
  }
  return pid;
}

int waitFor(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Primes `count` operations, storing each one, and writes their numbers to `fd`.
int primeOperations(const std::filesystem::path& dir, int count, int fd) {
  test::RecordingPresenter presenter;
  Messages messages(presenter);
  Context ctx(dir, messages);
  TablesInUse open(ctx, {TableId::Operacio});
  FileAccess& f = ctx.file(TableId::Operacio);
  for (int i = 0; i < count; ++i) {
    if (!f.prime()) return 2;
    const int32_t id = static_cast<int32_t>(f.buffer().integer(ope::ID));
    if (!f.insert()) return 3;
    if (write(fd, &id, sizeof id) != sizeof id) return 4;
  }
  return presenter.boxes.empty() ? 0 : 5;
}

TEST(Concurrency, ConcurrentPrimesReceiveDifferentNumbers) {
  test::TempDir dir;
  {
    test::RecordingPresenter p;
    Messages m(p);
    Context ctx(dir.path(), m);
    TablesInUse open(ctx, {TableId::Operacio});
    int64_t n = 0;
    ASSERT_TRUE(ctx.file(TableId::Operacio).countAll(n));  // creates the file before the race
  }
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  constexpr int kEach = 150;
  pid_t a = spawn([&] { return primeOperations(dir.path(), kEach, fds[1]); });
  pid_t b = spawn([&] { return primeOperations(dir.path(), kEach, fds[1]); });
  close(fds[1]);
  EXPECT_EQ(waitFor(a), 0);
  EXPECT_EQ(waitFor(b), 0);
  std::vector<int32_t> ids;
  int32_t id;
  while (read(fds[0], &id, sizeof id) == sizeof id) ids.push_back(id);
  close(fds[0]);
  ASSERT_EQ(ids.size(), 2u * kEach);
  std::set<int32_t> unique(ids.begin(), ids.end());
  EXPECT_EQ(unique.size(), ids.size()) << "no number was given twice";
  EXPECT_EQ(*unique.begin(), 1);
  EXPECT_EQ(*unique.rbegin(), 2 * kEach);
}

TEST(Concurrency, AChangeByAnotherProcessIsDetectedNotOverwritten) {
  test::TempDir dir;
  test::RecordingPresenter presenter;
  Messages messages(presenter);
  Context ctx(dir.path(), messages);
  TablesInUse open(ctx, {TableId::CateIngr});
  FileAccess& f = ctx.file(TableId::CateIngr);
  ASSERT_TRUE(f.buffer().setText(cin::DESCRIPCION, "Sueldo"));
  ASSERT_TRUE(f.insert());
  const int64_t recno = f.currentRecno();
  ASSERT_TRUE(f.fetchRecno(recno));

  pid_t other = spawn([&] {
    test::RecordingPresenter p;
    Messages m(p);
    Context c(dir.path(), m);
    TablesInUse o(c, {TableId::CateIngr});
    FileAccess& g = c.file(TableId::CateIngr);
    if (!g.fetchRecno(recno)) return 2;
    if (!g.buffer().setDecimal(cin::TOTALINGRESOS, 777)) return 3;
    return c.relation(TableId::CateIngr).update() ? 0 : 4;
  });
  ASSERT_EQ(waitFor(other), 0);

  ASSERT_TRUE(f.buffer().setText(cin::DESCRIPCION, "Salario"));
  EXPECT_EQ(ctx.relation(TableId::CateIngr).update().code(), Code::Changed);
  EXPECT_EQ(presenter.numbers(), std::vector<uint16_t>{8});
  EXPECT_EQ(f.buffer().text(cin::DESCRIPCION), "Sueldo");
  EXPECT_EQ(f.buffer().decimal(cin::TOTALINGRESOS), 777);
}

TEST(Concurrency, AWriterKilledInsideATransactionLeavesTheFileAsBefore) {
  test::TempDir dir;
  {
    test::RecordingPresenter p;
    Messages m(p);
    Context ctx(dir.path(), m);
    TablesInUse open(ctx, {TableId::Bancos});
    FileAccess& f = ctx.file(TableId::Bancos);
    for (int i = 0; i < 10; ++i) {
      f.buffer().clear();
      ASSERT_TRUE(f.buffer().setText(ban::NOMBRE, "Banco " + std::to_string(i)));
      ASSERT_TRUE(f.insert());
    }
  }
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t writer = spawn([&] {
    sqlite3* db = nullptr;
    sqlite3_open((dir.path() / "BANCOS").c_str(), &db);
    sqlite3_exec(db, "BEGIN IMMEDIATE; DELETE FROM Bancos; INSERT INTO Bancos (NOMBRE) VALUES ('a medias');",
                 nullptr, nullptr, nullptr);
    char c = 'x';
    (void)!write(ready[1], &c, 1);
    pause();  // killed here, in the middle of the transaction
    return 0;
  });
  char c;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  kill(writer, SIGKILL);
  EXPECT_EQ(waitFor(writer), -1);

  test::RecordingPresenter presenter;
  Messages messages(presenter);
  Context ctx(dir.path(), messages);
  TablesInUse open(ctx, {TableId::Bancos});
  FileAccess& f = ctx.file(TableId::Bancos);
  int64_t n = 0;
  ASSERT_TRUE(f.countAll(n));
  EXPECT_EQ(n, 10);
  f.buffer().clear();
  ASSERT_TRUE(f.buffer().setText(ban::NOMBRE, "Banco 3"));
  EXPECT_TRUE(f.fetch(ban::KEYNOMBRE));
  ASSERT_TRUE(f.buffer().setText(ban::NOTAS, "después"));
  EXPECT_TRUE(ctx.relation(TableId::Bancos).update()) << "the dead writer's lock is gone";
  EXPECT_TRUE(presenter.boxes.empty());
}

}  // namespace
}  // namespace fin
