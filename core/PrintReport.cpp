#include "PrintReport.h"

#include "MymsgDlg.h"
#include "Printer.h"
#include "SafeFile.h"

#include <QDir>

void PrintAndTellFile(const std::function<void()>& Print, const std::function<void(const QString& File)>& Written)
{
    IPrinter& printer = Printer();
    printer.TakeWrittenFile(); // what an earlier, failed command left
    try {
        Print();
    } catch (const EWriteError& e) {
        printer.TakeWrittenFile();
        MyShowMessage(QString::fromStdString(e.what()));
        return;
    }
    const QString file = printer.TakeWrittenFile();
    if (!file.isEmpty() && Written)
        Written(QDir::toNativeSeparators(file));
}
