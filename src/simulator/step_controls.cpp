#include "simulator/step_controls.h"

namespace sim {

void applyTextStyle(forms::TextBox *box, const TextStyle &st, const StyleTable &table, double sx) {
    int align = forms::vbLeftJustify;
    if (st.alignment == QLatin1String("R") || st.alignment == QLatin1String("r"))
        align = forms::vbRightJustify;
    if (st.alignment == QLatin1String("M") || st.alignment == QLatin1String("m"))
        align = forms::vbCenter;
    box->setAlignment(align);
    const double size = st.fontSizeTenths / 10.0;
    forms::skip([&] { box->setFontSize((size == 0 ? 9 : size) * sx); });
    forms::Font f = box->font(); // the size as just set, or as it was
    if (st.styleBits >= 0 && st.styleBits <= 7) {
        f.bold = (st.styleBits & 1) != 0;
        f.italic = (st.styleBits & 2) != 0;
        f.underline = (st.styleBits & 4) != 0;
    }
    const QString name = table.fontName(st.fontIndex);
    if (!name.isEmpty()) f.name = name;
    box->setFont(f);
    box->setForeColor(forms::fromQColor(table.colour(10 + st.foreIndex)));
    box->setBackColor(forms::fromQColor(table.colour(20 + st.backIndex)));
}

QString answerTextOfField(const QString &answerFile, const QString &field) {
    if (StepRecord::isAllZeros(field)) return QString();
    return readAnswerText(answerFile, wholeValue(field)).value_or(QString());
}

void parkTabLabels(forms::ControlArray<forms::Label> &tabs, shell::Scale scale) {
    for (int i = 0; i <= shell::MaxTabs; ++i) {
        forms::Label *l = tabs(i);
        l->setHeight(1);
        l->setWidth(1);
        l->setLeft(-1 * scale.x);
        l->setTop(-1 * scale.y);
        l->setCaption(QString());
    }
}

forms::Image *overlaySlot(const std::array<forms::Image *, 5> &images, int slot) {
    if (slot < 1 || slot > 5) forms::raise(forms::errSubscript);
    return images[size_t(slot - 1)];
}

void placeTabLabels(forms::ControlArray<forms::Label> &tabs, const TabSetRow &row, int pageLeft,
                    int pageTop, shell::Scale scale) {
    const double sx = scale.x, sy = scale.y;
    const int count = row.tabCount();
    for (int i = 0; i <= count && i <= shell::MaxTabs; ++i) {
        forms::Label *l = tabs(i);
        l->setHeight(row.tabHeight() * sy);
        l->setWidth(1);
        l->setLeft(-1 * sx);
        l->setTop(row.tabTop() * sy + pageTop);
        l->setCaption(QString());
    }
    for (int i = 1; i <= count && i <= shell::MaxTabs; ++i) {
        forms::Label *l = tabs(i);
        l->setLeft(row.tabLeft(i) * sx + pageLeft);
        forms::skip([&] { l->setWidth(row.tabWidth(i) * sx); });
    }
    if (count >= shell::TwoRowTabCount) {
        tabs(12)->setWidth(1050 * sx);
        tabs(6)->setWidth(1050 * sx);
    }
    forms::Label *back = tabs(0);
    forms::skip([&] { back->setLeft(row.backLeft() * sx + pageLeft); });
    forms::skip([&] { back->setTop(row.backTop() * sy + pageTop); });
    forms::skip([&] { back->setWidth(row.backWidth() * sx); });
    forms::skip([&] { back->setHeight(row.backHeight() * sy); });
}

} // namespace sim
