#pragma once
// The page records of the diagram window. TRecFileGraf holds what a page shows
// (Windows-1251 strings and lists); TCurrentPage adds the controls of its tab,
// each page kind creating only its own. A text result is a chart page "T"
// followed by a list page "# T", both carrying title T and the same note.
#include "Canvas.h"
#include "PhonTables.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

class QFrame;
class QLabel;
class QListWidget;
class QScrollArea;
class QToolBar;
class QWidget;
class TChart;
class TChartfx;
class TPaintBox;
class TShape;

// A string list whose entries may carry an object. The list does not free the
// objects; their owner does.
template <typename T>
class TObjStrings {
public:
    struct Entry {
        std::string String;
        T* Object = nullptr;
    };
    bool Sorted = false;

    int Count() const { return static_cast<int>(items_.size()); }
    int Add(const std::string& S) { return AddObject(S, nullptr); }
    int AddObject(const std::string& S, T* Object)
    {
        items_.push_back({ S, Object });
        return Count() - 1;
    }
    void Clear() { items_.clear(); }
    void Delete(int Index) { items_.erase(items_.begin() + Check(Index)); }
    std::string& Strings(int Index) { return items_[Check(Index)].String; }
    const std::string& Strings(int Index) const { return items_[Check(Index)].String; }
    T*& Objects(int Index) { return items_[Check(Index)].Object; }
    T* Objects(int Index) const { return items_[Check(Index)].Object; }

    // Frees every object in list order, each passing through Cursor; the
    // entries stay and own nothing afterwards.
    template <typename U>
    void FreeObjects(U*& Cursor)
    {
        for (Entry& e : items_) {
            Cursor = static_cast<U*>(e.Object);
            delete Cursor;
            e.Object = nullptr;
        }
        Cursor = nullptr;
    }

private:
    size_t Check(int Index) const
    {
        if (Index < 0 || Index >= Count())
            throw std::out_of_range("List index out of bounds");
        return static_cast<size_t>(Index);
    }
    std::vector<Entry> items_;
};

// One bar of the bar-list chart.
struct TBarItem {
    std::string Label; // at most 11 characters
    TColor Colour = clBlack;
    double Value = 0;
};

// What a page shows.
class TRecFileGraf {
public:
    TRecFileGraf() = default;
    virtual ~TRecFileGraf();
    TRecFileGraf(const TRecFileGraf&) = delete;
    TRecFileGraf& operator=(const TRecFileGraf&) = delete;

    ScaleItem* CurScaleItem = nullptr;
    SoundItem* CurSoundItem = nullptr;
    TBarItem* CurBarItem = nullptr;
    std::string Title;
    std::string Note;
    std::string SoundTotalLine;
    std::string HighShareLine;
    std::string SyllablesLine;
    std::string CodingVerdict;
    std::string RhythmVerdict;
    TObjStrings<void> SignificantNames;
    TObjStrings<void> SignificantValues;
    TObjStrings<ScaleItem> ScaleList; // owns its objects
    TObjStrings<SoundItem> SoundList; // owns its objects
    TObjStrings<TBarItem> BarList;    // owns its objects

    // Free the items held by ScaleList / SoundList; the entries stay (without
    // objects) for the caller to clear.
    void FreeScaleItems();
    void FreeSoundItems();
    // Frees the items of SoundList and ScaleList and empties both lists.
    void ClearSoundsAndScales();
};

// A page with the controls of its tab; the window owns the controls.
class TCurrentPage : public TRecFileGraf {
public:
    QLabel* CaptionLabel = nullptr;
    std::array<QLabel*, 5> LegendLabels {};
    TChartfx* ChartFx = nullptr;
    TChart* Chart = nullptr;
    QToolBar* ToolBar = nullptr;
    QWidget* TabSheet = nullptr;
    QFrame* RightPanel = nullptr;
    QFrame* ClientPanel = nullptr;
    QListWidget* ListBox = nullptr;
    TPaintBox* PaintBox = nullptr;
    QScrollArea* ScrollBox = nullptr;
    std::array<TShape*, 5> LegendShapes {};
};

// The page's chart; raises for a page without one (or for no page).
TChart* ChartOf(const TCurrentPage* Page);
