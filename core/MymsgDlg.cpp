#include "MymsgDlg.h"

#include "Checked.h"
#include "Application.h"
#include "HelpLayer.h"
#include "KeptPixmaps.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <memory>

const char* const MyDlgCaptions[5] = {"Предупреждение", "Ошибка", "Информация", "Подтвердить", ""};

const std::optional<QStyle::StandardPixmap> MyIconIDs[5] = {
    QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical, QStyle::SP_MessageBoxInformation,
    QStyle::SP_MessageBoxQuestion, std::nullopt};

const char* const MyButtonCaptions[11] = {"&Да",  "&Нет", "&Далее",       "&Отменить",   "&Стоп",    "&Повторить",
                                          "&Игнорировать", "&Все", "&Нет не все", "&Да - все", "&Справка"};

const char* const MyButtonNames[11] = {"aBitBtn1", "aBitBtn2", "aBitBtn3", "aBitBtn4",  "aBitBtn5", "aBitBtn6",
                                       "aBitBtn7", "aBitBtn8", "aBitBtn9", "aBitBtn10", "aBitBtn11"};

const int MyModalResults[11] = {6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0};

namespace {

constexpr int kIconSize = 32;

QSize ScreenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(640, 480);
}

} // namespace

TMyMessageForm::TMyMessageForm(QWidget* Owner) : QDialog(Owner)
{
}

TMyMessageForm* TMyMessageForm::CreateNew(QWidget* Owner)
{
    auto* form = new TMyMessageForm(Owner);
    form->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    return form;
}

void TMyMessageForm::reject()
{
    done(2);
}

void TMyMessageForm::keyPressEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Escape && Event->modifiers() == Qt::NoModifier) {
        // Esc presses the cancel button; without one it does nothing.
        if (CancelButton)
            CancelButton->click();
        Event->accept();
        return;
    }
    QDialog::keyPressEvent(Event);
}

void TMyMessageForm::HelpButtonClick()
{
    SetApplicationHelpFile(HelpFileName);
    if (!HelpTopic.isEmpty() && HelpContext == 0)
        ApplicationHelpCommand(HELP_COMMAND, QStringLiteral("JumpID(\"\",\"%1\")").arg(HelpTopic).left(255));
    else if (HelpTopic.isEmpty() && HelpContext != 0)
        ApplicationHelpCommand(HELP_CONTEXT, {}, HelpContext);
    else
        ApplicationHelpCommand(HELP_FINDER);
}

QPoint GetAveCharSize(const QFontMetrics& Canvas)
{
    QString letters;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters += QLatin1Char(c);
    for (char c = 'a'; c <= 'z'; ++c)
        letters += QLatin1Char(c);
    return QPoint(Canvas.horizontalAdvance(letters) / 52, Canvas.height());
}

int LargerOf(int A, int B)
{
    return A > B ? A : B;
}

TMyMessageForm* CreateMyMessageDialog(const QString& Msg, TMyDlgType DlgType, TMyDlgButtons Buttons,
                                      const QString& HelpTopic, const QString& HelpFileName)
{
    if (DlgType > mdCustom)
        throw ERangeError();
    std::unique_ptr<TMyMessageForm> form(TMyMessageForm::CreateNew(nullptr));
    form->HelpTopic = HelpTopic.left(255);
    form->HelpFileName = HelpFileName.left(255);
    form->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint);

    const QFontMetrics canvas(form->font());
    const QPoint ave = GetAveCharSize(canvas);
    const int U = ave.x(), V = ave.y();
    const int HorzMargin = MulDiv(8, U, 4);
    const int VertMargin = MulDiv(8, V, 8);
    const int HorzSpacing = MulDiv(10, U, 4);
    const int VertSpacing = MulDiv(10, V, 8);
    const int ButtonWidth = MulDiv(50, U, 4);
    const int ButtonHeight = MulDiv(14, V, 8);
    const int ButtonSpacing = MulDiv(4, U, 4);

    const QSize screen = ScreenSize();
    const QRect textRect = canvas.boundingRect(QRect(0, 0, screen.width() / 2, 0),
                                               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs, Msg);
    const int TextWidth = textRect.right() + 1;
    const int TextHeight = textRect.bottom() + 1;

    const std::optional<QStyle::StandardPixmap> icon = MyIconIDs[DlgType];
    int IconTextWidth = TextWidth;
    int IconTextHeight = TextHeight;
    if (icon) {
        IconTextWidth = CheckedAdd(CheckedAdd(IconTextWidth, kIconSize), HorzSpacing);
        if (IconTextHeight < kIconSize)
            IconTextHeight = kIconSize;
    }

    const int n = Buttons.Count();
    const int ButtonGroupWidth =
        n == 0 ? 0 : CheckedAdd(CheckedMul(ButtonWidth, n), CheckedMul(ButtonSpacing, n - 1));

    const int ClientWidth = CheckedAdd(LargerOf(IconTextWidth, ButtonGroupWidth), CheckedMul(2, HorzMargin));
    const int ClientHeight =
        CheckedAdd(CheckedAdd(CheckedAdd(IconTextHeight, ButtonHeight), VertSpacing), CheckedMul(2, VertMargin));
    form->setFixedSize(ClientWidth, ClientHeight);
    // Before the window is shown its outer size is the client size.
    const QSize outer = form->frameGeometry().size();
    form->move(screen.width() / 2 - outer.width() / 2, screen.height() / 2 - outer.height() / 2);

    form->setWindowTitle(DlgType == mdCustom ? ApplicationTitle() : QString::fromUtf8(MyDlgCaptions[DlgType]));

    if (icon) {
        auto* image = new QLabel(form.get());
        image->setObjectName(QStringLiteral("Image"));
        image->setPixmap(StandardPicture(*icon, kIconSize));
        image->setGeometry(HorzMargin, VertMargin, kIconSize, kIconSize);
    }

    auto* message = new QLabel(form.get());
    message->setObjectName(QStringLiteral("Message"));
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message->setText(Msg);
    message->setGeometry(IconTextWidth - TextWidth + HorzMargin, VertMargin, TextWidth, TextHeight);

    const TMyDlgBtn defaultBtn = Buttons.Contains(mdbOK) ? mdbOK : Buttons.Contains(mdbYes) ? mdbYes : mdbRetry;
    const TMyDlgBtn cancelBtn = Buttons.Contains(mdbCancel) ? mdbCancel : Buttons.Contains(mdbNo) ? mdbNo : mdbOK;

    int X = (ClientWidth - ButtonGroupWidth) / 2;
    const int ButtonTop = CheckedAdd(CheckedAdd(IconTextHeight, VertMargin), VertSpacing);
    for (int b = mdbYes; b <= mdbHelp; ++b) {
        const auto btn = static_cast<TMyDlgBtn>(b);
        if (!Buttons.Contains(btn))
            continue;
        auto* button = new QPushButton(QString::fromUtf8(MyButtonCaptions[b]), form.get());
        button->setObjectName(QString::fromLatin1(MyButtonNames[b]));
        button->setGeometry(X, ButtonTop, ButtonWidth, ButtonHeight);
        if (btn == defaultBtn) {
            button->setDefault(true);
            form->DefaultButton = button;
            button->setFocus();
        }
        if (btn == cancelBtn)
            form->CancelButton = button;
        TMyMessageForm* f = form.get();
        if (btn == mdbHelp) {
            QObject::connect(button, &QPushButton::clicked, f, &TMyMessageForm::HelpButtonClick);
        } else {
            const int result = MyModalResults[b];
            QObject::connect(button, &QPushButton::clicked, f, [f, result] { f->done(result); });
        }
        X = CheckedAdd(CheckedAdd(X, ButtonWidth), ButtonSpacing);
    }
    return form.release();
}

int MyMessageDlgPosHelp(const QString& Msg, TMyDlgType DlgType, TMyDlgButtons Buttons, int HelpCtx, int X, int Y,
                        const QString& HelpTopic, const QString& HelpFileName)
{
    const std::unique_ptr<TMyMessageForm> form(CreateMyMessageDialog(Msg, DlgType, Buttons, HelpTopic, HelpFileName));
    form->HelpContext = HelpCtx;
    form->HelpFileName = HelpFileName.left(255);
    if (X >= 0)
        form->move(X, form->y());
    if (Y >= 0)
        form->move(form->x(), Y);
    return form->exec();
}

int MyMessageDlgPos(const QString& Msg, TMyDlgType DlgType, TMyDlgButtons Buttons, int HelpCtx, int X, int Y,
                    const QString& HelpTopic, const QString& HelpFileName)
{
    return MyMessageDlgPosHelp(Msg, DlgType, Buttons, HelpCtx, X, Y, HelpTopic, HelpFileName);
}

int MyMessageDlg(const QString& Msg, TMyDlgType DlgType, TMyDlgButtons Buttons, int HelpCtx, const QString& HelpTopic,
                 const QString& HelpFileName)
{
    return MyMessageDlgPosHelp(Msg, DlgType, Buttons, HelpCtx, -1, -1, HelpTopic, HelpFileName);
}

int MyShowMessagePos(const QString& Msg, int X, int Y)
{
    return MyMessageDlgPos(Msg, mdCustom, {mdbOK}, 0, X, Y, QString(), QString());
}

int MyShowMessage(const QString& Msg)
{
    return MyShowMessagePos(Msg, -1, -1);
}
