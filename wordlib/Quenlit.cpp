// The library's one entry: the word entry dialog, run modally with the
// caller's text, and the stress and hint windows beside it. The caller loads
// the library for each call and unloads it afterwards, so every global starts
// afresh; nothing the library made outlives the call.
#include "Automation.h"
#include "MeanWrd.h"
#include "Tabedit.h"
#include "U2.h"
#include "U3.h"
#include "Win1251.h"
#include "WordBasic.h"
#include "Wording.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdint>
#include <string>

#define QUENLIT_EXPORT extern "C" __attribute__((visibility("default")))

// Word: a zero-terminated Windows-1251 string of the caller's, read up to its
// zero and neither kept nor freed. 1 when the dialog ran to its end, 0 when an
// error ended it.
QUENLIT_EXPORT int32_t FonoSemWrd(const char* Word)
{
    int32_t result = 1;
    // The word processor the word window connects to.
    RegisterDocumentEngine();
    try {
        EditDB = new TEditDB();
        Form3 = new TForm3(EditDB);
        Form2 = new TForm2(EditDB);
        EditDB->SetEntry(AnsiToQString(AnsiUpperCase(Word ? std::string(Word) : std::string())));
        EditDB->repaint();
        EditDB->exec();
    } catch (...) {
        result = 0;
    }
    // Freed in the reverse order of creation, also after a failure: the
    // windows' code goes with the library.
    delete Form2;
    delete Form3;
    delete EditDB;
    // Windows closed with a later deletion (the help window) go now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    UnregisterDocumentEngine();
    UnregisterAutomationType();
    return result;
}
