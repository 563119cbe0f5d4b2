#include "update_fixture.h"

#include "platform/fakes.h"
#include "sample_dir.h"

namespace updatetest {

UpdateFixture::~UpdateFixture() {
    // No later test reaches a network by accident.
    platform::setHttp(std::make_unique<platform::FakeHttp>());
}

update::UpdateConfig UpdateFixture::config() const {
    update::UpdateConfig c;
    c.host = server.host();
    c.programFolder = dir().root;
    c.dataPath = dir().bank();
    c.subject = sample::kSubject;
    c.bankVersion = sample::kBankVersion;
    c.bannerCode = QStringLiteral("kvtn");
    c.programName = QStringLiteral("w7practice");
    // A minute for every wait: no reply of the local server misses it,
    // however loaded the machine. Tests of a time-out set short limits.
    c.listSeconds = 60;
    c.downloadIdleMs = 60000;
    c.bannerIdleMs = 60000;
    c.msIntoSecond = 0;
    return c;
}

update::UpdateHooks UpdateFixture::hooks() {
    update::UpdateHooks h;
    h.ask = [this](const QString &prompt, const QString &title) {
        asked << title + QStringLiteral(": ") + prompt;
        return answerYes;
    };
    h.tell = [this](const QString &m) { told << m; };
    h.startProcess = [this](const QString &program) {
        started << program;
        return true;
    };
    h.endProgram = [this] { ++ends; };
    h.report = [this](const QString &tag, int32_t, const QString &text) {
        reports << tag + QStringLiteral(": ") + text;
    };
    return h;
}

std::unique_ptr<update::Updater>
UpdateFixture::makeUpdater(const std::function<void(update::UpdateConfig &)> &change) {
    update::UpdateConfig c = config();
    if (change) change(c);
    return std::make_unique<update::Updater>(*client, *files, hooks(), c);
}

void UpdateFixture::setStamp(const QString &path, const QString &stamp) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite)) << path.toStdString();
    ASSERT_TRUE(f.setFileTime(QDateTime::fromString(stamp, QStringLiteral("yyyyMMddHHmm")),
                              QFileDevice::FileModificationTime));
}

} // namespace updatetest
