#include "program_fixture.h"

#include "platform/paths.h"
#include "platform/text.h"
#include "sample_demo.h"
#include "sample_exam.h"
#include "sample_home.h"
#include "sample_judging.h"
#include "sample_panel.h"
#include "sample_questions.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"
#include "sample_startup.h"
#include "sample_update.h"
#include "startup/run_state.h"
#include "startup/services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>
#include <memory>

namespace testsupport {

QDateTime fixedNow() {
    return QDateTime(QDate(2015, 3, 7), QTime(9, 5, 2));
}

std::vector<AddFiles> startupParts() {
    return {sample::addStartupFiles, sample::addHomeFiles};
}

std::vector<AddFiles> wholeSampleParts() {
    return {sample::addStartupFiles,    sample::addHomeFiles,         sample::addHomeBanner,
            sample::addStepEngineFiles, sample::addJudgingFiles,      sample::addShellPictures,
            sample::addShellQuestions,  sample::addShellJudgingFiles, sample::addDemoPictures,
            sample::addUpdateFiles,     sample::addPanelFiles,        sample::addExamFiles,
            sample::addHomeBankIndex};
}

namespace {

// A plain copy: QFile::copy goes through a temporary file and is many
// times slower, which every test would pay.
bool copyFile(const QString &from, const QString &to) {
    QFile in(from), out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray bytes = in.readAll();
    return out.write(bytes) == bytes.size();
}

bool copyTree(const QString &from, const QString &to) {
    QDir src(from);
    if (!QDir().mkpath(to)) return false;
    bool ok = true;
    for (const QFileInfo &e :
         src.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + e.fileName();
        ok &= e.isDir() ? copyTree(e.filePath(), target) : copyFile(e.filePath(), target);
    }
    return ok;
}

bool layOut(const std::vector<AddFiles> &parts, const sample::SampleDir &dir) {
    bool ok = dir.makeFolders();
    for (const AddFiles &add : parts) ok &= add(dir);
    return ok;
}

// Template folders by cache key, kept for the whole test program.
struct Template {
    std::unique_ptr<QTemporaryDir> tmp;
    bool ok = false;
};
std::map<QString, Template> &templates() {
    static std::map<QString, Template> t;
    return t;
}

// Makes the fake the service every caller uses; the test keeps a pointer.
template <class Fake, class Service> Fake *install(void (*set)(std::unique_ptr<Service>)) {
    auto fake = std::make_unique<Fake>();
    Fake *kept = fake.get();
    set(std::move(fake));
    return kept;
}

} // namespace

ProgramFolder::ProgramFolder(const std::vector<AddFiles> &parts, const QString &cacheKey)
    : dir_(tmp_.path()) {
    if (cacheKey.isEmpty()) {
        laidOut_ = layOut(parts, dir_);
    } else {
        Template &t = templates()[cacheKey];
        if (!t.tmp) {
            t.tmp = std::make_unique<QTemporaryDir>();
            t.ok = layOut(parts, sample::SampleDir(t.tmp->path()));
        }
        laidOut_ = t.ok && copyTree(t.tmp->path(), tmp_.path());
    }
    platform::setProgramFolder(dir_.root);

    registry_ = install<platform::FakeRegistry>(platform::setRegistry);
    http_ = install<platform::FakeHttp>(platform::setHttp);
    single_ = install<platform::FakeSingleInstance>(platform::setSingleInstance);
    shell_ = install<platform::FakeShell>(platform::setShell);
    layouts_ = install<platform::FakeKeyboardLayouts>(platform::setKeyboardLayouts);

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

ProgramFixture::ProgramFixture() : ProgramFixture(startupParts(), QStringLiteral("startup")) {}

ProgramFixture::ProgramFixture(std::vector<AddFiles> parts, const QString &cacheKey)
    : folder_(parts, cacheKey) {
    EXPECT_TRUE(folder_.laidOut()) << "the sample's files could not be laid out";
}

QByteArray gbkLines(const QStringList &lines) {
    QByteArray out;
    for (const QString &l : lines) out += platform::encodeGbk(l) + "\r\n";
    return out;
}

} // namespace testsupport
