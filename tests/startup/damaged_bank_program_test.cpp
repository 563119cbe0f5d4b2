// The program itself, started on a copy of the sample installation with a
// damaged file: it must end by itself with exit code 0, having said which
// file it is (on the offscreen platform a message box goes to standard
// error), or without a word for a bank of another module.
#include "damaged_files.h"
#include "file_bytes.h"
#include "program_copy.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::chownTree;
using testsupport::kNobody;

struct Outcome {
    bool finished = false;
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QString errors; // standard error
};

class ProgramOnDamagedBank : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(copy_.error().isEmpty()) << copy_.error().toStdString(); }

    QString program() const { return copy_.program(); }

    // The program to its end (20 s at most: a hang fails the test).
    Outcome start(bool asNobody = false) {
        QProcess p;
        copy_.prepare(p, {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen")}});
        if (asNobody) testsupport::startAsNobody(p);
        p.start(copy_.executable(), {});
        Outcome r;
        r.finished = p.waitForFinished(20000);
        if (!r.finished) {
            p.kill();
            p.waitForFinished(5000);
        }
        r.status = p.exitStatus();
        r.code = p.exitCode();
        r.errors = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    testsupport::ProgramCopy copy_;
};

TEST_F(ProgramOnDamagedBank, EndsWithExitCodeZeroAfterNamingTheFile) {
    for (const damaged::Damage &d : damaged::damages()) {
        SCOPED_TRACE(d.what);
        const QString path = program() + QLatin1Char('/') + d.file;
        const QByteArray original = damaged::spoil(path, d);
        ASSERT_FALSE(original.isEmpty());

        const Outcome r = start();
        EXPECT_TRUE(r.finished);
        EXPECT_EQ(r.status, QProcess::NormalExit);
        EXPECT_EQ(r.code, 0);
        if (d.message.isEmpty())
            EXPECT_FALSE(r.errors.contains(QStringLiteral("系统提示"))) << r.errors.toStdString();
        else
            EXPECT_TRUE(r.errors.contains(QStringLiteral("系统提示: ") + d.message))
                << r.errors.toStdString();

        if (!d.spoil) {
            ASSERT_TRUE(QDir(path).removeRecursively());
        }
        ASSERT_TRUE(testsupport::writeBytes(path, original));
    }
}

// A file the program may not read, as a user other than the installer's
// finds it: the program runs as an unprivileged user (when the test runs
// as root) and the file's permissions forbid reading.
TEST_F(ProgramOnDamagedBank, AFileItMayNotReadIsNamed) {
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_TRUE(chownTree(copy_.root(), kNobody));
    }
    for (const QString &file : {damaged::kVersionFile, damaged::kModuleFile}) {
        SCOPED_TRACE(file.toStdString());
        const QString path = program() + QLatin1Char('/') + file;
        ASSERT_TRUE(QFile::setPermissions(path, {}));
        const Outcome r = start(root);
        EXPECT_TRUE(r.finished);
        EXPECT_EQ(r.status, QProcess::NormalExit);
        EXPECT_EQ(r.code, 0);
        EXPECT_TRUE(r.errors.contains(QStringLiteral("系统提示: ") + damaged::unreadableText(file)))
            << r.errors.toStdString();
        ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    }
}

} // namespace
