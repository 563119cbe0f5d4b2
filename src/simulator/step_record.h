#pragma once
// One step of a question: a fixed-column line of the step file. Every
// reader of a step goes through the named accessors here; nobody else
// picks columns out of the line.
#include <QString>

namespace sim {

// A two-character code of a hot spot or panel, a level-1, level-2 and
// level-3 item and where a match leads: ten characters, as the step
// files hold them.
class ExpectedHit {
public:
    ExpectedHit() = default;
    explicit ExpectedHit(QString text) : text_(std::move(text)) {}

    const QString &text() const { return text_; }
    QString kind() const;    // "H", "D", "Q", ... (character 1)
    QString hitCode() const; // characters 2-3
    QString level1() const;  // characters 4-5 as written
    QString level2() const;  // characters 6-7
    QString level3() const;  // characters 8-9
    QString branch() const;  // character 10

private:
    QString text_;
};

// An overlay picture: Image1..Image6.
struct PictureSlot {
    int x = 0;
    QString branch;
    int y = 0;
    QString picture; // six characters; "000000" hidden, "888888" keep
};

// Target or source rectangle.
struct StepRect {
    int x = 0;
    QString branch;
    int y = 0;
    int w = 0;
    int h = 0;
};

// How the input box of a text step looks: font size, alignment, style
// bits and indexes into the style table.
struct TextStyle {
    int fontSizeTenths = 0; // 0 means the 9-point default
    QString alignment;      // "R"/"r" right, "M"/"m" centred, else left
    int styleBits = 0;      // 0..7: 1 bold, 2 italic, 4 underline; 8, 9 change nothing
    int fontIndex = 0;      // style-table row 0..9
    int foreIndex = 0;      // row 10 + index
    int backIndex = 0;      // row 20 + index
};

// A tab step: which tab-set row, the tab in front, the tab expected and
// which image shows the tab page.
struct TabSpec {
    bool isTabStep = false;
    int row = -1;     // 0..20 for "A".."U"; -1 when the letter names no row
    int shown = 0;    // 1..13
    int expected = 0; // 1..13
    int pictureSlot = 0;
};

class StepRecord {
public:
    StepRecord() = default;
    explicit StepRecord(QString line) : line_(std::move(line)) {}

    const QString &line() const { return line_; }
    // Columns from..from+len-1 (1-based); shorter or empty past the end.
    QString cols(int from, int len) const;
    // The numeric value of a field, as a whole number (fields are at most
    // five digits, so it never overflows an int).
    int num(int from, int len) const;

    QString leadField() const { return cols(1, 3); }
    QString windowKind() const { return cols(4, 1); }
    QString viewVariant() const { return cols(5, 1); }
    QString menuBarVariant() const { return cols(6, 1); }
    // Columns 4-5 read together: the hot-spot code of a click on the extra
    // picture.
    QString windowAndView() const { return cols(4, 2); }
    // Columns 4-5 "EE", like columns 6-7 "EE", keep a press on the source
    // from answering at once.
    bool noWindow() const { return windowAndView() == QLatin1String("EE"); }
    // Columns 6-7 "EE": no bar, tool strip or task pane at all.
    bool noBars() const { return cols(6, 2) == QLatin1String("EE"); }
    int paneFlags() const { return num(7, 1); }
    bool showsToolStrip() const { return paneFlags() % 2 == 1; }
    int taskPaneVariant() const { return paneFlags() / 2; }

    QString actionCode() const { return cols(8, 4); }
    int actionValue() const { return num(8, 4); }
    // Column 11 is the Shift state of the rubber-band and drag codes.
    int actionShift() const { return num(11, 1); }

    QString backPicture() const { return cols(12, 6); }
    // Slots 1..6; anything else gives an empty slot.
    PictureSlot pictureSlot(int slot) const;
    // The picture field of a slot as written (columns 28, 44, 60, 145, 161, 207).
    QString slotPicture(int slot) const { return pictureSlot(slot).picture; }

    // A marker field of "0"s names nothing. A field that lies beyond the end
    // of a short record counts as such too, rather than as a rectangle at 0, 0.
    static bool isAllZeros(const QString &field);

    // Target: absent when its twenty columns are all "0".
    bool hasTarget() const;
    StepRect targetRect() const;

    // Input box: present when columns 86-105 read as one number are not 0.
    // They hold up to twenty digits, more than any machine integer, so the
    // test looks at the digits themselves.
    bool hasTextBox() const;
    StepRect textBoxRect() const; // X 86-90, Y 92-95, W 96-100, H 101-105
    QString initialTextLineField() const { return cols(106, 3); }
    QString answerLineField() const { return cols(109, 3); }

    // Hint: absent (keep the step before's) when its ten columns are zeros.
    bool hasHintPos() const;
    int hintX() const { return num(112, 5); }
    int hintY() const { return num(117, 5); }
    QString hintLineField() const { return cols(122, 3); }

    // Answer entries 1..4, from columns 125, 86, 96 and 167.
    ExpectedHit expectedHit(int k) const;

    // Text steps: columns 125-134.
    TextStyle textStyle() const;
    // Tab steps: columns 130-134.
    TabSpec tabSpec() const;
    // Back-step entry: columns 125-129 when column 125 is "Q".
    bool hasBackEntry() const { return cols(125, 1) == QLatin1String("Q"); }
    QString backEntry() const { return cols(125, 5); }
    // The level-1 panel opened by context-menu steps (columns 126-127).
    QString contextPanelCode() const { return cols(126, 2); }

    // Key alternatives 1..3: "P6SKK" at columns 86, 91, 96.
    QString keyAlt(int k) const;
    // Mouse pointer of the target: columns 101-105.
    QString cursorCode() const { return cols(101, 5); }
    QString cursorKind() const { return cols(101, 1); } // "S", "M" or other
    QString cursorNumber() const { return cols(104, 2); }
    // Where a drag dropped on the target leads (column 102).
    QString dropBranch() const { return cols(102, 1); }

    // Point to which a picture drag must bring Image5 (design twips).
    int dragTargetX() const { return num(167, 5); }
    int dragTargetY() const { return num(172, 5); }
    // The back-step label uses the same columns.
    int backLabelX() const { return dragTargetX(); }
    int backLabelY() const { return dragTargetY(); }

    // Extra picture: columns 167-173; its name skips column 172.
    QString extraPicCode() const { return cols(167, 7); }
    QString extraPicName() const { return cols(167, 5) + cols(173, 1); }
    // The hover look of the extra picture: columns 167-172.
    QString extraPicHoverName() const { return cols(167, 6); }
    // Whether the record names an extra picture of its own: column 167 is
    // neither "0" nor "W" and column 173 is not "0" (nor cut off).
    bool namesExtraPic() const;

    // Bar position: column 167 "W", X 168-171, Y 173-176.
    bool hasBarPosition() const { return cols(167, 1) == QLatin1String("W"); }
    int barX() const { return num(168, 4); }
    int barY() const { return num(173, 4); }

    // Source: absent when columns 187-196 are all "0".
    bool hasSource() const;
    StepRect sourceRect() const;

private:
    QString line_;
};

// The step a branch character names: "1".."9" steps 1-9, "A".."Z" steps
// 10-35. Any other character reads 0, which makes it 9 (the position
// search finds nothing); "0" gives 0: no jump.
int branchStep(const QString &branch);

// The numeric value of a field as a whole number (halves to even), held
// within a range every control position can take: a field may hold an
// exponent ("9E999").
int wholeValue(const QString &field);

// A tab number: "1".."9", then "A".."D" for 10..13; anything else 0.
int tabNumber(const QString &c);

// Whether a numeric field, read as a number however many digits it has,
// is not zero. Blanks are skipped, the number ends at the first character
// that cannot continue it.
bool numberIsNonZero(const QString &field);

} // namespace sim
