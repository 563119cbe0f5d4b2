#include "platform/registry.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

// Points XDG_CONFIG_HOME at a temporary folder and puts it back afterwards.
class ConfigHome {
public:
    explicit ConfigHome(const QByteArray &value) {
        had_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        old_ = qgetenv("XDG_CONFIG_HOME");
        if (value.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", value);
    }
    ~ConfigHome() {
        if (had_)
            qputenv("XDG_CONFIG_HOME", old_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

private:
    bool had_;
    QByteArray old_;
};

} // namespace

TEST(IniRegistry, StoresValuesUnderTheRegistryPathInTheConfigFolder) {
    QTemporaryDir dir;
    ConfigHome home(dir.path().toLocal8Bit());
    const QString file = dir.path() + "/w7practice/registry.ini";
    EXPECT_EQ(iniRegistryFile(), file);

    auto reg = makeIniRegistry();
    ASSERT_TRUE(reg->setValue("Software\\kvtn", "ProPath07", "/opt/w7" + QString(72, '*')));
    ASSERT_TRUE(reg->setValue("Software\\kvtn", "ProName07", QStringLiteral("练习") + "****"));
    ASSERT_TRUE(QFile::exists(file));

    QSettings raw(file, QSettings::IniFormat);
    EXPECT_EQ(raw.value("HKEY_CURRENT_USER/Software/kvtn/ProPath07").toString(),
              "/opt/w7" + QString(72, '*'));

    // A new registry reads what the first one wrote, whichever separator the key uses.
    auto again = makeIniRegistry();
    EXPECT_EQ(again->value("Software\\kvtn", "ProName07"), QStringLiteral("练习****"));
    EXPECT_EQ(again->value("Software/kvtn/", "ProPath07"), "/opt/w7" + QString(72, '*'));
    EXPECT_FALSE(again->value("Software\\kvtn", "ProPath08").has_value());
    EXPECT_FALSE(again->value("Software\\other", "ProPath07").has_value());

    // Writing again replaces the value.
    ASSERT_TRUE(again->setValue("Software\\kvtn", "ProPath07", "x"));
    EXPECT_EQ(reg->value("Software\\kvtn", "ProPath07"), "x");
}

TEST(IniRegistry, ConfigFolderDefaultsToDotConfig) {
    for (const QByteArray &unset : {QByteArray(), QByteArray("")}) {
        ConfigHome home(unset);
        EXPECT_EQ(iniRegistryFile(), QDir::homePath() + "/.config/w7practice/registry.ini");
    }
}

TEST(IniRegistry, RefusedWriteReturnsFalse) {
    QTemporaryDir dir;
    // A file where the folder should be: nothing can be stored below it.
    QFile blocker(dir.filePath("w7practice"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ConfigHome home(dir.path().toLocal8Bit());
    auto reg = makeIniRegistry();
    EXPECT_FALSE(reg->setValue("Software\\kvtn", "ProPath07", "x"));
    EXPECT_FALSE(reg->setValue("Software\\kvtn", "", "x"));
}
