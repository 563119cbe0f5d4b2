#include <QCoreApplication>
#include <QDir>
#include <cstdio>

// Lays out the sample installation; filled in by the sample generator.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: mksample <program folder>\n");
        return 2;
    }
    QDir().mkpath(QString::fromLocal8Bit(argv[1]));
    return 0;
}
