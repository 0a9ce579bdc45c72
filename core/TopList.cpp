#include "TopList.h"

TTopList TopList;

void ClearTopList(TTopList& List)
{
    List.Count = 0;
    for (TTopEntry& e : List.Slots)
        e = TTopEntry {};
}

void AddToTopList(TTopList& List, int32_t Index, double Value)
{
    if (List.Count >= TopListCapacity)
        return;
    List.Count += 1;
    int k = List.Count;
    const TTopEntry entry { Value, Index };
    List.Slots[k] = entry;
    while (k > 1 && List.Slots[k - 1].Value < Value) {
        List.Slots[k] = List.Slots[k - 1];
        k -= 1;
        List.Slots[k] = entry;
    }
}

void ClearTopList() { ClearTopList(TopList); }
void AddToTopList(int32_t Index, double Value) { AddToTopList(TopList, Index, Value); }
