#include <QApplication>
#include <gtest/gtest.h>

namespace {

QtMessageHandler g_previous = nullptr;

// The offscreen platform says this for every window given a size limit (a
// modal box has a fixed size); it tells nothing about the program.
void dropOffscreenSizeHintNotice(QtMsgType type, const QMessageLogContext &context,
                                 const QString &message) {
    if (message == QLatin1String("This plugin does not support propagateSizeHints()")) return;
    if (g_previous) g_previous(type, context, message);
}

} // namespace

// Every test runs headless unless the caller chose a platform.
int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_previous = qInstallMessageHandler(dropOffscreenSizeHintNotice);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
