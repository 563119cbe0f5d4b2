#include "simulator/text_box_style.h"

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

} // namespace sim
