#include "U2.h"
#include "U3.h"
#include "ui_U2.h"

#include "WordForms.h"

#include <QPalette>

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* Owner) : QWidget(Owner), ui_(new Ui::TForm2)
{
    ui_->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(307, 37);
    Panel1 = ui_->Panel1;
    Label1 = ui_->Label1;
    // Red in every state: the window is disabled most of the time.
    QPalette p = Label1->palette();
    p.setColor(QPalette::All, QPalette::WindowText, Qt::red);
    p.setColor(QPalette::Disabled, QPalette::WindowText, Qt::red);
    Label1->setPalette(p);
    setEnabled(false);
    FormCreate();
}

TForm2::~TForm2()
{
    delete ui_;
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::FormCreate()
{
    UseTimesFamily(this);
    if (!Form3)
        return;
    const QRect client = Form3->rect();
    move(client.width() / 8 + Form3->x(), client.height() + Form3->y() + client.width() / 4);
}
