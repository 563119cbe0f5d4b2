#include "records_fixture.h"

#include "panel/grading.h"
#include "panel/set_finish.h"

#include <random>

using namespace panel;

namespace {

// Random record files, from a fixed seed, through every reader and writer:
// nothing may crash, and what is written must keep the files' shapes.
class RecordsFuzzTest : public paneltest::RecordsTest {
protected:
    std::mt19937 rng{13};
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

    QByteArray randomBytes() {
        static const QByteArray alphabet = "0123456789TFtf E\r\n\r\n-.x";
        QByteArray out;
        const int n = pick(4) == 0 ? pick(2000) : pick(60);
        for (int i = 0; i < n; ++i)
            out += pick(8) == 0 ? char(pick(256)) : alphabet[pick(alphabet.size())];
        return out;
    }
    QString rawFlags(const QString &name) {
        const RecordRead r = files.read(name);
        return r.lines.isEmpty() ? QString() : r.lines.first();
    }
    void randomFile(const QString &name) {
        QFile::remove(record(name));
        if (pick(5) != 0) put(name, randomBytes());
    }
};

TEST_F(RecordsFuzzTest, RandomRecordFilesNeverBreakReadersOrWriters) {
    const QStringList names = {"288862", "288872", "288863", "288873",
                               "288892", "288893", "182400"};
    EXPECT_TRUE(testsupport::writeBytes(bankFile("288891"), "0101\r\n40\r\n"));
    for (int round = 0; round < 300; ++round) {
        for (const QString &n : names) randomFile(n);
        s.PaperMode = std::vector<int>{0, 2, 5, 6, 9, 10, 11, 12, 13, 14, 20}[pick(11)];
        s.PaperIndex = pick(3);
        s.PaperSlot = 0;
        s.UnitCount = pick(4);
        s.QuestionCount = pick(45);
        for (int i = 0; i < 45; ++i) {
            s.QuestionStatus[i] = pick(8);
            s.QuestionCodes[i] = pick(3000);
        }
        finishSetRecords(s, files, [this] { return pick(2) == 0; });

        const CodesWithFlags fav = files.readList(recname::Favourites, recname::FavouriteFlags);
        const bool favTouched = exists("288862");
        // One flag per code (a blank flag is trimmed away by the next read, so
        // the raw line is what counts).
        if (favTouched) {
            EXPECT_EQ(rawFlags("288872").size(), codeCount(fav.codes)) << round;
        }

        if (s.PaperMode == 0) {
            s.QuestionCount = 40;
            s.ExamStartTime =
                pick(2) ? QStringLiteral("-1") : QStringLiteral("2015-03-07 14:05:09");
            const QString codes = files.readOneLine("288863");
            gradePaper(s, files, codes, "2016-01-02 03:04:05");
            EXPECT_EQ(bytes("288892").count('\n'), 94) << round;
            const CodesWithFlags book =
                files.readList(recname::WrongQuestions, recname::WrongFlags);
            EXPECT_EQ(rawFlags("288873").size(), codeCount(book.codes)) << round;
        }
        EXPECT_EQ(files.readHistory().lines().size(), 100);
        EXPECT_LE(files.readUnitProgress().size(), 26);
    }
}

} // namespace
