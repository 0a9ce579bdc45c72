#pragma once
// The chart control of the loaded chart pages. Its properties are set by the
// control's property index in four kinds (colour, 16-bit integer, 32-bit
// integer, 16-bit boolean) and kept as they were set, in order. Method 77
// loads a chart file by name: the chart file's format belongs to an outside
// control, so this control does not read the file; it shows its name on the
// background colour RGBBk. Alignment follows the parent's size like any
// control's; visibility is the widget's own.
#include "Canvas.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

// How a control places itself in its parent: alNone keeps its geometry,
// alClient fills the parent, the others span one edge with their own height
// (alTop, alBottom) or width (alLeft, alRight).
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

class TChartfx : public QWidget {
    Q_OBJECT
public:
    // Raises EOleError when the control is not registered (SetChartfxRegistered).
    explicit TChartfx(QWidget* Parent = nullptr);

    enum class TPropKind { Color, Int16, Int32, Bool16 };
    struct TProperty {
        int Index = 0;
        TPropKind Kind = TPropKind::Int32;
        int32_t Value = 0; // 16-bit kinds sign-extended; a 16-bit True is -1
        bool operator==(const TProperty&) const = default;
    };

    // Property indexes of the control.
    static constexpr int piType = 5, piBarHorzGap = 21, piRGBBk = 35, piRGB2DBk = 36, piRGB3DBk = 37,
                         piChartType = 42, piToolBar = 44, piCustTool = 47;
    // The method that loads a chart file; its argument is the file's full name.
    static constexpr int miLoadChartFile = 77;

    void SetColorProp(int Index, TColor Value);
    void SetInt16Prop(int Index, int16_t Value);
    void SetInt32Prop(int Index, int32_t Value);
    void SetBool16Prop(int Index, bool Value);
    // The last value set at Index, if any.
    std::optional<TProperty> Property(int Index) const;
    // Every set, in the order it was made.
    const std::vector<TProperty>& PropertyLog() const { return log_; }

    void SetRGBBk(TColor Value) { SetColorProp(piRGBBk, Value); }
    void SetRGB2DBk(TColor Value) { SetColorProp(piRGB2DBk, Value); }
    void SetRGB3DBk(TColor Value) { SetColorProp(piRGB3DBk, Value); }
    void SetBarHorzGap(int16_t Value) { SetInt16Prop(piBarHorzGap, Value); }
    void SetType(int32_t Value) { SetInt32Prop(piType, Value); }
    void SetCustTool(int32_t Value) { SetInt32Prop(piCustTool, Value); }
    void SetChartType(int16_t Value) { SetInt16Prop(piChartType, Value); }
    void SetToolBar(bool Value) { SetBool16Prop(piToolBar, Value); }

    // Calls a method of the control with one string argument. Only method 77
    // exists; any other raises EOleError.
    int Invoke(int DispId, const QString& Argument);
    // The chart file last handed to method 77 (empty before).
    QString ChartFile() const { return chartFile_; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign Value);

protected:
    void paintEvent(QPaintEvent* Event) override;
    bool event(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void SetProp(int Index, TPropKind Kind, int32_t Value);
    void Realign();

    std::vector<TProperty> log_;
    QString chartFile_;
    TAlign align_ = alNone;
    QWidget* watched_ = nullptr;
};

// Whether the control is registered on this machine (default true); tests
// take it away to see its pages fail to build.
void SetChartfxRegistered(bool Registered);
