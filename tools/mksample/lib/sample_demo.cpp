#include "sample_demo.h"

#include "sample_pictures.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"

#include "simulator/shell_judging.h"
#include "simulator/shell_layout.h"

#include <QMap>

namespace sample {

namespace {

constexpr shell::Scale One{1, 1};

QString latin1(std::string_view s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

// Every item a panel lays out, lit on its panel picture.
void addItemHighlights(QMap<QString, QImage> &out, const QString &code) {
    const QImage panel = shellPicture(shell::panelPicture(code));
    if (panel.isNull()) return;
    shell::ItemRects items{};
    shell::layoutLevel1(items, code, One);
    const QString prefix = (QStringLiteral("0") + code).right(2);
    for (int i = 1; i <= shell::PanelItemCount; ++i) {
        const shell::Rect &r = items[size_t(i)];
        if (r.width <= 0 || r.height <= 0 || r.left < 0 || r.top < 0) continue;
        const QImage look = spotLook(panel, r, true);
        if (!look.isNull()) out.insert(prefix + shell::twoDigits(i) + QStringLiteral("00"), look);
    }
}

QMap<QString, QImage> drawAll() {
    QMap<QString, QImage> out;
    for (const shell::Menu1JRow &row : shell::menu1JTable()) {
        for (std::string_view k : row.keys) addItemHighlights(out, latin1(k));
    }
    for (const shell::Menu1JRow &row : shell::startMenuPanelTable()) {
        for (std::string_view k : row.keys) addItemHighlights(out, latin1(k));
    }
    // The folders that open a level-3 list, lit where the panel of the
    // folders of "All programs" lists them.
    const QImage folders =
        shellJudgingPicture(shell::level2PictureName(QString::fromLatin1(shell::AllProgramsFoldersId)));
    shell::ItemRects items{};
    shell::parkItems(items);
    shell::stackItems(items, shell::AllProgramsFolders, One);
    for (int m = 1; m <= shell::Level3RowCount && !folders.isNull(); ++m) {
        const QImage look = spotLook(folders, items[size_t(m)], true);
        if (!look.isNull()) out.insert(QStringLiteral("8410") + shell::twoDigits(m), look);
    }
    return out;
}

const QMap<QString, QImage> &allPictures() {
    static const QMap<QString, QImage> pictures = drawAll();
    return pictures;
}

} // namespace

QImage demoPicture(const QString &name) {
    return allPictures().value(name);
}

bool addDemoPictures(const SampleDir &dir) {
    if (!dir.makeFolders()) return false;
    bool ok = true;
    const QMap<QString, QImage> &pictures = allPictures();
    for (auto it = pictures.begin(); it != pictures.end(); ++it)
        ok &= savePicture(it.value(), dir.examFile(it.key()), formatFor(it.key()));
    return ok;
}

} // namespace sample
