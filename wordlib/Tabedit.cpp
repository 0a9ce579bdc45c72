#include "Tabedit.h"
#include "ui_Tabedit.h"

#include "Application.h"
#include "GrafStyle.h"
#include "KeptPixmaps.h"
#include "VirtualKeys.h"
#include "Win1251.h"
#include "WordForms.h"
#include "Wording.h"

#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QValidator>

#include <algorithm>

TEditDB* EditDB = nullptr;

namespace {

constexpr int EntryMaxLength = 50;

// The box's limit: 50 characters, or the length of a longer text in it, so
// that a longer text put in by the caller stays whole and typing cannot
// lengthen it.
void FitEntryLimit(QLineEdit* Edit, const QString& Text)
{
    Edit->setMaxLength(std::max(EntryMaxLength, static_cast<int>(Text.size())));
}

// Raises typed letters to capitals; the length never changes, so the cursor stays.
class TUpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& Input, int&) const override
    {
        for (QChar& c : Input)
            c = c.toUpper();
        return Acceptable;
    }
};

} // namespace

TEditDB::TEditDB(QWidget* Parent) : QDialog(Parent), ui_(new Ui::TEditDB)
{
    ui_->setupUi(this);
    SetFixedDialogFrame(this, 265, 115);
    setWindowIcon(QIcon(KeptPixmap(QStringLiteral("quenlit/ICON"), [] { return QPixmap(QStringLiteral(":/quenlit/ICON")); })));
    Label1 = ui_->Label1;
    Edit1 = ui_->Edit1;
    BitBtn1 = ui_->BitBtn1;
    BitBtn2 = ui_->BitBtn2;

    QPalette p = Label1->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    Label1->setPalette(p);
    Edit1->setValidator(new TUpperCaseValidator(Edit1));
    connect(Edit1, &QLineEdit::textChanged, this, [this](const QString& Text) { FitEntryLimit(Edit1, Text); });
    BitBtn1->setIcon(StandardIcon(QStyle::SP_ArrowRight));
    BitBtn2->setIcon(StandardIcon(QStyle::SP_DialogCancelButton));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { RunHandler([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    // Key preview: the dialog sees the keys of its controls first.
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    installEventFilter(this);
    FormCreate();
}

TEditDB::~TEditDB()
{
    delete ui_;
    if (EditDB == this)
        EditDB = nullptr;
}

void TEditDB::FormCreate()
{
    Edit1->setFocus();
    UseTimesFamily(this);
}

void TEditDB::SetEntry(const QString& Text)
{
    FitEntryLimit(Edit1, Text);
    Edit1->setText(Text);
}

void TEditDB::FormKeyDown(int& Key, int Shift)
{
    const auto replaceEntry = [&] {
        Edit1->setReadOnly(true);
        Edit1->setText(QStringLiteral("****"));
        Edit1->setReadOnly(false);
        Key = 0;
    };
    if (Shift == ssCtrl && (Key == 0x43 || Key == 0x63 || Key == 0xD1 || Key == 0xF1))
        replaceEntry();
    if (Shift == ssShift && (Key == VK_DELETE || Key == VK_INSERT))
        replaceEntry();
}

bool TEditDB::eventFilter(QObject* Watched, QEvent* Event)
{
    // The first delivery of a key: to the focused control, or to the dialog.
    QWidget* first = focusWidget() ? focusWidget() : this;
    if (Event->type() == QEvent::KeyPress && Watched == first && first->window() == this) {
        auto* key = static_cast<QKeyEvent*>(Event);
        int vk = VirtualKeyCode(*key);
        if (vk != 0) {
            RunHandler([&] { FormKeyDown(vk, ShiftState(*key)); });
            if (vk == 0)
                return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TEditDB::BitBtn1Click()
{
    StartWordAnalysis(Cut255(QStringToAnsi(Edit1->text())));
}
