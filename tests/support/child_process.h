#pragma once
// This test program run again as a child process, for faults that must
// happen in a process of their own: a file-size limit, a user without
// root's rights, a file system of its own, a kill at a random instant.
//
// The child runs one test (--gtest_filter) with W7_TEST_CHILD set to a
// role. That test does its work only when it finds its role, and is
// skipped in the ordinary run:
//
//   TEST(WriterChild, UnderAFileSizeLimit) {
//       if (testsupport::childRole() != "fsize") GTEST_SKIP() << testsupport::kChildOnly;
//       ...
//   }
//   TEST(Writer, FailsForRealUnderAFileSizeLimit) {
//       const auto run = testsupport::runChild("WriterChild.UnderAFileSizeLimit", "fsize");
//       EXPECT_TRUE(run.passed()) << run.output.toStdString();
//   }
#include "reachable_temp.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <sys/types.h>

namespace testsupport {

inline constexpr const char *kChildOnly = "runs only as the child of another test";

// The role this process was started for; empty in the ordinary run.
QString childRole();
// A value the parent gave the child (an environment variable).
QString childValue(const char *name);

// A child started with the test named by filter, the role and further
// environment entries ("NAME=value"), its output (stdout and stderr) read
// through a pipe. The child has the parent's environment with these
// entries in place of the parent's of the same names, and a temporary
// folder of its own as TMPDIR unless they name one: what the child leaves
// there, killed or failed, goes when the ChildProcess does.
class ChildProcess {
public:
    ChildProcess(const QString &filter, const QString &role, const QStringList &env = {});
    ~ChildProcess(); // a child still running is killed
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    bool started() const { return pid_ > 0; }
    // Reads until the child has printed this line or has ended; false when
    // it ended (or closed its output) first.
    bool waitForLine(const QByteArray &line);
    // Lets the child run on for ns nanoseconds from now, reading what it
    // prints meanwhile, then returns (at once when it has ended).
    void runFor(qint64 ns);
    // SIGKILL, then waits for it to end.
    void kill();
    // Waits for the end; the exit code, or -1 when a signal ended it.
    int wait();
    const QByteArray &output() const { return output_; }
    // The lines the child printed that begin with prefix.
    QList<QByteArray> linesStartingWith(const QByteArray &prefix) const;

private:
    bool readSome(int timeoutMs);
    // Declared first: removed last, once the child has ended.
    ReachableTemporaryDir tmp_;
    pid_t pid_ = -1;
    int out_ = -1;
    int status_ = -1;
    bool ended_ = false;
    qsizetype scanned_ = 0;
    QByteArray output_;
};

struct ChildRun {
    int exitCode = -1;
    QByteArray output;
    // Exit code 0 and the test really ran (not skipped, not filtered away).
    bool passed() const;
};
// Runs the child to its end.
ChildRun runChild(const QString &filter, const QString &role, const QStringList &env = {});
// Runs the child to its end or kills it after killAfterMs (a child that
// could hang: a blocking read fails its test instead of the whole run);
// a killed child's exit code is -1.
ChildRun runChildWithin(int killAfterMs, const QString &filter, const QString &role,
                        const QStringList &env = {});

} // namespace testsupport
