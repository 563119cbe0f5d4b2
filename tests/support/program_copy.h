#pragma once
// The program itself for a test: a copy of the sample installation that the
// build lays out beside the test programs, in a temporary folder that a
// user who is not root can reach (for starts as such a user), with a
// runtime folder and a configuration folder of its own, so that the copy's
// single-instance lock and registry stay apart from every other run on the
// machine (two starts of one copy share them, as two starts by one user do).
//
//   testsupport::ProgramCopy copy;
//   ASSERT_TRUE(copy.error().isEmpty()) << copy.error().toStdString();
//   QProcess p;
//   copy.prepare(p, {{"QT_QPA_PLATFORM", "offscreen"}});
//   p.start(copy.executable(), {});
#include "reachable_temp.h"

#include <QProcess>
#include <QString>
#include <utility>
#include <vector>

namespace testsupport {

// The sample installation as the build lays it out, beside the test
// programs.
QString builtSampleFolder();

class ProgramCopy {
public:
    ProgramCopy();

    // Empty when the copy is ready, otherwise what went wrong.
    const QString &error() const { return error_; }
    // The temporary folder holding all of it.
    QString root() const { return tmp_.path(); }
    // The program folder of the copy.
    QString program() const { return root() + QStringLiteral("/program"); }
    QString runtime() const { return root() + QStringLiteral("/runtime"); }
    QString executable() const { return program() + QStringLiteral("/w7practice"); }

    // The process's environment (this one's, the copy's own runtime and
    // configuration folders and the entries given) and working folder.
    void prepare(QProcess &p, const std::vector<std::pair<QString, QString>> &env) const;

private:
    ReachableTemporaryDir tmp_;
    QString error_;
};

// The user "nobody", whom a test that runs as root starts the program as
// to meet what a user who is not root meets.
inline constexpr unsigned kNobody = 65534;
// Gives the folder and everything in it (links themselves, never what they
// lead to) to the user id; false when any of it stays another's.
bool chownTree(const QString &root, unsigned id);
// Makes p start its program as kNobody (the test must run as root); a
// start that cannot drop root ends with exit code 111.
void startAsNobody(QProcess &p);
// This process goes on as kNobody, for good (a child of a test run as
// root); false when root could not be dropped.
bool becomeNobody();

} // namespace testsupport
