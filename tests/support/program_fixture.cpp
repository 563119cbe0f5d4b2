#include "program_fixture.h"

#include "platform/paths.h"
#include "platform/text.h"
#include "sample_startup.h"
#include "startup/run_state.h"
#include "startup/services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

QDateTime fixedNow() {
    return QDateTime(QDate(2015, 3, 7), QTime(9, 5, 2));
}

std::vector<AddFiles> startupParts() {
    return {sample::addStartupFiles};
}

ProgramFolder::ProgramFolder(const std::vector<AddFiles> &parts) : dir_(tmp_.path()) {
    for (const AddFiles &add : parts) laidOut_ &= add(dir_);
    if (parts.empty()) laidOut_ &= dir_.makeFolders();
    platform::setProgramFolder(dir_.root);

    auto registry = std::make_unique<platform::FakeRegistry>();
    registry_ = registry.get();
    platform::setRegistry(std::move(registry));
    auto http = std::make_unique<platform::FakeHttp>();
    http_ = http.get();
    platform::setHttp(std::move(http));
    auto single = std::make_unique<platform::FakeSingleInstance>();
    single_ = single.get();
    platform::setSingleInstance(std::move(single));
    auto shell = std::make_unique<platform::FakeShell>();
    shell_ = shell.get();
    platform::setShell(std::move(shell));
    auto layouts = std::make_unique<platform::FakeKeyboardLayouts>();
    layouts_ = layouts.get();
    platform::setKeyboardLayouts(std::move(layouts));

    startup::resetState();
    startup::setLocalNowForTests(fixedNow);
}

ProgramFolder::~ProgramFolder() {
    startup::setLocalNowForTests({});
    startup::resetState();
    platform::setProgramFolder(QString());
    // The fakes stay installed (a later test installs its own), so that no
    // test ever reaches the real registry or network by accident.
}

ProgramFixture::ProgramFixture(std::vector<AddFiles> parts) : folder_(parts) {}

QByteArray readBytes(const QString &path) {
    QFile f(platform::resolvePath(path));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes) {
    const QString p = platform::resolvePath(path);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray gbkLines(const QStringList &lines) {
    QByteArray out;
    for (const QString &l : lines) out += platform::encodeGbk(l) + "\r\n";
    return out;
}

} // namespace testsupport
