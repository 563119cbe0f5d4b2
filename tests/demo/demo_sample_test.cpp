// Every step of every sample question through the step set-up and, for the
// steps that click a main hot spot, the scripted click; then records cut
// short and filled with noise, which must build without a crash.
#include "demo_fixture.h"

#include <random>

namespace {

using DemoSample = DemoFixture;

// The step records of a unit's question, in order.
QStringList questionSteps(const sample::SampleDir &dir, int unit, int question) {
    const auto &s = startup::state();
    const QStringList lines = platform::readLines(s.StepFilePath).value_or(QStringList());
    const QStringList list = demotest::unitQuestions(dir, unit);
    const int first = s.QuestionFirstLine[size_t(question - 1)];
    const int count = int(platform::val(list[question - 1].mid(4, 2)));
    return lines.mid(first - 1, count);
}

TEST_F(DemoSample, EveryStepOfEverySampleQuestionBuilds) {
    int steps = 0, clicks = 0, panels = 0;
    for (int unit : demotest::kSampleUnits) {
        demotest::demonstrateUnit(dir(), unit);
        const int questions = S().QuestionCount;
        ASSERT_GT(questions, 0) << unit;
        for (int q = 1; q <= questions; ++q) {
            S().CurQuestion = q;
            const QStringList records = questionSteps(dir(), unit, q);
            ASSERT_FALSE(records.isEmpty()) << unit << " " << q;
            FrmYanShi *f = forms::form<FrmYanShi>();
            for (int step = 1; step <= records.size(); ++step) {
                const QString where =
                    QStringLiteral("unit %1 question %2 step %3").arg(unit).arg(q).arg(step);
                SCOPED_TRACE(where.toStdString());
                f->DemoStep = step;
                f->setData();
                ++steps;
                const sim::StepRecord r(records[step - 1]);
                EXPECT_EQ(S().CurRecord.mid(5), records[step - 1].mid(5));
                EXPECT_EQ(f->TimEnd->enabled(), r.actionCode() == QLatin1String("9999"));
                // Every region a step shows has its picture in the sample.
                for (forms::Image *region : {f->PicMenu, f->PicHui, f->PicTool}) {
                    if (region->visible()) {
                        EXPECT_TRUE(region->picture()) << region->name().toStdString();
                    }
                }
                for (forms::Image *slot : {f->Image1, f->Image2, f->Image3, f->Image4, f->Image5}) {
                    if (slot->visible()) {
                        EXPECT_TRUE(slot->picture()) << slot->name().toStdString();
                    }
                }
                if (!demo::isHotSpotStep(r.actionCode())) continue;
                const QString code = f->HitCode;
                const int item = f->Target1J;
                ++clicks;
                f->ZhuClick(f->HitCode);
                if (f->DemoStep != step || !f->Pic1J->visible()) continue;
                ++panels;
                EXPECT_TRUE(f->Pic1J->picture()) << code.toStdString();
                EXPECT_TRUE(f->Timer6->enabled());
                // The highlight the item click will show is in the sample.
                if (item >= 1 && item <= 44) {
                    const QString highlight =
                        (QStringLiteral("0") + code).right(2) + shell::twoDigits(item) + "00";
                    EXPECT_TRUE(shellFile(highlight)) << highlight.toStdString();
                }
            }
            forms::unloadForm<FrmYanShi>();
        }
    }
    // The sweep is not empty: the sample's questions have well over a
    // hundred steps, and some click a hot spot that opens a panel.
    EXPECT_GT(steps, 100);
    EXPECT_GT(clicks, 0);
    EXPECT_GT(panels, 0);
}

TEST_F(DemoSample, EveryLevel1ItemHasItsHighlight) {
    auto check = [&](const shell::Menu1JRow &row) {
        for (std::string_view k : row.keys) {
            const QString code = QString::fromLatin1(k.data(), qsizetype(k.size()));
            shell::ItemRects items{};
            shell::layoutLevel1(items, code, shell::Scale{});
            for (int i = 1; i <= 44; ++i) {
                const shell::Rect &r = items[size_t(i)];
                if (r.width <= 0 || r.height <= 0 || r.left < 0 || r.top < 0) continue;
                const forms::Picture p = shellFile(code + shell::twoDigits(i) + "00");
                ASSERT_TRUE(p) << code.toStdString() << " " << i;
                EXPECT_NEAR(p.width(), r.width, 15) << code.toStdString() << " " << i;
            }
        }
    };
    for (const shell::Menu1JRow &row : shell::menu1JTable()) check(row);
    for (const shell::Menu1JRow &row : shell::startMenuPanelTable()) check(row);
    for (int m = 1; m <= 4; ++m) EXPECT_TRUE(shellFile("8410" + shell::twoDigits(m))) << m;
}

// Records of noise, sample records cut short or with letters in their
// numbers, tab-set and style rows cut short: every step builds, and the
// click and the panel builders run on whatever it left.
TEST_F(DemoSample, NoiseAndTruncatedRecordsBuildWithoutFault) {
    std::mt19937 rng(20150307);
    auto pick = [&](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rng)); };
    const QString alphabet = QStringLiteral("0000000000123456789ABCDEFGHLMNOPQSTUVWXZ -|.E+&Hhm中");

    QStringList real;
    for (int unit : demotest::kSampleUnits) {
        demotest::demonstrateUnit(dir(), unit);
        real << platform::readLines(S().StepFilePath).value_or(QStringList());
    }
    ASSERT_FALSE(real.isEmpty());

    QStringList records;
    for (int i = 0; i < 1200; ++i) {
        QString r;
        switch (pick(4)) {
        case 0: // noise
            for (int n = pick(230); n > 0; --n) r += alphabet[pick(int(alphabet.size()))];
            break;
        case 1: // a real record cut short
            r = real[pick(int(real.size()))].left(pick(215));
            break;
        case 2: { // noise around the columns that choose what a step does
            static const char *const codes[] = {"7000", "7771", "0021", "0022", "0028",
                                                "8003", "0040", "9999", "0001", "8888"};
            static const char *const entries[] = {"H", "Q", "X", "D"};
            StepBuilder b;
            for (int n = pick(40); n > 0; --n)
                b.put(pick(212) + 1, QString(alphabet[pick(int(alphabet.size()))]));
            b.action(QString::fromLatin1(codes[pick(10)]));
            b.put(125, QString::fromLatin1(entries[pick(4)]));
            if (pick(2)) b.put(130, QStringLiteral("X"));
            r = b.build().left(pick(3) ? 212 : pick(212));
            break;
        }
        default: // a real record with characters replaced
            r = real[pick(int(real.size()))];
            for (int n = pick(12) + 1; n > 0 && !r.isEmpty(); --n)
                r[pick(int(r.size()))] = alphabet[pick(int(alphabet.size()))];
            break;
        }
        records << r;
    }
    useSteps(records);
    FrmYanShi *f = open();
    QStringList rows(21);
    for (QString &row : rows)
        for (int n = pick(160); n > 0; --n) row += alphabet[pick(int(alphabet.size()))];
    f->TabSetTable.setRows(rows);
    QStringList styles(41);
    for (QString &row : styles)
        for (int n = pick(14); n > 0; --n) row += alphabet[pick(int(alphabet.size()))];
    f->StyleTable.setRows(styles);

    for (int step = 1; step <= records.size(); ++step) {
        f->DemoStep = step;
        f->setData();
        f->ZhuClick(f->HitCode);
        f->Pic2J->move(pick(16000) - 500, pick(9500) - 500);
        f->Target1J = pick(60) - 8;
        f->Target2J = pick(60) - 8;
        f->Target3J = pick(16) - 3;
        f->Tool2JCSH();
        f->Tool3JCSH();
        f->PointerX = pick(20000) - 2000;
        f->PointerY = pick(12000) - 2000;
        f->pointMove();
    }
    // Steps past the end of the file read its last line.
    f->DemoStep = int(records.size()) + 5;
    f->setData();
    EXPECT_EQ(S().CurRecord.mid(5), records.last().mid(5));
}

} // namespace
