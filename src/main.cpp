#include <QApplication>

// Start-up is built by subsystem 1; until then the program only opens.
int main(int argc, char **argv) {
    QApplication app(argc, argv);
    return 0;
}
