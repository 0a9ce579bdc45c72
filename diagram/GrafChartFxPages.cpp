// The ChartFX list page and the legend page of the diagram window: the chart
// control beside a read-only list box, or beside five coloured circles with
// their labels. The open command fills them from chart files.
#include "LemvGraf.h"

#include "ChartFx.h"
#include "GrafStyle.h"
#include "Shape.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>

namespace {

// A panel keeps the width it is created with when aligned to an edge.
constexpr int kPanelWidth = 185;

// The legend circles' colours, in order: red, yellow, green, aqua, blue.
constexpr TColor kLegendColours[5] = { clRed, clYellow, clGreen, clAqua, clBlue };

QFrame* NewPanel(QWidget* Parent)
{
    auto* panel = new QFrame(Parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->resize(kPanelWidth, panel->height());
    SetBackground(panel, clBtnFace);
    return panel;
}

// The tab holds its panels side by side: the one added first takes the right
// edge, the next fills the rest.
QBoxLayout* RightToLeft(QWidget* TabSheet)
{
    auto* layout = qobject_cast<QBoxLayout*>(TabSheet->layout());
    if (!layout)
        throw std::logic_error("a tab sheet without its layout");
    layout->setDirection(QBoxLayout::RightToLeft);
    layout->setSpacing(0);
    return layout;
}

// The chart control with the page's properties in their order; alClient.
TChartfx* NewChartfx(bool LegendPage)
{
    auto* fx = new TChartfx();
    fx->SetRGBBk(clBtnFace);
    fx->SetRGB2DBk(clBtnFace);
    fx->SetRGB3DBk(clBtnFace);
    if (!LegendPage) {
        // Tab stop; it is the only control of its panel that takes the focus,
        // so its place in the panel's tab order is the panel's whole order.
        fx->setFocusPolicy(Qt::StrongFocus);
        fx->SetBarHorzGap(120);
    }
    fx->SetType(LegendPage ? 0x00204103 : 0x04204302);
    fx->SetCustTool(0x000317E0);
    if (LegendPage)
        fx->SetChartType(3);
    fx->SetToolBar(true);
    fx->SetAlign(alClient);
    return fx;
}

// The tab takes Panel: the right panel keeps its width at the tab's right
// edge, the client panel fills the rest.
void AttachPanel(QBoxLayout* Tab, QFrame* Panel, bool FillsRest)
{
    Tab->addWidget(Panel, FillsRest ? 1 : 0);
    if (!FillsRest)
        Panel->setFixedWidth(kPanelWidth);
    Panel->setVisible(true);
}

// The client panel with the page's chart control in it, not attached yet.
void NewClientPanel(TCurrentPage* Page, bool LegendPage)
{
    Page->ClientPanel = NewPanel(Page->TabSheet);
    Page->ChartFx = NewChartfx(LegendPage);
    Page->ChartFx->setParent(Page->ClientPanel);
    Page->ChartFx->setVisible(true);
}

} // namespace

TCurrentPage* TGrafForm::AddChartFxListPage(const std::string& Title)
{
    try {
        TCurrentPage* page = NewPage(Title);
        QBoxLayout* tab = RightToLeft(page->TabSheet);

        page->RightPanel = NewPanel(nullptr);
        auto* rightLayout = new QVBoxLayout(page->RightPanel);
        rightLayout->setContentsMargins(1, 1, 1, 1);
        page->ListBox = new QListWidget();
        QPalette p = page->ListBox->palette();
        p.setColor(QPalette::Base, ToQColor(clBtnFace));
        page->ListBox->setPalette(p);
        page->ListBox->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        page->ListBox->setEnabled(false);
        rightLayout->addWidget(page->ListBox);
        AttachPanel(tab, page->RightPanel, false);

        NewClientPanel(page, false);
        page->CaptionLabel = NewCaptionLabel(page->ClientPanel);
        // A label draws on its panel, beneath the chart control: it is seen
        // once the chart control is hidden.
        page->CaptionLabel->lower();
        AttachPanel(tab, page->ClientPanel, true);
        return page;
    } catch (...) {
        return nullptr;
    }
}

TCurrentPage* TGrafForm::AddLegendPage(const std::string& Title)
{
    try {
        TCurrentPage* page = NewPage(Title);
        QBoxLayout* tab = RightToLeft(page->TabSheet);

        page->RightPanel = NewPanel(nullptr);
        // The panel has no parent yet, so its Top is 0: the circles stand at
        // Left 20 and Tops 20 to 100, their labels at Left 40.
        const int panelTop = page->RightPanel->y();
        for (int i = 0; i < 5; ++i) {
            auto* circle = new TShape(page->RightPanel);
            const int top = i == 0 ? panelTop + 20 : page->LegendShapes[i - 1]->y() + 20;
            const int left = i == 0 ? top : panelTop + 20;
            circle->setGeometry(left, top, 10, 10);
            circle->Shape = stCircle;
            circle->BrushColor = kLegendColours[i];
            circle->setVisible(true);
            page->LegendShapes[i] = circle;
        }
        for (int i = 0; i < 5; ++i) {
            auto* label = new QLabel(page->RightPanel);
            label->move(page->LegendShapes[i]->x() + 20, page->LegendShapes[i]->y());
            page->LegendLabels[i] = label;
        }
        AttachPanel(tab, page->RightPanel, false);

        NewClientPanel(page, true);
        AttachPanel(tab, page->ClientPanel, true);
        return page;
    } catch (...) {
        return nullptr;
    }
}
