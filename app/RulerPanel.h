#pragma once
// The ruler above the editor: a panel that draws its caption left-justified
// and vertically centred, with tabs expanded to the standard tab stops
// (eight average character widths), so a tick caption puts a bar at each stop.
#include <QFrame>
#include <QString>

class TRulerPanel : public QFrame {
    Q_OBJECT
public:
    explicit TRulerPanel(QWidget* Parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& Caption);
    // The distance between two standard tab stops in pixels.
    int TabStopWidth() const;

signals:
    void Resized();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    QString caption_;
};
