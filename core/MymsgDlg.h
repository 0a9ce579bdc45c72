#pragma once
// The system's own message box: Russian titles and button captions, layout
// computed from the system's message font, built in code for every call.
#include <QDialog>
#include <QPoint>
#include <QString>
#include <QStyle>

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <optional>

class QFontMetrics;
class QPushButton;

enum TMyDlgType : uint8_t {
    mdWarning = 0,
    mdError = 1,
    mdInformation = 2,
    mdConfirmation = 3,
    mdCustom = 4,
};

enum TMyDlgBtn : uint8_t {
    mdbYes = 0,
    mdbNo,
    mdbOK,
    mdbCancel,
    mdbAbort,
    mdbRetry,
    mdbIgnore,
    mdbAll,
    mdbNoToAll,
    mdbYesToAll,
    mdbHelp,
};

// A set of buttons: bit n stands for the button of ordinal n.
struct TMyDlgButtons {
    uint16_t Bits = 0;
    constexpr TMyDlgButtons() = default;
    constexpr TMyDlgButtons(std::initializer_list<TMyDlgBtn> Buttons)
    {
        for (TMyDlgBtn b : Buttons)
            Bits = static_cast<uint16_t>(Bits | (1u << b));
    }
    constexpr bool Contains(TMyDlgBtn B) const { return (Bits >> B) & 1u; }
    constexpr int Count() const { return std::popcount(Bits); }
};

// Titles of the dialog types; mdCustom takes the application title instead.
extern const char* const MyDlgCaptions[5];
// The desktop's standard icon of each dialog type; mdCustom has none.
extern const std::optional<QStyle::StandardPixmap> MyIconIDs[5];
extern const char* const MyButtonCaptions[11];
extern const char* const MyButtonNames[11];
// 1 OK, 2 cancel, 3 abort, 4 retry, 5 ignore, 6 yes, 7 no, 8 all, 9 no to
// all, 10 yes to all; 0 for help, which does not close the dialog.
extern const int MyModalResults[11];

class TMyMessageForm : public QDialog {
    Q_OBJECT
public:
    // The form without a form definition, with the system's message font.
    static TMyMessageForm* CreateNew(QWidget* Owner);

    QString HelpTopic;    // at most 255 characters
    QString HelpFileName; // at most 255 characters
    int HelpContext = 0;

    // The buttons Enter and Esc press; nullptr where the dialog has none.
    QPushButton* DefaultButton = nullptr;
    QPushButton* CancelButton = nullptr;

public slots:
    void HelpButtonClick();
    // The close box and the system menu close with result 2.
    void reject() override;

protected:
    explicit TMyMessageForm(QWidget* Owner);
    void keyPressEvent(QKeyEvent* Event) override;
};

int MyShowMessage(const QString& Msg);
int MyShowMessagePos(const QString& Msg, int X, int Y);
int MyMessageDlg(const QString& Msg, TMyDlgType DlgType, TMyDlgButtons Buttons, int HelpCtx,
                 const QString& HelpTopic = {}, const QString& HelpFileName = {});
int MyMessageDlgPos(const QString& Msg, TMyDlgType DlgType, TMyDlgButtons Buttons, int HelpCtx, int X, int Y,
                    const QString& HelpTopic = {}, const QString& HelpFileName = {});
int MyMessageDlgPosHelp(const QString& Msg, TMyDlgType DlgType, TMyDlgButtons Buttons, int HelpCtx, int X, int Y,
                        const QString& HelpTopic, const QString& HelpFileName);
// The new, unshown dialog.
TMyMessageForm* CreateMyMessageDialog(const QString& Msg, TMyDlgType DlgType, TMyDlgButtons Buttons,
                                      const QString& HelpTopic = {}, const QString& HelpFileName = {});

// Average character width and character height of the font.
QPoint GetAveCharSize(const QFontMetrics& Canvas);
int LargerOf(int A, int B);
