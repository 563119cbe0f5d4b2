#pragma once
// A records folder and a bank folder in a temporary folder, the shared run
// state reset and pointing at them, the list of held-back files emptied.
#include "file_bytes.h"
#include "panel/record_files.h"
#include "startup/run_state.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace paneltest {

using testsupport::readBytes;

class RecordsTest : public ::testing::Test {
protected:
    RecordsTest() {
        startup::resetState();
        panel::forgetHeldBackRecords();
        QDir(tmp.path()).mkpath(QStringLiteral("ksdata"));
        QDir(tmp.path()).mkpath(QStringLiteral("bank"));
        auto &s = startup::state();
        s.UserDataFolder = tmp.path() + QStringLiteral("/ksdata/");
        s.DataPath = tmp.path() + QStringLiteral("/bank/");
        s.RunLogPath = tmp.path() + QStringLiteral("/run.log");
        files = panel::RecordFiles(s.UserDataFolder);
    }
    ~RecordsTest() override {
        startup::resetState();
        panel::forgetHeldBackRecords();
    }

    startup::RunState &s = startup::state();
    QTemporaryDir tmp;
    panel::RecordFiles files{QString()};

    QString record(const QString &name) const { return s.UserDataFolder + name + ".mxy"; }
    QString bankFile(const QString &name) const { return s.DataPath + name + ".mxy"; }
    void put(const QString &name, const QByteArray &bytes) {
        ASSERT_TRUE(testsupport::writeBytes(record(name), bytes));
    }
    QByteArray bytes(const QString &name) const { return readBytes(record(name)); }
    bool exists(const QString &name) const { return QFile::exists(record(name)); }
    // A record that exists but cannot be read, also by root: a folder of its name.
    void makeUnreadable(const QString &name) { QDir().mkpath(record(name)); }
    // Number of reports in the run log.
    int reports() const { return QString::fromUtf8(readBytes(s.RunLogPath)).count("recordfiles"); }
};

// Lines joined with CR LF after each, as the files hold them.
inline QByteArray crlf(const QStringList &lines) {
    QByteArray out;
    for (const QString &l : lines) out += l.toUtf8() + "\r\n";
    return out;
}

} // namespace paneltest
