// The demonstration's highlight pictures show the items they light.
#include "sample_demo.h"
#include "sample_shell.h"
#include "sample_shell_questions.h"

#include "simulator/shell_judging.h"
#include "simulator/shell_layout.h"

#include <gtest/gtest.h>

// A folder that opens a level-3 list is lit on the panel of the folders of
// "All programs" (the panel its row lies on), not on the "All programs"
// panel that panel was opened from.
TEST(DemoPictures, ProgramFolderHighlightsShowTheFoldersItems) {
    const QImage folders = sample::shellJudgingPicture(QStringLiteral("841077"));
    ASSERT_FALSE(folders.isNull());
    shell::ItemRects items{};
    shell::parkItems(items);
    shell::stackItems(items, shell::AllProgramsFolders, shell::Scale{1, 1});
    for (int m = 1; m <= 4; ++m) {
        SCOPED_TRACE(m);
        const QImage lit = sample::demoPicture(QStringLiteral("84100%1").arg(m));
        ASSERT_FALSE(lit.isNull());
        EXPECT_EQ(lit, sample::spotLook(folders, items[size_t(m)], true));
        EXPECT_NE(lit, sample::demoPicture(QStringLiteral("840%100").arg(m)));
    }
}
