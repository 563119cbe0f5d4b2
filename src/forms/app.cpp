#include "app.h"
#include "internal_p.h"

#include <QApplication>
#include <QFont>
#include <QTimer>
#include <QtDebug>
#include <algorithm>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace forms {

namespace {
QString g_title;
UnhandledErrorHook g_unhandled;
int g_depth = 0;
std::vector<std::unique_ptr<Control>> g_buried;
std::vector<Form *> g_buriedForms;
bool g_flushPosted = false;

void postFlush() {
    if (g_flushPosted || detail::manualMode() || !QCoreApplication::instance()) return;
    g_flushPosted = true;
    // Under a handler nothing is freed: the last handler to end posts again.
    QTimer::singleShot(0, [] {
        g_flushPosted = false;
        detail::flushGraveyard();
    });
}
} // namespace

void initApplication() {
    static bool done = false;
    if (done) return;
    done = true;
#ifdef __GLIBC__
    // Decoded pictures are buffers of megabytes that come and go as the
    // candidate moves through a bank. In mappings of their own a freed one
    // goes back to the system at once; left to itself, glibc raises this
    // threshold after the first such free and takes the next ones from the
    // heap, where freed pictures stay resident between smaller blocks and
    // the program's size creeps up day after day.
    mallopt(M_MMAP_THRESHOLD, kLargeBlockBytes);
#endif
    const QString song = QStringLiteral("AR PL UMing CN");
    const QString hei = QStringLiteral("WenQuanYi Zen Hei");
    for (const char *name : {"宋体", "新宋体", "SimSun", "NSimSun"})
        QFont::insertSubstitutions(QString::fromUtf8(name), {song, hei});
    for (const char *name : {"黑体", "SimHei", "微软雅黑", "Microsoft YaHei", "楷体", "楷体_GB2312",
                             "KaiTi", "仿宋", "仿宋_GB2312", "FangSong", "隶书", "幼圆",
                             "MS Sans Serif", "Tahoma", "MS Shell Dlg", "MS Shell Dlg 2"})
        QFont::insertSubstitutions(QString::fromUtf8(name), {hei, song});
    if (QCoreApplication::instance()) {
        QFont f = QApplication::font();
        f.setFamilies({hei, song});
        QApplication::setFont(f);
        if (g_title.isEmpty()) g_title = QCoreApplication::applicationName();
    }
}

QString appTitle() {
    return g_title;
}
void setAppTitle(const QString &title) {
    g_title = title;
}

void setUnhandledErrorHook(UnhandledErrorHook hook) {
    g_unhandled = std::move(hook);
}

void reportUnhandled(const Error &e) {
    if (g_unhandled)
        g_unhandled(e);
    else
        qWarning("forms: unhandled error %d: %s", e.number(), qPrintable(e.description()));
}

int handlerDepth() {
    return g_depth;
}

HandlerScope::HandlerScope() {
    ++g_depth;
}
HandlerScope::~HandlerScope() {
    if (--g_depth == 0 && (!g_buried.empty() || !g_buriedForms.empty())) postFlush();
}

namespace detail {

void bury(std::unique_ptr<Control> c) {
    g_buried.push_back(std::move(c));
    postFlush();
}

void buryForm(Form *f) {
    g_buriedForms.push_back(f);
    postFlush();
}

void flushGraveyard() {
    if (g_depth > 0) return;
    // Controls first: a buried control may belong to a buried form.
    while (!g_buried.empty()) {
        auto c = std::move(g_buried.back());
        g_buried.pop_back();
        c.reset();
    }
    // A form whose modal show() is still on the stack waits for it to
    // return (show() asks again then).
    std::vector<Form *> forms;
    forms.swap(g_buriedForms);
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        if ((*it)->isModalShown())
            g_buriedForms.push_back(*it);
        else
            delete *it;
    }
}

void flushLater() {
    if (!g_buried.empty() || !g_buriedForms.empty()) postFlush();
}

void exhumeChildrenOf(Container *parent) {
    for (size_t i = 0; i < g_buried.size();) {
        if (g_buried[i]->container() == parent) {
            auto c = std::move(g_buried[i]);
            g_buried.erase(g_buried.begin() + long(i));
            c.reset();
            i = 0; // the deletion may have changed the list
        } else {
            ++i;
        }
    }
}

bool manualMode() {
    return clock::isManual();
}

} // namespace detail

} // namespace forms
