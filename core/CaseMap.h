#pragma once
// Windows-1251 case map over the 32 letters А..Я / а..я; Ё, ё and every
// other code stay as they are.

unsigned char RusUpCase(unsigned char Ch);
unsigned char RusLowCase(unsigned char Ch);
