#include "U3.h"
#include "ui_U3.h"

#include "Application.h"
#include "GrafStyle.h"
#include "LemvGraf.h"
#include "PaintBox.h"
#include "MeanWrd.h"
#include "MymsgDlg.h"
#include "U2.h"
#include "VirtualKeys.h"
#include "WordGraf.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollArea>

#include <memory>

TForm3* Form3 = nullptr;

void HideHintWindow()
{
    if (Form2 && Form2->isVisible()) {
        Form2->setEnabled(true);
        Form2->hide();
        Form2->setEnabled(false);
    }
}

TForm3::TForm3(QWidget* Owner) : QWidget(Owner), ui_(new Ui::TForm3)
{
    ui_->setupUi(this);
    SetFixedDialogFrame(this, 567, 79);
    move(82, 144);
    Panel1 = ui_->Panel1;
    SpeedButton1 = ui_->SpeedButton1;
    SpeedButton2 = ui_->SpeedButton2;
    SpeedButton3 = ui_->SpeedButton3;
    Panel2 = ui_->Panel2;
    ScrollBox1 = ui_->ScrollBox1;
    PaintBox1 = ui_->PaintBox1;
    PaintBox1->Color = clBtnFace;
    // The word covers only part of the box; the rest shows the box's colour.
    PaintBox1->setAttribute(Qt::WA_OpaquePaintEvent, false);
    SetBackground(PaintBox1, clBtnFace);
    PaintBox1->OnPaint = [this](QObject*) { PaintBox1Paint(); };
    UseDarkThumbs(ScrollBox1);
    FormCreate();
}

TForm3::~TForm3()
{
    FormDestroy();
    delete ui_;
    if (Form3 == this)
        Form3 = nullptr;
}

void TForm3::FormCreate()
{
    CurrentWordAnalysis = new TStrShowAsscent();
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { RunHandler([this] { LeftSpeedButtonClick(); }); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { RunHandler([this] { RightSpeedButtonClick(); }); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { RunHandler([this] { OkButtonClick(); }); });
}

void TForm3::FormDestroy()
{
    delete CurrentWordAnalysis;
    CurrentWordAnalysis = nullptr;
}

void TForm3::FormKeyDown(int& Key)
{
    if (Key == VK_ESCAPE) {
        HideHintWindow();
        hide();
    }
    if (Key == VK_RETURN)
        OkButtonClick();
    if (Key == VK_LEFT)
        LeftSpeedButtonClick();
    if (Key == VK_RIGHT)
        RightSpeedButtonClick();
}

void TForm3::keyPressEvent(QKeyEvent* Event)
{
    int key = VirtualKeyCode(*Event);
    RunHandler([&] { FormKeyDown(key); });
}

void TForm3::PaintBox1Paint()
{
    CurrentWordAnalysis->DrawStressedWord(this);
}

void TForm3::MoveStress(int Step)
{
    if (CurrentWordAnalysis->MoveStress(Step))
        CurrentWordAnalysis->DrawStressedWord(this);
}

void TForm3::LeftSpeedButtonClick()
{
    MoveStress(-1);
    ArrangeWord();
}

void TForm3::RightSpeedButtonClick()
{
    MoveStress(+1);
    ArrangeWord();
}

void TForm3::FormHide()
{
    HideHintWindow();
}

void TForm3::FormShow()
{
    if (Form2 && !Form2->isVisible()) {
        Form2->setVisible(true);
        Form2->setEnabled(true);
        Form2->show();
        Form2->raise();
    }
}

void TForm3::showEvent(QShowEvent* Event)
{
    // Centred on the screen each time it is shown.
    if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
        const QRect r = s->availableGeometry();
        move(r.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    QWidget::showEvent(Event);
    RunHandler([this] {
        ArrangeWord();
        FormShow();
    });
}

void TForm3::hideEvent(QHideEvent* Event)
{
    QWidget::hideEvent(Event);
    RunHandler([this] { FormHide(); });
}

void TForm3::OkButtonClick()
{
    HideHintWindow();
    hide();
    TStrShowAsscent* a = CurrentWordAnalysis;
    a->AnalyseAtStress();
    // The bound is the extended value nearest to 3.4, a little above the double 3.4.
    if (WordTopList.Slots[1].Value < 3.4L) {
        MyMessageDlg(QStringLiteral("ЗНАЧИМЫХ признаков НЕТ!"), mdInformation, TMyDlgButtons { mdbOK }, 0);
        return;
    }
    // The window goes whatever happens; a failure to create it passes on.
    const std::unique_ptr<TGrafForm> window(CreateWordGrafForm());
    if (a->FillGrafForm(window.get(), 0, 3)) {
        window->setWindowTitle(QStringLiteral("Фоносемантика слова"));
        window->SetMode(3);
        window->SetButtonsVisible(true, false, true, true);
        window->SetButtonsEnabled(false, true, true);
        window->update();
        window->exec();
    }
}

void TForm3::ArrangeWord()
{
    if (!CurrentWordAnalysis)
        return;
    TMeasuringCanvas drawn;
    PaintBox1->Measure(drawn);
    constexpr int kMargin = 10;
    const int end = drawn.Extent.isEmpty() ? 0 : drawn.Extent.right() + 1 + kMargin;
    const int width = end > ScrollBox1->viewport()->width() ? end : 0;
    if (PaintBox1->minimumWidth() != width)
        PaintBox1->setMinimumWidth(width);
    const QString mark = QString(QChar(StressMark));
    for (const TMeasuringCanvas::Text& t : drawn.Texts)
        if (t.Text == mark)
            ScrollBox1->ensureVisible(t.Rect.center().x(), t.Rect.center().y());
}
