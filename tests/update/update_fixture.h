#pragma once
// A program folder of the sample with a real HTTP server on 127.0.0.1 as
// the update server, and an Updater whose prompt, messages, process start,
// program end and error reports are recorded.
#include "http_test_server.h"
#include "platform/http.h"
#include "program_fixture.h"
#include "update/updater.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}

namespace updatetest {

// The sample's subject ("中文Windows 7", a path segment in UTF-8, percent
// encoded) and bank folder on the server.
inline const QString kSubjectPath = QStringLiteral("/up/qkwfb/%E4%B8%AD%E6%96%87Windows%207/");
inline const QString kListPath = kSubjectPath + QStringLiteral("w7tk/288895.txt");
inline QString serverPath(const QString &rest) {
    return kSubjectPath + rest;
}

class UpdateFixture : public testsupport::ProgramFixture {
protected:
    ~UpdateFixture() override;

    update::UpdateConfig config() const;
    // An Updater on the config (changed first by change, when given).
    std::unique_ptr<update::Updater>
    makeUpdater(const std::function<void(update::UpdateConfig &)> &change = {});
    update::UpdateHooks hooks();

    // Creates the file when missing and sets its modification time.
    static void setStamp(const QString &path, const QString &stamp);
    static QByteArray bytes(const QString &path) { return testsupport::readBytes(path); }
    static bool exists(const QString &path) { return QFile::exists(path); }

    testsupport::HttpTestServer server;
    std::unique_ptr<platform::Http> client = platform::makeNetworkHttp();
    std::unique_ptr<update::UpdateFiles> files = update::makeDiskFiles();

    bool answerYes = true;
    QStringList asked;
    QStringList told;
    QStringList started;
    QStringList reports; // tag: text
    int ends = 0;
};

} // namespace updatetest
