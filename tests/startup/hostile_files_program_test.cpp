// The program itself on a virtual X display, started on a copy of the
// sample with something in the place of the records' journal or of a
// record that is no file of the program's: a named pipe, a link to
// /dev/zero, a sparse file of 3 GiB, a folder, or (as the journal) garbage.
// Each start must reach the home page, leave every other record as it was
// and show one box: the one that names the records whose new files the
// journal could not bring in, or the one that names the history as a record
// that cannot be read. A pipe used to hold the start for good, /dev/zero to
// grow the process until it was killed.
#include "file_bytes.h"
#include "program_copy.h"
#include "virtual_display.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testsupport::readBytes;
using testsupport::writeBytes;

constexpr int kHomeWidth = 800, kHomeHeight = 600; // the home page at the sample's scale
constexpr int kSplashWidth = 400, kSplashHeight = 200;
constexpr int kAboutWidth = 420, kAboutHeight = 280;
constexpr int kVersionX = 60, kVersionY = 585; // the bank's version on the home page: 关于
constexpr int kStartMs = 60000;     // ten times a start under the sanitizers on a loaded machine
constexpr int kHangGuardMs = 20000; // every other wait takes well under a second
constexpr int kPollMs = 10;

using Files = std::map<QString, QByteArray>;

// The records folder as the program leaves it, without the run logs and
// the installation's lock of a run stopped from outside.
Files records(const QString &ks) {
    Files out = testsupport::folderContents(ks);
    std::erase_if(out, [](const auto &entry) {
        return entry.first.endsWith(QLatin1String(".txt")) ||
               entry.first.endsWith(QLatin1String(".lock"));
    });
    return out;
}

bool emptyFolder(const QString &ks) {
    bool ok = true;
    for (const QFileInfo &info : QDir(ks).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot))
        ok = (info.isDir() && !info.isSymLink() ? QDir(info.filePath()).removeRecursively()
                                                : QFile::remove(info.filePath())) &&
             ok;
    return ok;
}

struct Kind {
    const char *what;
    std::function<bool(const QByteArray &)> make;
    QByteArray seen; // how records() shows it
};

class ProgramOnHostileFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (!display_.missingTools().isEmpty())
            GTEST_SKIP() << display_.missingTools().join(' ').toStdString() << " missing";
        ASSERT_TRUE(display_.error().isEmpty()) << display_.error().toStdString();
        ASSERT_TRUE(copy_.error().isEmpty()) << copy_.error().toStdString();
        ks_ = copy_.program() + QStringLiteral("/ksdata/");
        // A candidate's records: the sample's and some of a few weeks.
        pristine_ = records(ks_);
        pristine_["288862.mxy"] = "01050203\r\n";
        pristine_["288872.mxy"] = "TF\r\n";
        pristine_["288892.mxy"] = "2015-03-01 10:00:00\r\n85\r\nE\r\n\r\n";
    }

    // The records laid out afresh.
    void layOut() {
        ASSERT_TRUE(emptyFolder(ks_));
        for (const auto &[name, bytes] : pristine_) ASSERT_TRUE(writeBytes(ks_ + name, bytes));
    }

    struct Start {
        qint64 homeMs = -1; // -1: no home page
        int boxes = 0;      // boxes of the start; -1: the home page took no click
        QByteArray output;
    };
    // The program's windows on show by what they are.
    struct Windows {
        QString home;
        bool splash = false, about = false;
        int boxes = 0; // anything else
    };
    Windows windows(testsupport::Child &program) {
        Windows on;
        for (const QString &w : display_.visibleWindows(program.pid())) {
            const testsupport::Geometry g = display_.geometry(w);
            if (g.width == kHomeWidth && g.height == kHomeHeight)
                on.home = w;
            else if (g.width == kSplashWidth && g.height == kSplashHeight)
                on.splash = true;
            else if (g.width == kAboutWidth && g.height == kAboutHeight)
                on.about = true;
            else
                ++on.boxes;
        }
        return on;
    }
    // Polls until done() holds for the windows on show, the program ends or
    // the deadline passes; the windows last seen.
    template <class F>
    Windows pollUntil(testsupport::Child &program, const QElapsedTimer &t, qint64 deadlineMs,
                      F done) {
        Windows on = windows(program);
        while (!done(on) && t.elapsed() < deadlineMs && program.running()) {
            QThread::msleep(kPollMs);
            on = windows(program);
        }
        return on;
    }

    // The program from its start to its home page, and the boxes of the
    // start over it. The start tells what it could not save right after it
    // unloads the splash, in a modal box; so once the splash is gone either
    // that box comes or the home page takes clicks. A click on the bank's
    // version opens the about box then: seen, it shows that no box of the
    // start came.
    Start start() {
        Start r;
        testsupport::Child program;
        copy_.prepare(program.process(),
                      {{QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb")},
                       {QStringLiteral("DISPLAY"), display_.name()}});
        QElapsedTimer t;
        t.start();
        program.process().start(copy_.executable(), {});
        Windows on =
            pollUntil(program, t, kStartMs, [](const Windows &w) { return !w.home.isEmpty(); });
        if (!on.home.isEmpty()) {
            r.homeMs = t.elapsed();
            QElapsedTimer since;
            since.start();
            on = pollUntil(program, since, kHangGuardMs,
                           [](const Windows &w) { return !w.splash || w.boxes > 0; });
            if (!on.splash && on.boxes == 0) {
                display_.click(on.home, kVersionX, kVersionY);
                on = pollUntil(program, since, kHangGuardMs,
                               [](const Windows &w) { return w.about || w.boxes > 0; });
                if (!on.about && on.boxes == 0) r.boxes = -1; // neither came
            }
            if (r.boxes == 0) r.boxes = on.boxes;
        }
        program.stop();
        r.output = program.output();
        return r;
    }

    testsupport::VirtualDisplay display_;
    testsupport::ProgramCopy copy_;
    QString ks_;
    Files pristine_;
};

bool sparseFile(const QByteArray &path) {
    return testsupport::makeSparseFile(QFile::decodeName(path), qint64(3) << 30);
}

const Kind kKinds[] = {
    {"a named pipe",
     [](const QByteArray &p) {
         ::unlink(p.constData());
         return ::mkfifo(p.constData(), 0644) == 0;
     },
     "<not a file>"},
    {"a link to /dev/zero",
     [](const QByteArray &p) {
         ::unlink(p.constData());
         return ::symlink("/dev/zero", p.constData()) == 0;
     },
     "<link to /dev/zero>"},
    {"a sparse file of 3 GiB", sparseFile, "<3221225472 bytes>"},
    {"a folder",
     [](const QByteArray &p) {
         ::unlink(p.constData());
         return QDir().mkpath(QFile::decodeName(p) + "/inside");
     },
     "<folder>"},
};

TEST_F(ProgramOnHostileFiles, ReachesTheHomePageWithEveryOtherRecordAsBefore) {
    const QString tFav = "288862.mxy.w7tmp-0123456789abcdef";
    struct Case {
        QString what;
        QString place; // the name in ksdata
        std::function<bool(const QByteArray &)> make;
        QByteArray seenAfter; // how records() shows the place afterwards; empty: gone
        QString asideAs;      // where a journal was set aside
        int boxes;
    };
    std::vector<Case> cases;
    for (const Kind &k : kKinds) {
        const bool link = QByteArray(k.seen).startsWith("<link");
        cases.push_back({QString(k.what) + " as the journal",
                         "w7files.journal",
                         k.make,
                         {},
                         link ? QString() : "w7files.journal.unreadable-1",
                         1});
        cases.push_back({QString(k.what) + " as the history", "288892.mxy", k.make, k.seen, {}, 1});
    }
    cases.push_back({"garbage as the journal",
                     "w7files.journal",
                     [](const QByteArray &p) {
                         return writeBytes(QFile::decodeName(p), QByteArray(4000, '\xa1'));
                     },
                     {},
                     "w7files.journal.unreadable-1",
                     1});

    for (const Case &c : cases) {
        SCOPED_TRACE(c.what.toStdString());
        ASSERT_NO_FATAL_FAILURE(layOut());
        const bool journal = c.place == QLatin1String("w7files.journal");
        // A journal of an action that was under way: its new favourites are
        // there and can only be dropped.
        if (journal) {
            ASSERT_TRUE(writeBytes(ks_ + tFav, "0301\r\n"));
        }
        ASSERT_TRUE(c.make(QFile::encodeName(ks_ + c.place)));
        Files expected = pristine_;
        expected.erase(c.place);
        if (!c.seenAfter.isEmpty()) expected[c.place] = c.seenAfter;
        const Files before = records(ks_);
        if (!c.asideAs.isEmpty()) expected[c.asideAs] = before.at(c.place);

        const Start r = start();
        std::printf("[ figure ] %s: home page after %lld ms, %d box(es)\n",
                    c.what.toUtf8().constData(), static_cast<long long>(r.homeMs), r.boxes);
        EXPECT_GE(r.homeMs, 0) << "no home page within " << kStartMs
                               << " ms: " << r.output.toStdString();
        EXPECT_EQ(r.boxes, c.boxes);
        Files after = records(ks_);
        // The home page brings the unit progress into the bank's shape.
        after.erase("288893.mxy");
        expected.erase("288893.mxy");
        EXPECT_EQ(after, expected);
    }
    ASSERT_TRUE(emptyFolder(ks_));
}

} // namespace
