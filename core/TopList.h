#pragma once
// The ranking list: at most 25 (value, index) entries in descending order of
// value; an equal value goes behind the older entry; a full list drops newcomers.
#include "Checked.h"

#include <cstdint>

struct TTopEntry {
    double Value = 0;
    int32_t Index = 0;
};

constexpr int TopListCapacity = 25;

struct TTopList {
    int32_t Count = 0;
    Array1<TTopEntry, TopListCapacity> Slots;
};

// The text analysis' list.
extern TTopList TopList;

void ClearTopList();
void AddToTopList(int32_t Index, double Value);

// The same rules on any list (the word library keeps its own).
void ClearTopList(TTopList& List);
void AddToTopList(TTopList& List, int32_t Index, double Value);
