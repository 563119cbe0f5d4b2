#pragma once
// A program folder for tests: a temporary folder laid out by the sample
// builders, made the program folder, with the operating-system services
// replaced by fakes, the shared run state reset and the local time fixed.
//
//   class MyTest : public testsupport::ProgramFixture {};
//   TEST_F(MyTest, Something) { dir().bankFile("288901"); registry().values; ... }
//
// A fixture that needs more of the sample adds its builders, with a cache
// key of its own so that they run once per test program:
//   MyTest() : ProgramFixture({sample::addStartupFiles, sample::addMyFiles}, "my") {}
#include "file_bytes.h"
#include "platform/fakes.h"
#include "sample_dir.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace testsupport {

using AddFiles = std::function<bool(const sample::SampleDir &)>;

// The fixed local time of every test: 7 March 2015, 09:05:02.
QDateTime fixedNow();

// The temporary program folder with the fakes installed; undone by the
// destructor (the program folder goes back to the executable's).
class ProgramFolder {
public:
    // With a cache key, the parts are laid out once per test program into a
    // template folder that later folders of the same key copy (far quicker
    // than drawing and writing everything again). Give each different list
    // of parts its own key.
    explicit ProgramFolder(const std::vector<AddFiles> &parts, const QString &cacheKey = {});
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder &) = delete;
    ProgramFolder &operator=(const ProgramFolder &) = delete;

    const sample::SampleDir &dir() const { return dir_; }
    platform::FakeRegistry &registry() { return *registry_; }
    platform::FakeHttp &http() { return *http_; }
    platform::FakeSingleInstance &singleInstance() { return *single_; }
    platform::FakeShell &shell() { return *shell_; }
    platform::FakeKeyboardLayouts &keyboardLayouts() { return *layouts_; }
    // False when one of the builders failed.
    bool laidOut() const { return laidOut_; }

private:
    QTemporaryDir tmp_;
    sample::SampleDir dir_;
    bool laidOut_ = true;
    platform::FakeRegistry *registry_ = nullptr;
    platform::FakeHttp *http_ = nullptr;
    platform::FakeSingleInstance *single_ = nullptr;
    platform::FakeShell *shell_ = nullptr;
    platform::FakeKeyboardLayouts *layouts_ = nullptr;
};

// The start-up files and the home page of the sample (the default of
// ProgramFixture): what the program needs to reach its home page.
std::vector<AddFiles> startupParts();
// Every part of the sample installation, in the order the sample
// generator lays them out.
std::vector<AddFiles> wholeSampleParts();

class ProgramFixture : public ::testing::Test {
protected:
    // The start-up files of the sample, from the cache.
    ProgramFixture();
    ProgramFixture(std::vector<AddFiles> parts, const QString &cacheKey = {});

    const sample::SampleDir &dir() const { return folder_.dir(); }
    platform::FakeRegistry &registry() { return folder_.registry(); }
    platform::FakeHttp &http() { return folder_.http(); }
    platform::FakeSingleInstance &singleInstance() { return folder_.singleInstance(); }
    platform::FakeShell &shell() { return folder_.shell(); }

private:
    ProgramFolder folder_;
};

// GBK lines with CR LF, as the program's files are written.
QByteArray gbkLines(const QStringList &lines);

} // namespace testsupport
