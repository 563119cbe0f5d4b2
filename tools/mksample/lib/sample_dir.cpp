#include "sample_dir.h"

#include "step_builder.h"

#include "platform/text.h"

#include <QDir>
#include <QFileInfo>

namespace sample {

QStringList unitTitles() {
    QStringList t = {
        QStringLiteral("Windows 7基础知识"),  QStringLiteral("桌面与窗口"),
        QStringLiteral("开始菜单与任务栏"),   QStringLiteral("文件与文件夹管理"),
        QStringLiteral("控制面板"),           QStringLiteral("个性化与显示"),
        QStringLiteral("用户帐户与家长控制"), QStringLiteral("附件程序"),
        QStringLiteral("磁盘管理与系统维护"), QStringLiteral("网络与共享"),
        QStringLiteral("Internet Explorer"),  QStringLiteral("多媒体与娱乐"),
    };
    while (t.size() < 21) t << QString();
    return t;
}

SampleDir::SampleDir(const QString &folder) : root(folder) {
    if (!root.endsWith(QLatin1Char('/'))) root += QLatin1Char('/');
}

QString SampleDir::bank() const {
    return root + kBankFolder + QLatin1Char('/');
}
QString SampleDir::ksdata() const {
    return root + QStringLiteral("ksdata/");
}
QString SampleDir::examdata() const {
    return root + QStringLiteral("examdata/");
}
QString SampleDir::bankFile(const QString &name) const {
    return bank() + name + QStringLiteral(".mxy");
}
QString SampleDir::examFile(const QString &name) const {
    return examdata() + name + QStringLiteral(".mxy");
}

bool SampleDir::makeFolders() const {
    QDir d;
    return d.mkpath(root) && d.mkpath(bank()) && d.mkpath(ksdata()) && d.mkpath(examdata());
}

bool writeGbkLines(const QString &path, const QStringList &lines) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return platform::writeLinesAtomic(path, lines);
}

QString encodeCodedLine(const QString &text, int offset, bool negativeForm) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray b = platform::encodeGbk(text.mid(i, len));
        i += len - 1;
        int code = static_cast<unsigned char>(b.at(0));
        if (b.size() > 1) {
            code = code * 256 + static_cast<unsigned char>(b.at(1));
            if (negativeForm) code -= 65536;
        }
        out += QStringLiteral("%1").arg(code + offset, 6, 10, QLatin1Char('0'));
    }
    return out;
}

bool writeBankIndex(const SampleDir &dir, const QList<int> &unitCounts,
                    const QStringList &paperLists) {
    const auto two = [](qsizetype n) { return StepBuilder::digits(int(n), 2); };
    QString counts;
    for (int c : unitCounts) counts += two(c);
    QStringList lines = {two(paperLists.size()) + two(unitCounts.size()), counts};
    lines += paperLists;
    return writeGbkLines(dir.bankFile(QStringLiteral("288891")), lines);
}

} // namespace sample
