#include "CaseMap.h"
#include "PhonTables.h"

unsigned char RusUpCase(unsigned char Ch)
{
    for (size_t k = 0; k < RusLowerLetters.size(); ++k)
        if (RusLowerLetters[k] == Ch)
            return RusUpperLetters[k];
    return Ch;
}

unsigned char RusLowCase(unsigned char Ch)
{
    for (size_t k = 0; k < RusUpperLetters.size(); ++k)
        if (RusUpperLetters[k] == Ch)
            return RusLowerLetters[k];
    return Ch;
}
