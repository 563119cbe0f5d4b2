#include "panel/frm_tm.h"

#include "home/frm_fengmian.h"
#include "simulator/frm_main.h"
#include "startup/run_state.h"

FrmTm::FrmTm() : forms::Form(QStringLiteral("FrmTm")) {
    setBorderStyle(forms::vbBSNone);
    setBackColor(forms::rgb(236, 244, 255));
    setWidth(4500);
    setHeight(3000);
    LblBiao = add<forms::Label>(QStringLiteral("LblBiao"));
    LblBiao->move(120, 120, 4260, 600);
    LblBiao->setBackStyle(forms::vbTransparent);
    LblBiao->setWordWrap(true);
    LblUnit = add<forms::Label>(QStringLiteral("LblUnit"));
    LblUnit->move(120, 2400, 4260, 480);
    LblUnit->setBackStyle(forms::vbTransparent);
    LblUnit->setWordWrap(true);
    onLoad = [this] { Form_Load(); };
}

void FrmTm::Form_Load() {
    setTopmost(true);
}

void FrmTm::DqExam() {
    auto &s = startup::state();
    const int q = s.CurQuestion - 1;
    if (q < 0 || q >= startup::kMaxQuestions) return;
    s.CurStep = s.StepMemo[q] > 0 ? s.StepMemo[q] : 1;
    FrmMain *m = forms::form<FrmMain>();
    const auto &pics = s.QuestionPictures[q];
    auto path = [&](const QString &name) { return s.DataPath + name + QStringLiteral(".mxy"); };
    if (!pics[0].isEmpty()) forms::skip([&] { m->setPicture(forms::loadPicture(path(pics[0]))); });
    forms::Image *images[] = {m->Image1, m->Image2, m->Image3, m->Image4, m->Image5};
    for (int k = 1; k <= 5; ++k)
        if (!pics[k].isEmpty()) forms::skip([&] { images[k - 1]->loadPicture(path(pics[k])); });
    if (!pics[6].isEmpty()) forms::skip([&] { m->Image6->loadPicture(path(pics[6])); });
    m->Timer2->setEnabled(true);
}

void FrmTm::CmdGN_Click(int Index) {
    if (Index != 6) return;
    auto &s = startup::state();
    s.StudyMode = startup::Guided;
    FrmMain *m = forms::form<FrmMain>();
    forms::skip([&] { m->LHelp->setVisible(true); });
    forms::skip([&] { m->Shape1->setVisible(true); });
    forms::skip([&] { m->Shape4->setVisible(true); });
    forms::skip([&] { m->Shape2->setVisible(true); });
    forms::skip([&] { m->setWindowState(forms::vbNormal); });
    forms::skip([&] { m->TimerDisFK->setEnabled(true); });
    forms::skip([&] { m->show(); });
}

void FrmTm::JiaoJuan() {
    forms::unloadForm<FrmMain>();
    unload();
    forms::skip([] { forms::form<FrmFengmian>()->show(); });
}
